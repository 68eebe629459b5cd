#include "editor/shell/AboutValues.h"
#include "editor/shell/EditorSession.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelData.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/RecordingViews.h"
#include "tests/editor/support/ScriptedInteraction.h"
#include "tests/novel/RecordingInteraction.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace miravo {
namespace {

namespace fs = std::filesystem;
using test::RecordingViews;
using test::ScriptedInteraction;

std::string Sjis(const char* utf8) { return sjis::FromUtf8(utf8); }

class DocumentLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miravo-doc-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.programFolder = folder;
        document.NewNovel();
        views.calls.clear();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path WriteNovel(const std::string& name, const std::string& title) {
        CNovelModel other;
        other.Header.Title = Sjis(title.c_str());
        other.Header.ChartWidth = 800;
        other.Header.ChartHeight = 600;
        CNovelItem& item = other.Items.Add();
        item.Name = "start";
        item.Text = {"hello", ""};
        const fs::path path = folder / PathFromUtf8(name);
        SaveNovelFile(other, path);
        return path;
    }
    void WriteBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    fs::path folder;
    CNovelModel model;
    ScriptedInteraction ui;
    EditorSession session{model, ui};
    EditorState& state = session.State();
    DocumentLifecycle& document = session.Lifecycle();
    RecordingViews views{session.Views()};
};

TEST_F(DocumentLifecycleTest, TitleFollowsEveryDocumentState) {
    EXPECT_EQ(document.WindowTitle(), "無題 - Miravo R.9.7");
    session.SetModified();
    EXPECT_EQ(document.WindowTitle(), "無題 * - Miravo R.9.7");
    EXPECT_TRUE(views.Called("UpdateTitle"));
    document.OpenByExtension(WriteNovel("story.mve", "t"));
    EXPECT_EQ(document.WindowTitle(), "story.mve - Miravo R.9.7");
    session.SetModified();
    EXPECT_EQ(document.WindowTitle(), "story.mve * - Miravo R.9.7");
    session.ClearModified();
    EXPECT_EQ(document.WindowTitle(), "story.mve - Miravo R.9.7");
}

TEST_F(DocumentLifecycleTest, NewNovelStartsCleanWithTheFirstItemAndRefreshesInOrder) {
    model.Items.Add().Name = "old";
    state.newNames = {5, 6, 7};
    state.modified = true;
    state.currentItem = 1;
    document.NewNovel();
    ASSERT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].Name, Sjis("新規アイテム1"));
    EXPECT_EQ(model.Items[0].X, 8);
    EXPECT_EQ(model.Items[0].Y, 8);
    EXPECT_EQ(model.Header.ChartWidth, 1000);
    EXPECT_EQ(model.Header.ChartHeight, 1200);
    EXPECT_EQ(state.newNames.item, 1);
    EXPECT_EQ(state.newNames.counter, 0);
    EXPECT_EQ(state.newNames.textWindow, 0);
    EXPECT_EQ(state.currentItem, 0);
    EXPECT_FALSE(state.modified);
    EXPECT_FALSE(state.hasFileName);
    EXPECT_EQ(state.currentFilePath, fs::path(u8"無題"));
    // The old current item (index 1) no longer exists: nothing is stored into it.
    const std::vector<std::string> expected = {
        "ResizeChart", "EndMultiSelection", "DrawChart",       "ChangeText",         "UpdateTitle",
        "DrawChart",   "ChangeText",        "RefreshCounters", "RefreshTextWindows", "UpdateTitle"};
    EXPECT_EQ(views.calls, expected);
}

TEST_F(DocumentLifecycleTest, SaveQuestionPaths) {
    EXPECT_TRUE(document.CheckSave()); // clean: no question
    EXPECT_TRUE(ui.messages.empty());

    session.SetModified();
    ui.answers = {MessageResult::Cancel, MessageResult::No};
    EXPECT_FALSE(document.CheckSave());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "無題 は変更されています.\r\n保存しますか？");
    EXPECT_EQ(ui.messages[0].caption, "保存の確認");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    EXPECT_TRUE(document.CheckSave()); // No: drop the changes
    EXPECT_TRUE(state.modified);

    // Untitled Yes, then the save-as dialog cancelled: the caller is abandoned, nothing written.
    ui.answers = {MessageResult::Yes};
    EXPECT_FALSE(document.CheckSave());
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_TRUE(state.modified);

    // Untitled Yes with a name: saved, named, clean.
    const fs::path target = folder / "saved.mve";
    ui.answers = {MessageResult::Yes};
    ui.saveAnswers = {target};
    EXPECT_TRUE(document.CheckSave());
    EXPECT_TRUE(fs::exists(target));
    EXPECT_TRUE(state.hasFileName);
    EXPECT_FALSE(state.modified);

    // Named Yes: saved in place after the text editor stored its edits.
    views.onStore = [&] { model.Items[0].Text = {"edited"}; };
    session.SetModified();
    ui.answers = {MessageResult::Yes};
    EXPECT_TRUE(document.CheckSave());
    CNovelModel reread;
    test::RecordingInteraction quiet;
    ASSERT_EQ(LoadNovelFile(reread, target, quiet), NovelLoadResult::Loaded);
    EXPECT_EQ(reread.Items[0].Text[0], "edited");
}

TEST_F(DocumentLifecycleTest, SaveAsNamesTheNovelAndSaveKeepsTheName) {
    const fs::path target = folder / "a.mve";
    document.Save(); // untitled: save-as, cancelled
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].title, "名前をつけて保存...");
    EXPECT_EQ(ui.saveDialogs[0].filter, "編集用ノベルファイル (*.mve)|*.mve");
    EXPECT_EQ(ui.saveDialogs[0].defaultExtension, "mve");
    EXPECT_TRUE(ui.saveDialogs[0].overwritePrompt);
    EXPECT_TRUE(ui.saveDialogs[0].hideReadOnly);
    EXPECT_FALSE(state.hasFileName);

    ui.saveAnswers = {target};
    EXPECT_TRUE(document.SaveAs());
    EXPECT_EQ(state.currentFilePath, target);
    EXPECT_EQ(state.novelFolder, folder);
    session.SetModified();
    document.Save();
    EXPECT_EQ(ui.saveDialogs.size(), 2u); // no dialog for a named novel
    EXPECT_FALSE(state.modified);
    ASSERT_EQ(state.recentFiles.Count(), 1u); // the same file twice is one entry
    EXPECT_EQ(state.recentFiles.Paths()[0], target.u16string());
}

TEST_F(DocumentLifecycleTest, OpenChoosesTheReaderByExtensionInAnyLetterCase) {
    const fs::path upper = WriteNovel("STORY.MVE", "大文字");
    ui.openAnswers = {upper};
    document.OpenWithDialog();
    ASSERT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(ui.openDialogs[0].title, "開く...");
    EXPECT_EQ(ui.openDialogs[0].filter,
              "編集用ノベルファイル (*.mve)|*.mve|α１ノベルファイル (*.mvw)|*.mvw");
    EXPECT_EQ(ui.openDialogs[0].initialFolder, folder);
    EXPECT_EQ(model.Header.Title, Sjis("大文字"));
    EXPECT_EQ(model.Items[0].Name, "start");
    EXPECT_TRUE(state.hasFileName);
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.recentFiles.Count(), 1u);
    for (const char* step : {"ResizeChart", "ChangeText", "RefreshCounters", "UpdateTitle"}) {
        EXPECT_TRUE(views.Called(step)) << step;
    }

    // Any other extension leaves the new novel.
    const fs::path other = folder / "story.txt";
    fs::copy_file(upper, other);
    document.OpenByExtension(other);
    EXPECT_FALSE(state.hasFileName);
    ASSERT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].Name, Sjis("新規アイテム1"));
}

TEST_F(DocumentLifecycleTest, AFileThatCannotBeReadLeavesANewCleanNovel) {
    const fs::path wrong = folder / "wrong.mve";
    WriteBytes(wrong, std::string(4000, 'x'));
    session.SetModified();
    document.OpenByExtension(wrong);
    ASSERT_FALSE(ui.messages.empty()); // the wrong-magic message
    EXPECT_EQ(ui.messages.back().text, kWrongMagicMessage);
    EXPECT_FALSE(state.hasFileName);
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(state.recentFiles.Count(), 0u);

    // A damaged alpha-1 file raises its error, and the editor holds a new novel meanwhile.
    const fs::path alpha = folder / "OLD.MVW";
    WriteBytes(alpha, "abc");
    EXPECT_THROW(document.OpenByExtension(alpha), EditorError);
    EXPECT_FALSE(state.hasFileName);
    EXPECT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].Name, Sjis("新規アイテム1"));
}

TEST_F(DocumentLifecycleTest, ADamagedFileKeepsWhatWasReadUntitled) {
    const fs::path damaged = WriteNovel("damaged.mve", "t");
    std::string bytes = ReadWholeFile(damaged);
    bytes.resize(bytes.size() - 10); // inside the last link slot
    WriteBytes(damaged, bytes);
    try {
        document.OpenByExtension(damaged);
        ADD_FAILURE() << "no read error";
    } catch (const EditorError& error) {
        EXPECT_NE(error.Message().find("ファイルの読み込みエラーです."), std::string::npos);
    }
    ASSERT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].Name, "start");
    EXPECT_FALSE(state.hasFileName);
    EXPECT_EQ(document.WindowTitle(), "無題 - Miravo R.9.7");
    EXPECT_EQ(state.recentFiles.Count(), 0u);
    EXPECT_TRUE(views.Called("ChangeText"));
    // Saving asks for a name; the damaged file stays as it is.
    ui.saveAnswers = {std::nullopt};
    document.Save();
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ReadWholeFile(damaged), bytes);
}

// A window that cannot show the opened novel (a chart too large for its picture) must not leave
// the file's name on a document whose windows show something else: Save then overwrote the file
// with the text editor's empty text.
TEST_F(DocumentLifecycleTest,
       AWindowFailingDuringOpenLeavesANewNovelThatSaveCannotWriteOverTheFile) {
    const fs::path path = WriteNovel("big.mve", "x");
    const std::string before = ReadWholeFile(path);
    views.throwOn = "ResizeChart";
    EXPECT_THROW(document.OpenNovelFile(path), std::runtime_error);
    EXPECT_FALSE(state.hasFileName);
    EXPECT_EQ(state.currentFilePath, fs::path(u8"無題"));
    EXPECT_EQ(state.recentFiles.Count(), 0u);
    ASSERT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].Name, Sjis("新規アイテム1"));

    views.onStore = [&] { model.Items[0].Text = {}; };
    session.SetModified();
    document.Save();
    EXPECT_EQ(ui.saveDialogs.size(), 1u); // asks for a name instead of writing over the file
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST_F(DocumentLifecycleTest, NovelFolderSurvivesANewNovelForTheDialogs) {
    document.OpenByExtension(WriteNovel("n.mve", "x"));
    document.NewNovel();
    EXPECT_EQ(state.novelFolder, folder);
    ui.saveAnswers = {std::nullopt, std::nullopt};
    document.ExportText(TextExportKind::Script);
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].initialFolder, folder);
    EXPECT_EQ(ui.saveDialogs[0].fileName, fs::path(u8"無題.txt"));
    const auto chart = document.AskChartBitmapFile();
    EXPECT_FALSE(chart);
    EXPECT_EQ(ui.saveDialogs[1].title, "チャートのBMP保存");
    EXPECT_EQ(ui.saveDialogs[1].filter,
              "ビットマップファイル(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*");
    EXPECT_EQ(ui.saveDialogs[1].fileName, fs::path(u8"無題のチャート.bmp"));
}

TEST_F(DocumentLifecycleTest, TextExportsStoreTheEditsAndWriteTheChosenFile) {
    document.OpenByExtension(WriteNovel("tale.mve", "x"));
    views.calls.clear();
    views.onStore = [&] { model.Items[0].Text = {"story line", ".Wait 10"}; };
    const fs::path script = folder / "script.txt";
    const fs::path plain = folder / "plain.txt";
    ui.saveAnswers = {script, plain};
    document.ExportText(TextExportKind::Script);
    document.ExportText(TextExportKind::PlainText);
    EXPECT_EQ(views.calls.front(), "StoreToItem");
    EXPECT_EQ(ui.saveDialogs[0].title, "テキストファイルに書き出し");
    EXPECT_EQ(ui.saveDialogs[0].fileName, fs::path("tale.txt"));
    EXPECT_EQ(ui.saveDialogs[1].title, "テキストファイルに書き出し");
    const std::string scriptText = ReadWholeFile(script);
    const std::string plainText = ReadWholeFile(plain);
    EXPECT_EQ(scriptText.rfind("MIRAVO_SCRIPT 002\r\n\r\n", 0), 0u);
    EXPECT_NE(scriptText.find(".Wait 10"), std::string::npos);
    EXPECT_EQ(plainText.rfind("Miravo - Plain Text Output\r\n\r\n", 0), 0u);
    EXPECT_EQ(plainText.find(".Wait 10"), std::string::npos);
    EXPECT_FALSE(state.modified);
}

TEST_F(DocumentLifecycleTest, RecentFilesKeepTheFirstSpellingWhenOpenedAgain) {
    const fs::path path = WriteNovel("Case.mve", "x");
    if (!fs::exists(folder / "case.MVE")) {
        GTEST_SKIP() << "the file system tells letter cases apart";
    }
    document.OpenByExtension(path);
    document.OpenByExtension(folder / "case.MVE");
    ASSERT_EQ(state.recentFiles.Count(), 1u);
    EXPECT_EQ(state.recentFiles.Paths()[0], path.u16string());
}

TEST(AboutValuesTest, VersionAndWhetherTheSoundEngineIsInUse) {
    EXPECT_EQ(AboutValuesOf(true).version, "バージョン R.9.7");
    EXPECT_EQ(AboutValuesOf(true).soundEngine, "サウンドエンジン: MVSound (使用中)");
    EXPECT_EQ(AboutValuesOf(false).soundEngine, "サウンドエンジン: なし (音声の試聴はできません)");
}

} // namespace
} // namespace miravo
