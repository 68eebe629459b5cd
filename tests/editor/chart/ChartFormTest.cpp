#include "editor/chart/ChartForm.h"
#include "editor/chart/ChartGlyphs.h"
#include "editor/chart/ChartLinks.h"
#include "editor/chart/ChartPainter.h"
#include "editor/chart/ChartStamps.h"
#include "editor/script/TextForm.h"
#include "editor/shell/EditorApplication.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/NumeralEdit.h"
#include "editor/widgets/Paint.h"
#include "novel/EditorError.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/MenuDriver.h"
#include "tests/editor/support/Screenshot.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace miravo {
namespace {

namespace fs = std::filesystem;

constexpr COLORREF kMenuBody = RGB(193, 255, 255);
constexpr COLORREF kMenuShadow = RGB(96, 127, 127);
constexpr COLORREF kCurrentOutline = RGB(255, 96, 0);
constexpr COLORREF kLink = RGB(82, 82, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class ChartFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miravo-chart-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        EditorDriver::Start({.programFolder = folder});
        ui.messages.clear();
        // The chart alone fills the frame, so that screenshots show it whole.
        SendMessageW(Editor().MainForm().MdiClient(), WM_MDIMAXIMIZE,
                     reinterpret_cast<WPARAM>(Chart().Handle()), 0);
        Pump(100);
    }
    void TearDown() override {
        Stop();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    TChartForm& Chart() { return Window<TChartForm>(); }
    ChartBox& Box() { return Chart().Chart(); }
    CNovelModel& Model() { return Editor().Session().Model(); }
    EditorState& State() { return Editor().Session().State(); }
    ChartOperations& Operations() { return Editor().Session().Chart(); }

    // Opens a novel of items at the given positions named "i0", "i1", ... with a link from each
    // to the next.
    void OpenNovel(std::vector<std::pair<int, int>> positions, int width = 1000,
                   int height = 1200) {
        CNovelModel model;
        model.Header.ChartWidth = width;
        model.Header.ChartHeight = height;
        for (std::size_t i = 0; i < positions.size(); ++i) {
            CNovelItem& item = model.Items.Add();
            item.Name = "i" + std::to_string(i);
            item.X = positions[i].first;
            item.Y = positions[i].second;
            item.Links[0].Target = "i" + std::to_string(i + 1);
        }
        Open(model);
    }
    void Open(CNovelModel& model) {
        const fs::path path = folder / "chart.mve";
        SaveNovelFile(model, path);
        OpenFile(path);
    }
    void OpenFile(const fs::path& path) {
        ui.openAnswers = {path};
        Command(ID_NOVEL_OPEN);
        Pump(50);
        ui.messages.clear();
    }
    // The pointer at a chart point, as the window gets it.
    void Mouse(UINT message, ChartPoint at, WPARAM keys = 0) {
        const ChartPoint scroll = Box().ScrollPosition();
        SendMessageW(
            Box().Handle(), message, keys,
            MAKELPARAM(static_cast<int>(at.x - scroll.x), static_cast<int>(at.y - scroll.y)));
    }
    void Drag(ChartPoint from, ChartPoint to, WPARAM keys = 0) {
        Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON | keys);
        Mouse(WM_MOUSEMOVE, {(from.x + to.x) / 2, (from.y + to.y) / 2}, MK_LBUTTON | keys);
        Mouse(WM_MOUSEMOVE, to, MK_LBUTTON | keys);
        Mouse(WM_LBUTTONUP, to, keys);
        Pump(30);
    }
    // The right button pressed and released: the selection, then the window's own pop-up menu.
    void RightClick(ChartPoint at) {
        Mouse(WM_RBUTTONDOWN, at, MK_RBUTTON);
        Mouse(WM_RBUTTONUP, at);
    }
    std::wstring StatusText() { return Editor().MainForm().Status().PanelText(0); }
    void ToolCommand(int id) {
        SendMessageW(Chart().ToolPanel().Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Chart().Tools().Handle()));
        Pump(30);
    }
    std::vector<std::pair<int, int>> Positions() {
        std::vector<std::pair<int, int>> positions;
        for (int i = 0; i < Model().Items.Count(); ++i) {
            positions.emplace_back(Model().Items[i].X, Model().Items[i].Y);
        }
        return positions;
    }

    fs::path folder;
};

TEST_F(ChartFormTest, SampleNovelShowsBoxesArrowsAndNamesInTheirOrder) {
    OpenFile(fs::path(MIRAVO_BUILT_SAMPLES) / "sample.mve");
    ASSERT_GT(Model().Items.Count(), 1);
    const CNovelItems& items = Model().Items;
    const int current = State().currentItem;
    int menuItems = 0;
    int shadows = 0;
    for (int i = 0; i < items.Count(); ++i) {
        // The shadow shows below the body (where no link crosses it).
        if (items[i].LinkType == kLinkMenu) {
            ++menuItems;
            shadows += Box().PixelAt(items[i].X + 70, items[i].Y + 22) == kMenuShadow;
        }
    }
    EXPECT_GE(shadows * 2, menuItems);
    const int x = items[current].X;
    const int y = items[current].Y;
    EXPECT_EQ(Box().PixelAt(x + 70, y + 1), kCurrentOutline);
    // A link's middle, where no box lies, is in the link colour.
    int checked = 0;
    for (const ChartLink& link : VisibleLinks(items)) {
        const ChartPoint from = AnchorOf(items[link.source].X, items[link.source].Y);
        const ChartPoint to = AnchorOf(items[link.target].X, items[link.target].Y);
        const ChartPoint middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
        if (link.usesCounter || from.x == to.x || from.y == to.y ||
            HitTest(items, {middle.x - 4, middle.y - 4, middle.x + 5, middle.y + 5})) {
            continue;
        }
        // A one-pixel line passes the middle or one of its neighbours.
        bool found = false;
        for (int d = -1; d <= 1 && !found; ++d) {
            found =
                Box().PixelAt(static_cast<int>(middle.x) + d, static_cast<int>(middle.y)) ==
                    kLink ||
                Box().PixelAt(static_cast<int>(middle.x), static_cast<int>(middle.y) + d) == kLink;
        }
        EXPECT_TRUE(found) << link.source << " -> " << link.target;
        ++checked;
    }
    EXPECT_GT(checked, 0);
    // The border's right edge runs along the last column, dash-dot.
    const int w = Model().Header.ChartWidth;
    int blue = 0;
    for (int row = 0; row < 40; ++row) {
        blue += Box().PixelAt(w - 1, 300 + row) == RGB(0, 0, 255);
    }
    EXPECT_GT(blue, 10);
    EXPECT_LT(blue, 40);
    test::SaveScreenshot(Editor().MainForm().Handle(), "chart-sample");
}

TEST_F(ChartFormTest, ClicksSelectAndDragsLandOnTheGridOnlyPastTheThreshold) {
    OpenNovel({{40, 40}, {300, 40}, {300, 300}});
    EXPECT_EQ(State().currentItem, 0);
    Editor().Session().ClearModified();
    // A click on the second box selects it.
    Mouse(WM_LBUTTONDOWN, {310, 45}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {310, 45});
    EXPECT_EQ(State().currentItem, 1);
    EXPECT_EQ(test::TextOf(Window<TTextForm>().NameEdit().Handle()), L"i1");
    // Less than 8 pixels: nothing moves, nothing is modified.
    Drag({310, 45}, {317, 52});
    EXPECT_EQ(Positions()[1], (std::pair{300, 40}));
    EXPECT_FALSE(State().modified);
    // A real drag: on the grid, modified.
    Mouse(WM_LBUTTONDOWN, {313, 45}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {380, 90}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {420, 131}, MK_LBUTTON);
    EXPECT_EQ(Box().DragState(), DragMode::Moving);
    Pump(50);
    test::SaveScreenshot(Editor().MainForm().Handle(), "chart-dragging");
    // Nothing moved yet: the box is only outlined.
    EXPECT_EQ(Positions()[1], (std::pair{300, 40}));
    Mouse(WM_LBUTTONUP, {420, 131});
    EXPECT_EQ(Positions()[1], (std::pair{408, 128}));
    EXPECT_TRUE(State().modified);
    // The outline was erased: the ground is white again where it was.
    EXPECT_EQ(Box().PixelAt(300, 60), kWhite);
}

TEST_F(ChartFormTest, BandsSelectSeveralBoxesWhichThenMoveTogether) {
    OpenNovel({{40, 40}, {300, 40}, {300, 300}, {600, 600}});
    // A band along the edge of the first box selects nothing.
    Drag({180, 10}, {250, 30});
    EXPECT_FALSE(Operations().Selection().active);
    Drag({20, 20}, {320, 50});
    EXPECT_TRUE(Operations().Selection().active);
    EXPECT_EQ(Operations().Selection().items, (std::vector<int>{1, 0}));
    Drag({290, 290}, {310, 310}, MK_SHIFT); // adds
    EXPECT_EQ(Operations().Selection().items, (std::vector<int>{1, 0, 2}));
    test::SaveScreenshot(Editor().MainForm().Handle(), "chart-multi-selection");
    // Hatched: the selection colour shows on every selected body.
    for (const int i : {0, 1, 2}) {
        int hatched = 0;
        for (int dx = 20; dx < 60; ++dx) {
            hatched += Box().PixelAt(Positions()[i].first + dx, Positions()[i].second + 17) ==
                       RGB(255, 160, 128);
        }
        EXPECT_GT(hatched, 0) << i;
    }
    Drag({45, 45}, {45 + 64, 45 + 32}); // by (64, 32), from the first box
    EXPECT_EQ(Positions(),
              (std::vector<std::pair<int, int>>{{104, 72}, {364, 72}, {364, 332}, {600, 600}}));
    // Dragged to the far left: each clamped on its own.
    Drag({110, 75}, {-300, 75});
    EXPECT_EQ(Positions()[0].first, 0);
    EXPECT_EQ(Positions()[1].first, 0);
    // A click outside ends the multi-selection.
    Drag({610, 610}, {611, 611});
    EXPECT_FALSE(Operations().Selection().active);
}

TEST_F(ChartFormTest, DeleteKeyPopupMarkAndNewItemsFromTheScrolledCorner) {
    OpenNovel({{40, 40}, {300, 40}, {300, 300}}, 3000, 3000);
    // The pop-up menu carries the commands.
    HMENU popup = Chart().PopupMenu();
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(popup, i, text, 63, MF_BYPOSITION);
        captions.emplace_back(text);
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"削除(&D)...\tDel", L"マーク(&M)",
                                                   L"マークへ移動(&J)", L"", L"新規アイテム(&N)"}));
    // A right click selects first.
    Mouse(WM_RBUTTONDOWN, {310, 310}, MK_RBUTTON);
    EXPECT_EQ(State().currentItem, 2);
    // Mark it, go elsewhere, come back through the tool bar.
    ToolCommand(ID_ITEM_MARK);
    EXPECT_EQ(Chart().MarkItemPanel().Text(), L"i2");
    Mouse(WM_LBUTTONDOWN, {50, 50}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {50, 50});
    ToolCommand(TChartForm::kMarkFocusCommand);
    EXPECT_EQ(State().currentItem, 2);

    // The Delete key asks and deletes.
    ui.answers = {MessageResult::Yes};
    SetFocus(Box().Handle());
    test::PressKey(VK_DELETE);
    PumpUntil([&] { return !ui.messages.empty(); });
    Pump(30);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "アイテム \"i2\" を削除してもよろしいですか？");
    EXPECT_EQ(Model().Items.Count(), 2);
    EXPECT_EQ(State().currentItem, 1);

    // New items start at the scrolled-to corner.
    Box().ScrollTo(205, 99);
    ToolCommand(TChartForm::kNewItemCommand);
    EXPECT_EQ(Positions().back(), (std::pair{208, 104}));
    EXPECT_EQ(State().currentItem, 2);

    // The wheel: 72 pixels a notch.
    Box().ScrollTo(0, 200);
    SendMessageW(Box().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(Box().ScrollPosition().y, 272);
    SendMessageW(Box().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
    EXPECT_EQ(Box().ScrollPosition().y, 128);
}

TEST_F(ChartFormTest, DeleteKeyDeletesWhereverTheChartWindowHoldsTheFocusAndNowhereElse) {
    OpenNovel({{40, 40}, {300, 40}, {300, 300}});
    const HWND client = Editor().MainForm().MdiClient();
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Chart().Handle()), 0);
    Pump(50);
    // Wherever the focus is inside the chart window, Delete asks about the current item.
    const std::pair<const char*, HWND> places[] = {{"tool bar", Chart().Tools().Handle()},
                                                   {"mark tool bar", Chart().MarkTools().Handle()},
                                                   {"mark panel", Chart().MarkItemPanel().Handle()},
                                                   {"tool panel", Chart().ToolPanel().Handle()},
                                                   {"window", Chart().Handle()},
                                                   {"chart", Box().Handle()}};
    for (const auto& [place, window] : places) {
        ui.messages.clear();
        ui.answers = {MessageResult::No};
        SetFocus(window);
        // The window itself hands the focus on to the chart.
        ASSERT_TRUE(GetFocus() == window || IsChild(window, GetFocus())) << place;
        test::PressKey(VK_DELETE);
        EXPECT_TRUE(PumpUntil([&] { return !ui.messages.empty(); }, 1000)) << place;
        ASSERT_EQ(ui.messages.size(), 1u) << place;
        EXPECT_EQ(ui.messages[0].text, "アイテム \"i0\" を削除してもよろしいですか？") << place;
        EXPECT_EQ(ui.messages[0].caption, "削除の確認") << place;
    }
    EXPECT_EQ(Model().Items.Count(), 3);

    // In the item text editor the key stays the script's: it deletes the character after the
    // caret, and the chart asks nothing.
    TTextForm& text = Window<TTextForm>();
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(text.Handle()), 0);
    text.Editor().SetText("abc");
    text.Editor().SetCaret(0, 0);
    SetFocus(text.Editor().EditorHandle());
    ui.messages.clear();
    test::PressKey(VK_DELETE);
    PumpUntil([&] { return text.Editor().Text() == "bc"; }, 1000);
    EXPECT_EQ(text.Editor().Text(), "bc");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Model().Items.Count(), 3);
}

TEST_F(ChartFormTest, RightClickSelectsFirstAndThePopupMenuRunsTheButtonsCommands) {
    OpenNovel({{40, 40}, {300, 40}, {300, 300}});
    TTextForm& text = Window<TTextForm>();
    text.Editor().SetText("edited before the right click");
    // Each right click lands on a box (or the empty chart), which becomes current before the
    // menu opens; the chosen entry then does what its tool button does.
    struct Step {
        const char* what;
        ChartPoint at;
        int command;
        int currentBeforeCommand;
        std::function<void()> check;
    };
    const Step steps[] = {
        {"mark",
         {310, 310},
         ID_ITEM_MARK,
         2,
         [&] { EXPECT_EQ(Chart().MarkItemPanel().Text(), L"i2"); }},
        {"go to mark",
         {50, 50},
         TChartForm::kMarkFocusCommand,
         0,
         [&] { EXPECT_EQ(State().currentItem, 2); }},
        {"delete",
         {310, 50},
         ID_ITEM_DELETE,
         1,
         [&] {
             ASSERT_EQ(ui.messages.size(), 1u);
             EXPECT_EQ(ui.messages[0].text, "アイテム \"i1\" を削除してもよろしいですか？");
             EXPECT_EQ(Model().Items.Count(), 2);
             EXPECT_EQ(Model().Items[1].Name, "i2");
         }},
        {"new item",
         {700, 700},
         TChartForm::kNewItemCommand,
         1,
         [&] {
             ASSERT_EQ(Model().Items.Count(), 3);
             EXPECT_EQ(Positions().back(), (std::pair{8, 8}));
             EXPECT_EQ(State().currentItem, 2);
         }},
    };
    bool first = true;
    for (const Step& step : steps) {
        ui.messages.clear();
        ui.answers = {MessageResult::Yes};
        test::PopupMenuDriver menu(step.command, [&] {
            // While the menu is up: the click has already selected, the item's text is stored.
            EXPECT_EQ(State().currentItem, step.currentBeforeCommand) << step.what;
            if (first) {
                EXPECT_EQ(Model().Items[0].Text.Joined(), "edited before the right click\r\n");
                EXPECT_EQ(test::TextOf(text.NameEdit().Handle()), L"i2");
                test::SaveScreenshot(Editor().MainForm().Handle(), "chart-popup-menu");
            }
        });
        RightClick(step.at);
        Pump(50);
        EXPECT_TRUE(menu.Shown()) << step.what;
        EXPECT_TRUE(menu.Chosen()) << step.what;
        EXPECT_EQ(menu.Entries(),
                  (std::vector<std::wstring>{L"削除(&D)...\tDel", L"マーク(&M)",
                                             L"マークへ移動(&J)", L"", L"新規アイテム(&N)"}))
            << step.what;
        step.check();
        first = false;
    }
    // Closed without a choice, the menu changes nothing.
    const std::vector<std::pair<int, int>> before = Positions();
    {
        test::PopupMenuDriver menu(0);
        RightClick({50, 50});
        Pump(50);
        EXPECT_TRUE(menu.Shown());
    }
    EXPECT_EQ(Positions(), before);
    EXPECT_EQ(State().currentItem, 0);
}

TEST_F(ChartFormTest, ToolButtonsAndTheChartShowTheirHintsInTheStatusBar) {
    OpenNovel({{40, 40}});
    struct Hover {
        const ToolBar* tools; // none: the chart image
        int command;
        std::wstring hint;
    };
    const Hover hovers[] = {
        {&Chart().Tools(), TChartForm::kNewItemCommand, L" 新しいアイテムを作成します."},
        {&Chart().Tools(), ID_ITEM_DELETE, L" 選択中のアイテムを削除します."},
        {&Chart().Tools(), TChartForm::kChartSizeCommand, L" チャートのサイズを変更します."},
        {&Chart().Tools(), ID_ITEM_MARK, L" 現在のアイテムをマークします"},
        {&Chart().MarkTools(), TChartForm::kMarkFocusCommand, L" マークアイテムに移動します"},
        {nullptr, 0, L" クリックで選択、ドラッグ＆ドロップで移動できます."},
    };
    for (const Hover& hover : hovers) {
        const HWND window = hover.tools != nullptr ? hover.tools->Handle() : Box().Handle();
        POINT point{300, 300};
        if (hover.tools != nullptr) {
            point = hover.tools->ButtonCentre(hover.command);
        } else {
            ClientToScreen(window, &point);
        }
        SetCursorPos(point.x, point.y);
        ScreenToClient(window, &point);
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        PumpUntil([&] { return StatusText() == hover.hint; }, 1000);
        EXPECT_EQ(StatusText(), hover.hint) << hover.command;
    }
}

TEST_F(ChartFormTest, SizeDialogAndBitmapExportReadBackPixelByPixel) {
    OpenNovel({{40, 40}, {300, 40}});
    test::DialogDriver dialog(Chart().SizeForm(), Chart().Handle());
    EXPECT_EQ(test::TextOf(dialog.Handle()), L"チャートサイズ変更");
    EXPECT_EQ(dialog.Text(IDC_CHART_WIDTH), L"1000");
    EXPECT_EQ(dialog.Text(IDC_CHART_HEIGHT), L"1200");
    // Numeric edits: the up key steps by 100, large sizes are taken, less than 300 is raised.
    SendMessageW(dialog.Item(IDC_CHART_HEIGHT), NEM_SETVALUE, 60000, 0);
    SendMessageW(
        reinterpret_cast<HWND>(SendMessageW(dialog.Item(IDC_CHART_HEIGHT), NEM_GETEDIT, 0, 0)),
        WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(dialog.Text(IDC_CHART_HEIGHT), L"60100");
    dialog.SetText(IDC_CHART_WIDTH, L"250"); // raised to the minimum
    EXPECT_EQ(dialog.Text(IDC_CHART_WIDTH), L"300");
    dialog.SetText(IDC_CHART_HEIGHT, L"450");
    Pump(50);
    test::SaveScreenshot(dialog.Handle(), "chart-size-dialog");
    EXPECT_EQ(dialog.Press(IDOK), IDOK);
    EXPECT_EQ(Model().Header.ChartWidth, 300);
    EXPECT_EQ(Model().Header.ChartHeight, 450);

    const fs::path picture = folder / "chart.bmp";
    Box().SaveBitmap(picture);
    std::ifstream in(picture, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::size_t row = (300 * 3 + 3) & ~3u;
    ASSERT_EQ(bytes.size(), 54 + row * 450);
    int different = 0;
    for (int y = 0; y < 450; ++y) {
        for (int x = 0; x < 300; ++x) {
            const auto* pixel =
                reinterpret_cast<const unsigned char*>(bytes.data()) + 54 + (449 - y) * row + x * 3;
            different += RGB(pixel[2], pixel[1], pixel[0]) != Box().PixelAt(x, y);
        }
    }
    EXPECT_EQ(different, 0);
}

TEST_F(ChartFormTest, HugeChartsOpenPaintTheVisiblePartAndExportInBands) {
    // 12000 x 3000: beyond the whole-picture limit, but a BMP can hold it.
    OpenNovel({{40, 40}, {11000, 2500}, {11200, 2600}}, 12000, 3000);
    EXPECT_FALSE(Box().HoldsWholeChart());
    Box().ScrollTo(10900, 2400);
    Pump(50);
    EXPECT_EQ(Box().PixelAt(11000 + 70, 2500 + 22), kMenuShadow);
    test::SaveScreenshot(Editor().MainForm().Handle(), "chart-huge-scrolled");
    // The band export shows the same pixels as the window.
    const fs::path picture = folder / "huge.bmp";
    Box().SaveBitmap(picture);
    const std::size_t row = (12000 * 3 + 3) & ~3u;
    ASSERT_EQ(fs::file_size(picture), 54 + row * 3000);
    std::ifstream in(picture, std::ios::binary);
    int different = 0;
    for (int y = 2400; y < 2600; y += 3) {
        std::string line(row, '\0');
        in.seekg(static_cast<std::streamoff>(54 + (2999 - y) * row));
        in.read(line.data(), static_cast<std::streamsize>(row));
        for (int x = 10900; x < 11300; ++x) {
            const auto* pixel = reinterpret_cast<const unsigned char*>(line.data()) + x * 3;
            different += RGB(pixel[2], pixel[1], pixel[0]) != Box().PixelAt(x, y);
        }
    }
    EXPECT_EQ(different, 0);

    // 60000 x 60000: opens and works; only the BMP export is refused, with a message.
    OpenNovel({{40, 40}, {59000, 59000}}, 60000, 60000);
    EXPECT_EQ(Model().Items.Count(), 2);
    Box().ScrollTo(58900, 58900);
    Pump(30);
    EXPECT_EQ(Box().PixelAt(59000 + 70, 59000 + 1), RGB(193, 255, 255));
    Mouse(WM_LBUTTONDOWN, {59010, 59010}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {59010, 59010});
    EXPECT_EQ(State().currentItem, 1);
    EXPECT_THROW(Box().SaveBitmap(folder / "too-large.bmp"), EditorError);
    EXPECT_FALSE(fs::exists(folder / "too-large.bmp"));
}

// The links drawn straight into the pixels against GDI's own lines on a chart with links in
// every direction: any pixel that differs is a link pixel with the same colour next to it in
// the other picture (one pixel's step along a line), and few differ.
TEST(ChartPainterTest, FastLinksMatchGdiLinesWithinOnePixel) {
    CNovelModel model;
    model.Header.ChartWidth = 700;
    model.Header.ChartHeight = 500;
    const std::pair<int, int> places[] = {{300, 220}, {40, 30},   {520, 40},  {560, 420},
                                          {20, 400},  {310, 20},  {600, 230}, {290, 460},
                                          {30, 230},  {300, 221}, {450, 300}, {150, 120}};
    for (std::size_t i = 0; i < std::size(places); ++i) {
        CNovelItem& item = model.Items.Add();
        // Names of spaces: nothing of them shows, so only lines can differ.
        item.Name = std::string(i + 1, ' ');
        item.X = places[i].first;
        item.Y = places[i].second;
    }
    // The centre links to every other box and back; 9 sits one pixel below 0: a short link.
    for (int i = 1; i < model.Items.Count(); ++i) {
        CNovelLink& out = model.Items[0].Links[(i - 1) % kLinkSlotCount];
        out.Enabled = true;
        out.Target = model.Items[i].Name;
        out.UseCounter = i % 3 == 0;
        CNovelLink& back = model.Items[i].Links[0];
        back.Enabled = true;
        back.Target = i % 2 ? model.Items[0].Name : model.Items[i].Name; // some to themselves
    }
    const FontHandle font = CreateUiFont(kUiFontFace, 9, false);
    const FontHandle bold = CreateUiFont(kUiFontFace, 9, true);
    // Two boxes selected besides the current one, and one marked: their hatching and glyph
    // are stamped too.
    const ChartSelection selection{.active = true, .items = {2, 5}};
    const std::string mark = model.Items[3].Name;
    const ImageListHandle marks = CreateChartMarkImages();
    const ChartScene scene{.model = &model,
                           .currentItem = 0,
                           .selection = &selection,
                           .markName = &mark,
                           .nameFont = font.Get(),
                           .currentNameFont = bold.Get(),
                           .markImages = marks.Get()};
    const int w = model.Header.ChartWidth;
    const int h = model.Header.ChartHeight;
    const std::size_t stride = (w * 3 + 3) & ~3;
    // GDI alone, links into the pixels, everything stamped.
    ChartStamps stamps(font.Get(), bold.Get());
    std::vector<std::uint8_t> pictures[3];
    for (int fast = 0; fast < 3; ++fast) {
        const BITMAPINFO info = TopDownDibInfo(w, h);
        void* pixels = nullptr;
        const BitmapHandle bitmap(
            CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap.Get());
        ChartScene painted = scene;
        painted.stamps = fast == 2 ? &stamps : nullptr;
        PaintChart(dc, painted, {0, 0}, w, h, fast ? static_cast<std::uint8_t*>(pixels) : nullptr,
                   stride);
        GdiFlush();
        SelectObject(dc, old);
        DeleteDC(dc);
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        pictures[fast].assign(bytes, bytes + stride * h);
    }
    const auto colour = [&](int which, int x, int y) {
        const std::uint8_t* p = pictures[which].data() + y * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    const auto isLink = [](COLORREF c) { return c == kLink || c == RGB(255, 151, 48); };
    // A link pixel of either colour next to (x, y) in that picture.
    const auto linkNear = [&](int which, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (x + dx >= 0 && y + dy >= 0 && x + dx < w && y + dy < h &&
                    isLink(colour(which, x + dx, y + dy)))
                    return true;
        return false;
    };
    int different = 0;
    int linkPixels = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF gdi = colour(0, x, y);
            const COLORREF fast = colour(1, x, y);
            linkPixels += isLink(gdi);
            if (gdi == fast) {
                continue;
            }
            ++different;
            // A line's pixel one step aside.
            const bool explained =
                (isLink(gdi) && linkNear(1, x, y)) || (isLink(fast) && linkNear(0, x, y));
            EXPECT_TRUE(explained)
                << x << "," << y << " gdi " << std::hex << gdi << " fast " << fast;
            if (!explained) {
                return;
            }
        }
    }
    EXPECT_GT(linkPixels, 1000);
    EXPECT_LT(different, linkPixels / 10) << different << " of " << linkPixels;
    // The stamps are GDI's own figures: the stamped picture is the same to the pixel.
    EXPECT_TRUE(pictures[2] == pictures[1]);
    int stampedDifferent = 0;
    for (std::size_t i = 0; i < pictures[1].size(); ++i) {
        stampedDifferent += pictures[1][i] != pictures[2][i];
    }
    EXPECT_EQ(stampedDifferent, 0);
}

} // namespace
} // namespace miravo
