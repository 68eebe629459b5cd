#include "editor/chart/ChartForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/AboutForm.h"
#include "editor/shell/EditorApplication.h"
#include "editor/shell/MVSound.h"
#include "editor/shell/Resource.h"
#include "editor/shell/Win32UserInteraction.h"
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

// The sizes in an icon group of the running program's resources.
std::vector<int> IconGroupSizes(int id) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));
    if (found == nullptr)
        return {};
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    std::vector<int> sizes;
    for (int i = 0; i < group[4]; ++i)
        sizes.push_back(group[6 + 14 * i]);
    return sizes;
}

class MainFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        // Whether the main window was on screen when each message appeared.
        ui.onMessage = [this](const MessageRequest&) {
            mainWindowVisible.push_back(IsWindowVisible(FindWindowW(L"MiravoMainForm", nullptr)));
        };
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
    // Replaces the script editing control's text as typing would (the control holds code page
    // 932 text: a character it cannot hold arrives as "?").
    void Type(const std::wstring& text) {
        ScriptEditControl& editor = TextForm().Editor();
        editor.SelectAll();
        editor.ReplaceSelection(NarrowToShiftJis(text));
        Pump(50);
    }
    // The popup under the caption, found by its caption wherever it stands: a maximized child
    // puts its system menu first in the menu bar.
    HMENU SubMenu(HMENU menu, const std::wstring& caption) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, i, text, 255, MF_BYPOSITION);
            if (text == caption)
                return GetSubMenu(menu, i);
        }
        return nullptr;
    }
    // Opens the File menu as a click would, and lists the recent-files submenu.
    std::vector<std::wstring> RecentMenu() {
        const HMENU file = SubMenu(GetMenu(Main()), L"ファイル(&F)");
        SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        std::vector<std::wstring> entries;
        ListMenu(SubMenu(file, L"最近使ったファイル(&R)"), L"", entries);
        return entries;
    }
    bool MenuItemEnabled(int command) {
        return !(GetMenuState(GetMenu(Main()), command, MF_BYCOMMAND) & MF_GRAYED);
    }
    bool ToolButtonEnabled(int command) {
        return SendMessageW(MainForm().Tools().Handle(), TB_ISBUTTONENABLED, command, 0);
    }

    fs::path folder;
    std::vector<bool> mainWindowVisible;
};

TEST_F(MainFormTest, StartupShowsANewNovelInTheFrameWithItsChildWindows) {
    Start();
    EXPECT_EQ(Title(), L"無題 - Miravo R.9.7");
    // One splash step per window: the frame, its three children, the about box, the playtest
    // dialog, the build wizard, the novel check, the command dialogs' opener and the novel
    // properties dialog.
    EXPECT_EQ(Editor().StartupSteps(), 10);
    // No MVSound.mvx in this program folder: one message, and the editor goes on; no settings
    // file yet: the first-run question follows once the window is on screen.
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "MVSound をロードできません.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_TRUE(mainWindowVisible[0]) << "shown before the main window, without an owner";
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
    EXPECT_EQ(ChartForm().Tools().ButtonCount(), 4);
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
        // The item text editor is active: its edit menu joins the bar.
        L"編集(&E)",
        L"  元に戻す(&U)\tCtrl+Z [off]",
        L"  やり直し(&R)\tShift+Ctrl+Z [off]",
        L"  -",
        L"  切り取り(&X)\tCtrl+X",
        L"  コピー(&C)\tCtrl+C",
        L"  張り付け(&V)\tCtrl+V",
        L"  全て選択(&A)\tCtrl+A",
        L"  -",
        L"  検索(&F)...\tCtrl+F",
        L"  置換(&R)...\tCtrl+H",
        L"  次を検索(&F)\tF3",
        L"  前を検索(&P)\tShift+F3",
        L"ノベル(&N)",
        L"  プロパティ(&P)...\tCtrl+P [off]",
        L"  テストプレイ(&T)\tF5 [off]",
        L"  ノベルのチェック(&K)...\tF7 [off]",
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

// Commands are enabled by the update pass: menus as they open, tool buttons whenever the loop is
// idle. A command whose window does not exist yet stays greyed whichever way it arrives.
TEST_F(MainFormTest, CommandsFollowTheUpdatePassAndAMergedMenuTakesPart) {
    Start();
    // The properties dialog gave its command an action; the test replaces it.
    Pump(50);
    EXPECT_TRUE(ToolButtonEnabled(ID_NOVEL_PROPERTY));
    int properties = 0;
    MainForm().Commands().SetAction(ID_NOVEL_PROPERTY, [&] { ++properties; });
    Pump(50);
    EXPECT_TRUE(ToolButtonEnabled(ID_NOVEL_PROPERTY));
    // The playtest dialog exists and the new novel has an item to start from.
    EXPECT_TRUE(ToolButtonEnabled(ID_TESTPLAY));
    const HMENU bar = GetMenu(Main());
    SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(SubMenu(bar, L"ノベル(&N)")),
                 0);
    EXPECT_TRUE(MenuItemEnabled(ID_NOVEL_PROPERTY));
    Command(ID_NOVEL_PROPERTY);
    // A command its predicate disables does nothing, whichever way it arrives.
    constexpr int kDisabledCommand = 9001;
    MainForm().Commands().Add(kDisabledCommand, [&] { ++properties; }, [] { return false; });
    EXPECT_FALSE(MainForm().Commands().IsEnabled(kDisabledCommand));
    Command(kDisabledCommand);
    EXPECT_EQ(properties, 1);

    // The text editor's "編集(&E)" joins the bar after File, also beside a maximized child's
    // system menu; its items are commands of the same table.
    SendMessageW(MainForm().MdiClient(), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(TextForm().Handle()), 0);
    const HMENU edit = TextForm().EditMenu();
    constexpr int kUndo = 3001;
    int file = 0;
    while (GetSubMenu(bar, file) != SubMenu(bar, L"ファイル(&F)"))
        ++file;
    EXPECT_EQ(GetSubMenu(bar, file + 1), edit);
    for (const bool enabled : {false, true}) {
        if (enabled) {
            TextForm().Editor().ReplaceSelection("x"); // something to undo
        }
        SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
        EXPECT_EQ((GetMenuState(edit, kUndo, MF_BYCOMMAND) & MF_GRAYED) == 0, enabled);
    }
    Pump(50);
    test::SaveScreenshot(Main(), "main-window-merged-menu");
    MainForm().UnmergeMenu(edit);
    EXPECT_EQ(SubMenu(bar, L"編集(&E)"), nullptr);
    MainForm().MergeMenu(edit, L"編集(&E)");
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
    const ToolBar& chartTools = ChartForm().Tools();
    POINT chart = chartTools.ButtonCentre(TChartForm::kNewItemCommand);
    SetCursorPos(chart.x, chart.y);
    ScreenToClient(chartTools.Handle(), &chart);
    PostMessageW(chartTools.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(chart.x, chart.y));
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
    // character Shift-JIS lacks became "?" as it entered the control.
    CNovelModel saved;
    test::RecordingInteraction quiet;
    ASSERT_EQ(LoadNovelFile(saved, target, quiet), NovelLoadResult::Loaded);
    EXPECT_EQ(saved.Items[0].Text.at(0), sjis::FromUtf8("はじめの一行?"));
    EXPECT_TRUE(ui.messages.empty());

    // Opening a file shows its title and first item (ChangeText and RefreshLists ran).
    const fs::path other = WriteNovel("other.mve");
    ui.openAnswers = {other};
    Command(ID_NOVEL_OPEN);
    EXPECT_EQ(Title(), L"other.mve - Miravo R.9.7");
    EXPECT_EQ(MainForm().NovelTitleLabel().Text(), L"海辺の物語");
    EXPECT_EQ(TextForm().NameEdit().Text(), L"opening");
    EXPECT_EQ(CounterForm().CounterList().RowCount(), 1);
    test::SaveScreenshot(Main(), "main-window-opened");

    // A wrong-magic file leaves a new, clean novel.
    const fs::path wrong = folder / "wrong.mve";
    std::ofstream(wrong, std::ios::binary) << std::string(3000, 'z');
    ui.openAnswers = {wrong};
    Command(ID_NOVEL_OPEN);
    EXPECT_EQ(Title(), L"無題 - Miravo R.9.7");
    EXPECT_EQ(TextForm().NameEdit().Text(), L"新規アイテム1");
    EXPECT_EQ(CounterForm().CounterList().RowCount(), 0);
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

// Ending the Windows session asks like a close; Cancel keeps the session, and its end cleans up
// as a close does (no close follows: the process just ends).
TEST_F(MainFormTest, SessionEndAsksTheSaveQuestionAndWritesTheSettings) {
    Start();
    Type(L"changed");
    ui.messages.clear();
    ui.answers = {MessageResult::Cancel, MessageResult::No};
    EXPECT_EQ(SendMessageW(Main(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(Main(), WM_QUERYENDSESSION, 0, 0), TRUE);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].caption, "保存の確認");
    std::ofstream(folder / "$testplay.tmp") << "scratch";
    SendMessageW(Main(), WM_ENDSESSION, TRUE, 0);
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
    // A maximized child puts its system menu first in the menu bar: the File menu is rebuilt all
    // the same, and an entry opens the file of its caption even when the list changed since.
    SendMessageW(MainForm().MdiClient(), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(TextForm().Handle()), 0);
    Pump(50);
    ASSERT_TRUE(IsZoomed(TextForm().Handle()));
    ui.saveAnswers = {folder / "latest.mve"};
    Command(ID_NOVEL_SAVE_AS);
    EXPECT_EQ(RecentMenu().at(1), files.front().wstring());
    ui.saveAnswers = {folder / "later.mve"};
    Command(ID_NOVEL_SAVE_AS);
    Command(ID_RECENT_FIRST + 1);
    // The frame's title names the maximized child after its own.
    EXPECT_TRUE(Title().starts_with(L"novel0.mve - Miravo R.9.7")) << Title();
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

// The program's icon at index 0 and the novel file's at index 1, in three sizes; every window
// class of the editor carries the program icon; the program has its version block.
TEST_F(MainFormTest, ProgramCarriesItsIconsAndVersion) {
    Start();
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(ExtractIconExW(program, -1, nullptr, nullptr, 0), 2u);
    EXPECT_EQ(IconGroupSizes(IDI_PROGRAM), (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(IconGroupSizes(IDI_NOVEL), (std::vector<int>{16, 32, 48}));
    for (const HWND window : {Main(), ChartForm().Handle(), TextForm().Handle(),
                              CounterForm().Handle()}) {
        EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0) << TextOf(window);
    }
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(program, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program, 0, static_cast<DWORD>(block.size()), block.data()));
    wchar_t* description = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_EQ(std::wstring(description), L"Miravo サウンドノベル エディタ");
}

// The splash was covered by the main window at once: it stays above it until it closes itself.
TEST_F(MainFormTest, SplashStaysAboveTheMainWindowUntilItCloses) {
    Create({.programFolder = folder, .themeLevel = 0});
    Editor().ShowMainWindow();
    Pump(300);
    ASSERT_TRUE(Editor().Splash().IsOpen());
    test::SaveScreenshot(GetDesktopWindow(), "splash-over-main-window");
    // What the screen shows at the splash's blue top band.
    RECT splash{};
    GetWindowRect(Editor().Splash().Handle(), &splash);
    const HDC screen = GetDC(nullptr);
    const COLORREF band = GetPixel(screen, splash.left + 3, splash.top + 3);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(GetBValue(band), GetRValue(band) + 80) << "the main window covers the splash";
    EXPECT_TRUE(PumpUntil([&] { return !Editor().Splash().IsOpen(); }, 10000));
}

// Nothing opens a file read-only: the open dialog offers no such box.
bool g_openDialogFound = false;
bool g_readOnlyBoxShown = true;
fs::path g_screenshotFolder; // the dialog moves the current folder while it browses
void CALLBACK InspectOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", L"開く...");
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    g_openDialogFound = true;
    g_readOnlyBoxShown = IsWindowVisible(GetDlgItem(dialog, 0x410 /* chx1 */));
    const fs::path browsed = fs::current_path();
    fs::current_path(g_screenshotFolder);
    test::SaveScreenshot(dialog, "open-dialog");
    fs::current_path(browsed);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(MainFormTest, OpenDialogOffersNoReadOnlyBox) {
    Win32UserInteraction dialogs;
    g_screenshotFolder = fs::current_path();
    SetTimer(nullptr, 0, 200, &InspectOpenDialog);
    EXPECT_FALSE(dialogs.AskOpenFile({.title = "開く...",
                                      .filter = "編集用ノベルファイル (*.mve)|*.mve",
                                      .initialFolder = folder}));
    ASSERT_TRUE(g_openDialogFound);
    EXPECT_FALSE(g_readOnlyBoxShown);
}

// "ウィンドウ位置を初期化" left strips of the child windows unpainted.
TEST_F(MainFormTest, ResetLayoutRepaintsTheChildWindowsCompletely) {
    Start();
    ui.answers = {MessageResult::Yes};
    Command(ID_RESET_WINDOW_LAYOUT);
    Pump(300);
    test::SaveScreenshot(Main(), "main-window-layout-reset");
    // Inside each control of the text editor, near its right end, the screen must not show the
    // client area's grey.
    const COLORREF grey = GetSysColor(COLOR_APPWORKSPACE);
    const HDC screen = GetDC(nullptr);
    for (HWND control = GetWindow(TextForm().Handle(), GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT bounds{};
        GetWindowRect(control, &bounds);
        EXPECT_NE(GetPixel(screen, bounds.right - 4, bounds.top + 3), grey)
            << "unpainted: control " << GetDlgCtrlID(control);
    }
    ReleaseDC(nullptr, screen);
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
    SendMessageW(ChartForm().ToolPanel().Handle(), WM_COMMAND,
                 MAKEWPARAM(TChartForm::kNewItemCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ChartForm().Tools().Handle()));
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
