// The playtest start over a recording launcher, the wizard's page flow and the editor's seeds.
#include "editor/distribution/PlaytestOperation.h"
#include "editor/distribution/SeedGenerator.h"
#include "editor/distribution/WizardPages.h"
#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelScramble.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/SessionTest.h"
#include "tests/novel/TempFolder.h"

#include <algorithm>
#include <set>

namespace miravo {
namespace {

namespace fs = std::filesystem;

class RecordingLauncher : public IProgramLauncher {
public:
    unsigned result = 33;
    std::vector<std::string> started;
    std::function<void()> onStart;
    unsigned Start(const std::string& commandLine) override {
        started.push_back(commandLine);
        if (onStart)
            onStart();
        return result;
    }
};

class PlaytestTest : public test::SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        state.programFolder = PathFromUtf8("C:/Tool");
        state.dataFolder = temp.Path();
        model.Items[0].Text = {"old text"};
        views.onStore = [this] { model.Items[0].Text = {"edited text"}; };
    }
    fs::path Scratch() const { return temp / "$testplay.tmp"; }

    test::TempFolder temp;
    RecordingLauncher launcher;
};

TEST_F(PlaytestTest, WritesTheScratchFileAndStartsTheRuntimeWithoutTouchingTheDocument) {
    const fs::path novel = PathFromUtf8("C:/Novels/夏の物語/Story.MVE");
    state.currentFilePath = novel;
    state.novelFolder = novel.parent_path();
    state.hasFileName = true;
    state.modified = true;
    // The runtime is started once the scratch file holds the edited text.
    launcher.onStart = [this] {
        CNovelModel written;
        struct : ILoadNotices {
            void Notice(const LoadNotice&) override {}
        } notices;
        LoadNovelFile(written, Scratch(), notices);
        EXPECT_EQ(written.Items[0].Text[0], "edited text");
    };

    const std::string line = StartPlaytest(session, {.hiColor = true, .debug = true}, launcher);

    ASSERT_EQ(launcher.started, std::vector<std::string>{line});
    std::string scratch = PathToUtf8(temp.Path());
    std::replace(scratch.begin(), scratch.end(), '/', '\\');
    EXPECT_EQ(sjis::ToUtf8(line),
              "\"C:\\Tool\\MiravoRun.exe\" /16 /debug \"*C:\\Novels\\夏の物語\\\" \"" + scratch +
                  "\\$testplay.tmp\" \"=c:\\novels\\夏の物語\\story.mvb\" ");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(state.currentFilePath, novel);
    EXPECT_TRUE(views.Called("StoreToItem"));
}

TEST_F(PlaytestTest, UntitledNovelAndAFailedStart) {
    launcher.result = 2; // the file was not found
    const std::string line = StartPlaytest(session, {}, launcher);
    // No folder yet: the asterisk alone; the untitled name without a folder.
    EXPECT_NE(line.find("\"C:\\Tool\\MiravoRun.exe\" \"*\" "), std::string::npos) << line;
    EXPECT_NE(line.find(sjis::FromUtf8("\"=無題.mvb\" ")), std::string::npos) << line;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "テストプレイの実行に失敗しました.\rMiravo "
                                   "が正しくインストールされているか確認してください.");
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    // The scratch file stays.
    EXPECT_TRUE(fs::exists(Scratch()));
}

TEST_F(PlaytestTest, AScratchFileThatCannotBeWrittenStartsNothing) {
    state.dataFolder = temp / "missing" / "folder";
    EXPECT_THROW(StartPlaytest(session, {}, launcher), EditorError);
    EXPECT_TRUE(launcher.started.empty());
}

TEST(WizardPages, FlowAndButtons) {
    using P = WizardPage;
    const struct {
        P page;
        std::optional<P> next, back;
        bool backOn, nextOn, cancelOn;
        const char* nextCaption;
    } pages[] = {
        {P::StartPage, P::TypeSelect, std::nullopt, false, true, true, "次へ >>"},
        {P::TypeSelect, P::ExeOnlyHome, P::StartPage, true, true, true, "次へ >>"},
        {P::ExeOnlyHome, P::ExeOnlyInput, P::TypeSelect, true, true, true, "次へ >>"},
        // Back skips the survey.
        {P::ExeOnlyInput, P::ExeOnlyMake, P::TypeSelect, true, true, true, "作成 >>"},
        {P::ExeOnlyMake, P::ExeOnlyFinish, P::ExeOnlyInput, false, false, false, "次へ >>"},
        {P::ExeOnlyFinish, std::nullopt, P::ExeOnlyMake, false, true, false, "完了"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(PageName(p.page));
        EXPECT_EQ(NextPageOf(p.page), p.next);
        EXPECT_EQ(BackPageOf(p.page), p.back);
        const WizardButtons buttons = ButtonsOnEntering(p.page);
        EXPECT_EQ(buttons.backEnabled, p.backOn);
        EXPECT_EQ(buttons.nextEnabled, p.nextOn);
        EXPECT_EQ(buttons.cancelEnabled, p.cancelOn);
        EXPECT_EQ(buttons.nextCaption, p.nextCaption);
        EXPECT_EQ(buttons.backCaption, "<< 戻る");
    }
}

TEST(SeedGenerator, SeedsStayBelowTheLimitAndDiffer) {
    PseudoRandom fixed(0xFFFFFFFFu);
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t seed = DrawScrambleSeed(fixed);
        EXPECT_LT(seed, kScrambleSeedLimit);
        seen.insert(seed);
    }
    EXPECT_GT(seen.size(), 990u);
    // The same start gives the same seeds; the clock gives another start.
    PseudoRandom a(7), b(7);
    EXPECT_EQ(DrawScrambleSeed(a), DrawScrambleSeed(b));
    EXPECT_EQ(PseudoRandom(5).Below(0), 0u);
}

} // namespace
} // namespace miravo
