#include "novel/NovelCheck.h"
#include "novel/ScriptSyntax.h"
#include "tests/novel/SampleNovels.h"
#include "tests/novel/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace miravo {
namespace {

using test::Sj;

CNovelLink To(std::string target) {
    CNovelLink link;
    link.Enabled = true;
    link.Target = std::move(target);
    return link;
}

class FakeFolder : public ICheckedFolder {
public:
    std::map<std::string, FileLookup> files;
    int looks = 0;
    FileLookup Look(std::string_view name) override {
        ++looks;
        auto found = files.find(std::string(name));
        return found == files.end() ? FileLookup{FileLookupState::Missing, {}} : found->second;
    }
};

// A small novel with nothing wrong: start -> choice -> two endings, a counter condition, a
// character shown and removed, every file present.
void FillCleanNovel(CNovelModel& model, FakeFolder& folder) {
    model.Reset();
    model.Header.StartItem = "start";
    model.Header.TitleGraphic = "title.png";
    CNovelCounter& counter = model.Counters.Add();
    counter.Name = Sj("好感度");
    CTextWindow& window = model.TextWindows.Add();
    window.Name = "main";
    window.GraphicFile = "win\\frame.bmp";
    for (const char* name : {"start", "choice", "good", "bad"})
        model.Items.Add().Name = name;
    CNovelItem& start = model.Items[0];
    start.LinkType = kLinkAuto;
    start.Links[0].Target = "choice";
    start.Text.push_back(".GraphLoad \"bg.jpg\" BLIND 2 500");
    start.Text.push_back(".WindowSet \"main\"");
    start.Text.push_back(".CharSet \"" + Sj("花子") + "\" \"hanako.png\" MIDDLE LEFT");
    start.Text.push_back(Sj("こんにちは@"));
    start.Text.push_back(".BGMPlay \"music\\theme\" 2000");
    start.Text.push_back(".CounterRndSet \"" + Sj("好感度") + "\" 10 20");
    CNovelItem& choice = model.Items[1];
    choice.Links[0] = CNovelLink{true, Sj("はい"), "good", true, Sj("好感度"), 50};
    choice.Links[1] = To("bad");
    choice.Text.push_back(".CharDelete \"" + Sj("花子") + "\"");
    choice.Text.push_back(".GraphFill 0 0 0 50 ");
    for (int i : {2, 3}) {
        model.Items[i].LinkType = kLinkEnding;
        model.Items[i].Links[0].Enabled = false;
        model.Items[i].Text.push_back(".Wait 1000");
    }
    for (const char* file :
         {"title.png", "win\\frame.bmp", "bg.jpg", "hanako.png", "music\\theme.ogg"})
        folder.files[file] = {FileLookupState::Present, {}};
}

TEST(NovelCheck, ACleanNovelHasNoFindings) {
    CNovelModel model;
    FakeFolder folder;
    FillCleanNovel(model, folder);
    const std::vector<CheckFinding> findings = CheckNovel(model, &folder);
    for (const CheckFinding& finding : findings)
        ADD_FAILURE() << finding.itemIndex << ":" << finding.line << " " << finding.message;
    EXPECT_FALSE(HasErrors(findings));
}

struct Planted {
    const char* item; // "" outside items
    int line;
    CheckSeverity severity;
    const char* says; // UTF-8, part of the message
};

// Every problem planted once into the clean novel; each must be found at its place, and nothing
// else may be.
TEST(NovelCheck, FindsEveryPlantedProblemAtItsPlace) {
    CNovelModel model;
    FakeFolder folder;
    FillCleanNovel(model, folder);
    const auto E = CheckSeverity::Error;
    const auto W = CheckSeverity::Warning;

    model.Header.FontSize = 300;
    model.Header.FadeName = "BLINDS";
    model.Counters.Add().Name = Sj("好感度");
    model.TextWindows[0].VAlign = "UP";
    model.TextWindows.Add().GraphicFile = "..\\outside.bmp";
    folder.files["title.png"] = {FileLookupState::CaseDiffers, "Title.PNG"};

    CNovelItem& start = model.Items[0];
    start.Links[1] = To("bad");                  // second enabled slot on an automatic item
    start.Text.push_back(".Grapload \"x.jpg\""); // line 7
    start.Text.push_back(".Wait");               // line 8
    start.Text.push_back(".FontSize 500");       // line 9
    start.Text.push_back(".CharSet \"a\" \"hanako.png\" UP LEFT");        // line 10
    start.Text.push_back(".GraphLoad \"bg.jpg\" FADE 1");                 // line 11
    start.Text.push_back(".GraphLoad \"bg.jpg\" SHUTTER 5");              // line 12
    start.Text.push_back(".SoundPlay \"a b");                             // line 13
    start.Text.push_back(".CounterSet \"nobody\" 1");                     // line 14
    start.Text.push_back(".WindowSet \"side\"");                          // line 15
    start.Text.push_back(".CharDelete \"ghost\"");                        // line 16
    start.Text.push_back(".GraphLoad \"missing.png\" ");                  // line 17
    start.Text.push_back(".CounterRndPlus \"" + Sj("好感度") + "\" 5 1"); // line 18
    start.Text.push_back(".Wait abc");                                    // line 19
    start.Text.push_back(".MidiPlay \"C:\\x.mid\"");                      // line 20

    CNovelItem& choice = model.Items[1];
    choice.Links[0].Threshold = 101;
    choice.Links[2] = To("");
    choice.Links[3] = To("nowhere");
    choice.Links[4] = CNovelLink{true, {}, "bad", true, "gone", 1};
    model.Items[3].Links[5] = To("good");   // an ending with a slot that leads somewhere
    model.Items[2].Links[0].Enabled = true; // the default slot of a new item: no finding
    CNovelItem& twin = model.Items.Add();   // a second "bad": unreachable, and no links
    twin.Name = "bad";
    twin.Links[0].Enabled = false;
    model.Items.Add().Name = "island"; // unreachable, link without a target

    const std::vector<Planted> planted = {
        {"", 0, E, "フォントのサイズ の値 300"},
        {"", 0, W, "\"BLINDS\" はフェード効果の名前ではありません"},
        {"", 0, W, "カウンタ \"好感度\" が 2 個あります"},
        {"", 0, E, "縦の位置 \"UP\""},
        {"", 0, W, "ファイル \"title.png\" はディスク上では \"Title.PNG\" です"},
        {"", 0, E, "\"..\\outside.bmp\": \"..\" を含む名前はノベルフォルダの外を指す"},
        {"start", 0, W, "自動リンクのアイテムに有効なリンクが 2 個あります"},
        {"start", 0, W, "リンク 2: リンク先の名前 \"bad\" のアイテムが 2 個あります"},
        {"start", 7, E, "未知のコマンド \".Grapload\" です. .GraphLoad の書き間違い"},
        {"start", 8, E, ".Wait の引数の数が正しくありません (0 個)"},
        {"start", 9, E, ".FontSize の 1 番目の引数 500 が範囲 (12～200) の外です"},
        {"start", 10, E, "\"UP\" は縦の配置ではありません"},
        {"start", 11, E, "\"FADE\" はフェード効果の名前ではありません"},
        {"start", 12, E, "の 3 番目の引数 5 が範囲 (1～4) の外です"},
        {"start", 13, W, "引用符 (\") が閉じていません"},
        {"start", 13, E, "ファイル \"a b\" が見つかりません"},
        {"start", 14, E, "カウンタ \"nobody\" がありません"},
        {"start", 15, E, "テキストウインドウ \"side\" がありません"},
        {"start", 16, W, "キャラクター \"ghost\" はどの .CharSet でも表示されていません"},
        {"start", 17, E, "ファイル \"missing.png\" が見つかりません"},
        {"start", 18, E, "下限 5 が上限 1 より大きくなっています"},
        {"start", 19, E, "\"abc\" が数値ではありません"},
        {"start", 20, E, "\"C:\\x.mid\": ドライブ名を含む名前"},
        {"choice", 0, E,
         "リンク 1: 条件 (\"好感度\" が 101 以上) はカウンタの範囲 (0～100) では成り立ちません"},
        {"choice", 0, W, "リンク 2: リンク先の名前 \"bad\" のアイテムが 2 個あります"},
        {"choice", 0, E, "リンク 3: リンク先が空です"},
        {"choice", 0, E, "リンク 4: リンク先のアイテム \"nowhere\" がありません"},
        {"choice", 0, W, "リンク 5: リンク先の名前 \"bad\""},
        {"choice", 0, E, "リンク 5: 条件のカウンタ \"gone\" がありません"},
        {"bad", 0, W, "エンディングのアイテムですが, リンク 6 が有効"},
        {"bad", 0, E, "メニューリンクのアイテムに有効なリンクがありません"},
        {"island", 0, E, "リンク 1: リンク先が空です"},
        {"bad", 0, W, "開始アイテムからたどり着けません"}, // the ending hidden by its twin
        {"island", 0, W, "開始アイテムからたどり着けません"},
    };

    std::vector<CheckFinding> findings = CheckNovel(model, &folder);
    for (const Planted& plant : planted) {
        const std::string item = Sj(plant.item);
        auto found = std::find_if(findings.begin(), findings.end(), [&](const CheckFinding& f) {
            return f.itemName == item && f.line == plant.line && f.severity == plant.severity &&
                   f.message.find(plant.says) != std::string::npos;
        });
        if (found == findings.end()) {
            ADD_FAILURE() << "not found: " << plant.item << ":" << plant.line << " " << plant.says;
            continue;
        }
        findings.erase(found);
    }
    for (const CheckFinding& finding : findings)
        ADD_FAILURE() << "unexpected: " << finding.itemIndex << ":" << finding.line << " "
                      << finding.message;
}

TEST(NovelCheck, StartItemAndEmptyNovel) {
    CNovelModel model;
    model.Reset();
    std::vector<CheckFinding> findings = CheckNovel(model, nullptr);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].message, "アイテムがありません.");

    model.Items.Add().Name = "a";
    model.Items[0].LinkType = kLinkEnding;
    model.Items[0].Links[0].Enabled = false;
    findings = CheckNovel(model, nullptr);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].severity, CheckSeverity::Warning);
    EXPECT_NE(findings[0].message.find("最初のアイテム \"a\" から始まります"), std::string::npos);

    model.Header.StartItem = "b";
    findings = CheckNovel(model, nullptr);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(HasErrors(findings));
}

TEST(NovelCheck, EachFileIsLookedUpOnceHoweverOftenItIsNamed) {
    CNovelModel model;
    model.Reset();
    model.Items.Add().Name = "a";
    model.Items[0].LinkType = kLinkEnding;
    model.Items[0].Links[0].Enabled = false;
    model.Header.StartItem = "a";
    for (int i = 0; i < 100; ++i)
        model.Items[0].Text.push_back(".GraphLoad \"same.png\" ");
    FakeFolder folder;
    const std::vector<CheckFinding> findings = CheckNovel(model, &folder);
    EXPECT_EQ(findings.size(), 100u); // each line is a place to fix
    EXPECT_EQ(folder.looks, 1);
}

TEST(NovelCheck, NearestCommandSuggestsOnlyLikelyTypos) {
    EXPECT_EQ(NearestCommand(".grapload"), ".GRAPHLOAD");
    EXPECT_EQ(NearestCommand(".Wiat"), ".WAIT");
    EXPECT_EQ(NearestCommand(".CounterSett"), ".COUNTERSET");
    EXPECT_EQ(NearestCommand(".Hello"), std::nullopt);
    EXPECT_EQ(NearestCommand("."), std::nullopt);
}

TEST(NovelCheck, DiskFolderFindsNamesInAnyCaseAndSaysHowTheyDiffer) {
    test::TempFolder temp;
    std::filesystem::create_directories(temp / "Sub");
    test::TempFolder::Write(temp / "Sub" / "BG.png", "x");
    test::TempFolder::Write(temp / "plain.png", "x");
    DiskCheckedFolder folder(temp.Path());
    EXPECT_EQ(folder.Look("plain.png").state, FileLookupState::Present);
    EXPECT_EQ(folder.Look("Sub\\BG.png").state, FileLookupState::Present);
    const FileLookup differs = folder.Look("sub\\bg.png");
    EXPECT_EQ(differs.state, FileLookupState::CaseDiffers);
    EXPECT_EQ(differs.nameOnDisk, "Sub\\BG.png");
    EXPECT_EQ(folder.Look("Sub").state, FileLookupState::Missing); // a folder is no file
    EXPECT_EQ(folder.Look("none.png").state, FileLookupState::Missing);
    EXPECT_EQ(folder.Look("none\\x.png").state, FileLookupState::Missing);
}

TEST(ScriptSyntax, ArgumentsNumbersAndQuotes) {
    EXPECT_EQ(CommandArguments(".GraphLoad \"bg.jpg\" ").size(), 2u);
    EXPECT_EQ(CommandArguments(".CharDelete \"\"").size(), 2u);
    EXPECT_EQ(ParseScriptNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseScriptNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ParseScriptNumber("-"), std::nullopt);
    EXPECT_EQ(ParseScriptNumber("1x"), std::nullopt);
    EXPECT_TRUE(HasUnclosedQuote(".SoundPlay \"a"));
    EXPECT_FALSE(HasUnclosedQuote(".CharSet \"" + Sj("ソ") + "\""));
    EXPECT_EQ(AllCommandSyntaxes().size(), 29u);
}

} // namespace
} // namespace miravo
