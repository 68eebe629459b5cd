#include "editor/chart/ChartForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/AboutForm.h"
#include "editor/shell/EditorApplication.h"
#include "editor/shell/MVSound.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/WideText.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/novel/RecordingInteraction.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <fstream>
#include <string>
#include <vector>

namespace miravo {
namespace {

namespace fs = std::filesystem;
using test::TextOf;

fs::path TestProgramFolder() { return ProgramFolder(); }

// The captions of a menu, "-" for a separator, submenus after "> " and indented.
void ListMenu(HMENU menu, const std::wstring& indent, std::vector<std::wstring>& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        item.dwTypeData = text;
        item.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            out.push_back(indent + L"-");
            continue;
        }
        out.push_back(indent + text + ((item.fState & MFS_GRAYED) ? L" [off]" : L""));
        if (item.hSubMenu != nullptr) {
            ListMenu(item.hSubMenu, indent + L"  ", out);
        }
    }
}

class MainFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miravo-gui-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        Stop();
        // A helper program that just ended may keep its folder busy for a moment.
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void Start(EditorOptions options = {}) {
        options.programFolder = folder;
        EditorDriver::Start(options);
    }
    TMainForm& MainForm() { return Editor().MainForm(); }
    TTextForm& TextForm() { return Window<TTextForm>(); }
    TChartForm& ChartForm() { return Window<TChartForm>(); }
    TCounterForm& CounterForm() { return Window<TCounterForm>(); }
    fs::path WriteNovel(const std::string& name) {
        CNovelModel model;
        model.Header.Title = sjis::FromUtf8("海辺の物語");
        model.Header.ChartWidth = 900;
        model.Header.ChartHeight = 700;
        model.Items.Add().Name = "opening";
        model.Items[0].Text = {"line one", ""};
        model.Counters.Add().Name = "love";
        const fs::path path = folder / name;
        SaveNovelFile(model, path);
        return path;
    }
    void Type(const std::wstring& text) {
        test::Type(TextForm().Editor().Handle(), text);
        Pump(50);
    }
    std::vector<std::wstring> RecentMenu() {
        const HMENU file = GetSubMenu(GetMenu(Main()), 0);
        SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        std::vector<std::wstring> entries;
        ListMenu(GetSubMenu(file, 5), L"", entries);
        return entries;
    }

    fs::path folder;
};

TEST_F(MainFormTest, StartupShowsANewNovelInTheFrameWithItsChildWindows) {
    Start();
    EXPECT_EQ(Title(), L"無題 - Miravo R.9.7");
    EXPECT_EQ(Editor().StartupSteps(), 5);
    // No MVSound.mvx in this program folder: one message, and the editor goes on; no settings
    // file yet: the first-run question follows once the window is on screen.
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "MVSound をロードできません.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[1].caption, "ファイルの関連付け");
    EXPECT_EQ(ui.messages[1].buttons, MessageButtons::YesNo);
    ASSERT_NE(Editor().SoundEngine(), nullptr);
    EXPECT_FALSE(Editor().SoundEngine()->Active());

    EXPECT_EQ(TextOf(ChartForm().Handle()), L"チャート");
    EXPECT_EQ(TextOf(CounterForm().Handle()), L"設定");
    EXPECT_EQ(TextOf(TextForm().Handle()), L"新規アイテム1");
    EXPECT_EQ(TextForm().NameEdit().Text(), L"新規アイテム1");
    EXPECT_EQ(CounterForm().Tabs().TabText(0), L"カウンタリスト");
    EXPECT_EQ(CounterForm().Tabs().TabText(1), L"テキストウィンドウ");
    EXPECT_EQ(ChartForm().NewItemButton().Text(), L"新規アイテム");
    EXPECT_EQ(GetParent(ChartForm().Handle()), MainForm().MdiClient());

    // First start of this version: the layout is maximized and arranged, the text editor at the
    // right edge of the client area.
    EXPECT_TRUE(IsZoomed(Main()));
    RECT client{};
    GetClientRect(MainForm().MdiClient(), &client);
    const RECT text = TextForm().Bounds();
    EXPECT_EQ(text.top, 0);
    EXPECT_EQ(ChartForm().Bounds().right, text.left);

    const ToolBar& tools = MainForm().Tools();
    ASSERT_EQ(tools.ButtonCount(), 4);
    EXPECT_FALSE(MainForm().ToolPanel().BoxesShown());
    EXPECT_TRUE(MainForm().ToolPanel().BevelShown());
    test::SaveScreenshot(Main(), "main-window");
}

TEST_F(MainFormTest, ThemeLevelsShowTheGradientBoxesAndHideTheBevel) {
    Start({.themeLevel = 2});
    EXPECT_TRUE(MainForm().ToolPanel().BoxesShown());
    EXPECT_FALSE(MainForm().ToolPanel().BevelShown());
    test::SaveScreenshot(Main(), "main-window-themed");
}

TEST_F(MainFormTest, MenusCarryEveryCaptionShortcutAndSeparator) {
    Start();
    std::vector<std::wstring> menu;
    ListMenu(GetMenu(Main()), L"", menu);
    const std::vector<std::wstring> expected = {
        L"ファイル(&F)",
        L"  新規作成(&N)",
        L"  開く(&O)...\tCtrl+O",
        L"  上書き保存(&S)\tCtrl+S",
        L"  名前をつけて保存(&A)...",
        L"  -",
        L"  最近使ったファイル(&R)",
        L"    (なし) [off]",
        L"  -",
        L"  ファイルの関連付け(&C)...",
        L"  -",
        L"  特殊ファイル操作(&E)",
        L"    チャートをBMP保存(&C)...",
        L"    -",
        L"    テキストファイルに書き出し(&S)...",
        L"    テキストファイルに文章のみを書き出し(&P)...",
        L"  -",
        L"  終了(&X)",
        L"ノベル(&N)",
        L"  プロパティ(&P)...\tCtrl+P [off]",
        L"  テストプレイ(&T)\tF5 [off]",
        L"実行形式(&R)",
        L"  実行形式の作成(&R)... [off]",
        L"ウィンドウ(&W)",
        L"  ウィンドウを整理(&W)",
        L"  ウィンドウ位置を初期化(&I)...",
        L"  -",
        L"  終了時にウィンドウ位置を記憶(&S)",
        L"ヘルプ(&H)",
        L"  目次(&I)...\tF1",
        L"  バージョン情報(&A)...",
    };
    EXPECT_EQ(menu, expected);

    // Ctrl+O reaches the open command through the accelerators of the message loop.
    ui.openAnswers = {std::nullopt};
    SetForegroundWindow(Main());
    SetFocus(Main());
    PostMessageW(Main(), WM_KEYDOWN, 'O', 0);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PumpUntil([&] { return !ui.openDialogs.empty(); });
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(ui.openDialogs.size(), 1u);
}

TEST_F(MainFormTest, StatusBarShowsTheLongHintUnderThePointer) {
    Start();
    const ToolBar& tools = MainForm().Tools();
    const std::vector<std::pair<int, std::wstring>> buttons = {
        {ID_NOVEL_OPEN, L" ファイルを開く (Ctrl+O)"},
        {ID_NOVEL_SAVE, L" 上書き保存 (Ctrl+S)"},
        {ID_NOVEL_PROPERTY, L" プロパティの設定 (Ctrl+P)"},
        {ID_TESTPLAY, L" テストプレイする (F5)"}};
    for (const auto& [command, hint] : buttons) {
        POINT point = tools.ButtonCentre(command);
        SetCursorPos(point.x, point.y);
        ScreenToClient(tools.Handle(), &point);
        PostMessageW(tools.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        PumpUntil([&] { return MainForm().Status().PanelText(0) == hint; });
        EXPECT_EQ(MainForm().Status().PanelText(0), hint);
    }
    POINT chart{5, 5};
    ClientToScreen(ChartForm().NewItemButton().Handle(), &chart);
    SetCursorPos(chart.x, chart.y);
    PostMessageW(ChartForm().NewItemButton().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    const std::wstring newItemHint = L" 新しいアイテムを作成します.";
    PumpUntil([&] { return MainForm().Status().PanelText(0) == newItemHint; });
    EXPECT_EQ(MainForm().Status().PanelText(0), newItemHint);
}

TEST_F(MainFormTest, EditsSaveAndOpenThroughTheMenusAndTheTitleFollows) {
    Start();
    Type(L"はじめの一行\U0001F600");
    EXPECT_EQ(Title(), L"無題 * - Miravo R.9.7");
    const fs::path target = folder / "tale.mve";
    ui.messages.clear();
    ui.saveAnswers = {target};
    Command(ID_NOVEL_SAVE);
    EXPECT_EQ(Title(), L"tale.mve - Miravo R.9.7");
    // The text typed into the editor reached the file (StoreToItem ran before the writer); the
    // character Shift-JIS lacks became "?" and the author was told.
    CNovelModel saved;
    test::RecordingInteraction quiet;
    ASSERT_EQ(LoadNovelFile(saved, target, quiet), NovelLoadResult::Loaded);
    EXPECT_EQ(saved.Items[0].Text.at(0), sjis::FromUtf8("はじめの一行?"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "情報");

    // Opening a file shows its title and first item (ChangeText and RefreshLists ran).
    const fs::path other = WriteNovel("other.mve");
    ui.openAnswers = {other};
    Command(ID_NOVEL_OPEN);
    EXPECT_EQ(Title(), L"other.mve - Miravo R.9.7");
    EXPECT_EQ(MainForm().NovelTitleLabel().Text(), L"海辺の物語");
    EXPECT_EQ(TextForm().NameEdit().Text(), L"opening");
    EXPECT_EQ(CounterForm().CounterList().Count(), 1);
    test::SaveScreenshot(Main(), "main-window-opened");

    // A wrong-magic file leaves a new, clean novel.
    const fs::path wrong = folder / "wrong.mve";
    std::ofstream(wrong, std::ios::binary) << std::string(3000, 'z');
    ui.openAnswers = {wrong};
    Command(ID_NOVEL_OPEN);
    EXPECT_EQ(Title(), L"無題 - Miravo R.9.7");
    EXPECT_EQ(TextForm().NameEdit().Text(), L"新規アイテム1");
    EXPECT_EQ(CounterForm().CounterList().Count(), 0);
    EXPECT_EQ(MainForm().NovelTitleLabel().Text(), L"");
}

TEST_F(MainFormTest, UntitledYesThenCancelledSaveAsKeepsTheEditorOpen) {
    Start();
    Type(L"changed");
    ui.messages.clear();
    ui.answers = {MessageResult::Yes};
    ui.saveAnswers = {std::nullopt};
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    Pump(50);
    ASSERT_TRUE(IsWindow(Main()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "保存の確認");
    EXPECT_EQ(Title(), L"無題 * - Miravo R.9.7");
    // No: the editor closes, deletes the scratch file and writes the settings file.
    std::ofstream(folder / "$testplay.tmp") << "scratch";
    ui.answers = {MessageResult::No};
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainForm().Handle()));
    EXPECT_FALSE(fs::exists(folder / "$testplay.tmp"));
    EXPECT_TRUE(fs::exists(folder / "MiravoEditor.ini"));
}

TEST_F(MainFormTest, RecentFilesGrowDuringARunAndTenSurviveARestart) {
    Start();
    std::vector<fs::path> files;
    for (int i = 0; i < 12; ++i) {
        files.push_back(folder / ("novel" + std::to_string(i) + ".mve"));
        ui.saveAnswers = {files.back()};
        Command(ID_NOVEL_SAVE_AS);
    }
    std::vector<std::wstring> entries = RecentMenu();
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries.front(), files.back().wstring());
    // Choosing an entry opens it; it moves to the top.
    Command(ID_RECENT_FIRST + 11);
    EXPECT_EQ(Title(), L"novel0.mve - Miravo R.9.7");
    EXPECT_EQ(RecentMenu().front(), files.front().wstring());
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    Stop();

    ui.messages.clear();
    Start();
    entries = RecentMenu();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), files.front().wstring());
    // Not the first start any more: no association question.
    for (const MessageRequest& request : ui.messages) {
        EXPECT_NE(request.caption, "ファイルの関連付け");
    }
}

TEST_F(MainFormTest, CommandLineFileIsReadAsANovelFileWhateverItsExtension) {
    const fs::path alpha = folder / "old.mvw";
    std::ofstream(alpha, std::ios::binary) << std::string(3000, 'a');
    Start({.commandLineFile = alpha});
    Pump(100);
    bool wrongMagic = false;
    for (const MessageRequest& request : ui.messages) {
        wrongMagic = wrongMagic || request.text == kWrongMagicMessage;
    }
    EXPECT_TRUE(wrongMagic);
    EXPECT_EQ(Title(), L"無題 - Miravo R.9.7");

    const fs::path novel = WriteNovel("given.mve");
    TearDown();
    SetUp();
    const fs::path again = WriteNovel("given.mve");
    Start({.commandLineFile = again});
    Pump(100);
    EXPECT_EQ(Title(), L"given.mve - Miravo R.9.7");
}

// The association tool is waited for: its exit code decides which message follows.
TEST_F(MainFormTest, AssociationReportsSuccessOnlyWhenTheToolSucceeded) {
    Start();
    const fs::path helpers = TestProgramFolder();
    for (const auto& [helper, text] :
         {std::pair{"exit_with_0.exe", "ファイルの関連付けが完了しました."},
          std::pair{"exit_with_1.exe", "関連付けの設定に失敗しました."}}) {
        fs::copy_file(helpers / helper, folder / "MiravoAssociator.exe",
                      fs::copy_options::overwrite_existing);
        ui.messages.clear();
        ui.answers = {MessageResult::Yes};
        Command(ID_ASSOCIATE);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].caption, "ファイルの関連付け");
        EXPECT_EQ(ui.messages[1].text, text);
    }
    fs::remove(folder / "MiravoAssociator.exe");
    ui.messages.clear();
    ui.answers = {MessageResult::Yes};
    Command(ID_ASSOCIATE);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].caption, "エラー");
}

TEST_F(MainFormTest, AboutBoxShowsTheVersionAndEndsWithOk) {
    Start();
    test::DialogDriver about(Window<TAboutForm>(), Main());
    EXPECT_EQ(about.Text(IDC_ABOUT_VERSION), L"バージョン R.9.7");
    EXPECT_EQ(about.Text(IDC_ABOUT_ENGINE), L"サウンドエンジン: なし (音声の試聴はできません)");
    Pump(100);
    test::SaveScreenshot(about.Handle(), "about-box");
    EXPECT_EQ(about.Press(IDOK), IDOK);
    EXPECT_EQ(about.Handle(), nullptr);
}

TEST_F(MainFormTest, NewItemButtonAddsAnItemAndTheChartPictureCanBeSaved) {
    Start();
    test::Click(ChartForm().NewItemButton().Handle());
    Pump(50);
    EXPECT_EQ(MainForm().Model().Items.Count(), 2);
    EXPECT_EQ(TextForm().NameEdit().Text(), L"新規アイテム2");
    EXPECT_EQ(Title(), L"無題 * - Miravo R.9.7");
    const fs::path picture = folder / "chart.bmp";
    ui.saveAnswers = {picture};
    Command(ID_CHART_BMP_SAVE);
    ASSERT_TRUE(fs::exists(picture));
    EXPECT_EQ(fs::file_size(picture), 54u + 1000u * 3u * 1200u);
}

} // namespace
} // namespace miravo
