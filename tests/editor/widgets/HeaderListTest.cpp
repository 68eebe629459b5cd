#include "editor/widgets/HeaderList.h"
#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/PictureImages.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/editor/widgets/TestDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace miravo {
namespace {

// The counters list's sections: fixed, narrowest only, and narrowest and widest.
const std::vector<HeaderSection> kCounterSections = {
    {L"No.", 38, 38, 38}, {L"カウンタ名", 110, 100, 0}, {L"初期値", 50, 50, 0},
    {L"範囲", 70, 70, 0}, {L"繰越し", 50, 50, 60},
};

ListRow CounterRow(int row) {
    const std::wstring number = std::to_wstring(row + 1);
    return {{{{{number, true}}, 0},
             {{{L"カウンタ" + number}}},
             {{{std::to_wstring(row * 10), true}}, -1, CellAlign::Right},
             {{{L"-5～" + number, true}}, -1, CellAlign::Left, 8},
             {{{row % 2 == 0 ? L"する" : L"しない"}}}}};
}

class ListDialog : public Dialog {
public:
    explicit ListDialog(IUserInteraction& ui) : Dialog(IDD_TEST_CONTROLS, ui) {}
    THeaderList list;
    std::vector<WORD> heard;

protected:
    void OnInit() override { list.Attach(Item(IDC_TEST_LIST)); }
    bool OnCommand(int id, int notification, HWND) override {
        if (id != IDC_TEST_LIST) {
            return false;
        }
        heard.push_back(static_cast<WORD>(notification));
        return true;
    }
};

struct ListFixture {
    test::ScriptedInteraction ui;
    ListDialog dialog{ui};
    test::DialogDriver driver{dialog};
    ImageListHandle icons;

    explicit ListFixture(bool checkBoxes = false) {
        const CPicture counter = LoadBuiltinPicture(BuiltinPicture::CounterIcon);
        icons = CreatePictureImageList({&counter});
        dialog.list.Setup({.sections = kCounterSections,
                           .gridLines = true,
                           .checkBoxes = checkBoxes,
                           .images = icons.Get()});
        dialog.list.SetRowSource(3, &CounterRow);
        test::Pump(50);
    }
    HWND List() { return dialog.list.ListHandle(); }
    HWND Header() { return dialog.list.HeaderHandle(); }
    int RightEdge(int section) {
        RECT rect{};
        SendMessageW(Header(), HDM_GETITEMRECT, section, reinterpret_cast<LPARAM>(&rect));
        return rect.right;
    }
};

// Drags the divider at the right edge of `section` by `dx` as the mouse would; `during` runs
// while the button is still down.
void DragDivider(ListFixture& f, int section, int dx, const std::function<void()>& during = {}) {
    const int x = f.RightEdge(section) - 1;
    SendMessageW(f.Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 4));
    SendMessageW(f.Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, 4));
    SendMessageW(f.Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, 4));
    if (during) {
        during();
    }
    SendMessageW(f.Header(), WM_LBUTTONUP, 0, MAKELPARAM(x + dx, 4));
}

struct DragCase {
    const char* name;
    int section;
    int dx;
    int guideWidth; // the section's width that the guide line shows; 0: no guide
    int width;
};

TEST(HeaderListTest, DividerDragKeepsTheSectionsLimitsAndShowsAGuide) {
    for (const DragCase& c : std::vector<DragCase>{
             {"fixed section does not move", 0, 30, 0, 38},
             {"narrowed below its minimum", 1, -40, 100, 100},
             {"widened freely", 2, 25, 75, 75},
             {"widened beyond its maximum", 4, 30, 60, 60},
             {"narrowed within its limits", 4, 5, 55, 55},
         }) {
        SCOPED_TRACE(c.name);
        ListFixture f;
        RECT left{};
        SendMessageW(f.Header(), HDM_GETITEMRECT, c.section, reinterpret_cast<LPARAM>(&left));
        DragDivider(f, c.section, c.dx, [&] {
            EXPECT_EQ(f.dialog.list.GuideLine(), c.guideWidth == 0 ? -1 : left.left + c.guideWidth);
            if (c.guideWidth != 0 && c.section == 1) {
                // Inverted across the list: black below the rows, where the list is white.
                const WindowDc dc(f.List());
                EXPECT_EQ(GetPixel(dc.Get(), f.dialog.list.GuideLine(), 100), RGB(0, 0, 0));
                test::SaveScreenshot(f.driver.Handle(), "header-list-drag");
            }
        });
        EXPECT_EQ(f.dialog.list.GuideLine(), -1);
        EXPECT_EQ(f.dialog.list.SectionWidth(c.section), c.width);
        const bool resized = c.width != kCounterSections[c.section].width;
        EXPECT_EQ(std::count(f.dialog.heard.begin(), f.dialog.heard.end(), HLN_RESIZED),
                  resized ? 1 : 0);
    }
}

struct EventCase {
    const char* name;
    bool checkBoxes;
    std::function<void(ListFixture&)> act;
    std::vector<WORD> heard;
    int selected;
    std::vector<bool> checked;
};

void ClickRow(ListFixture& f, int row, int x, UINT message = WM_LBUTTONDOWN) {
    const RECT rect = f.dialog.list.RowRect(row);
    const LPARAM at = MAKELPARAM(x, (rect.top + rect.bottom) / 2);
    SendMessageW(f.List(), message, MK_LBUTTON, at);
    SendMessageW(f.List(), WM_LBUTTONUP, 0, at);
}

void Key(ListFixture& f, WPARAM key) {
    SetFocus(f.List());
    SendMessageW(f.List(), WM_KEYDOWN, key, 1);
    SendMessageW(f.List(), WM_KEYUP, key, 1);
}

TEST(HeaderListTest, RowsSelectionCheckBoxesAndKeysTellTheParent) {
    const std::vector<EventCase> cases = {
        {"click selects",
         false,
         [](auto& f) { ClickRow(f, 1, 60); },
         {HLN_SELCHANGE},
         1,
         {false, false, false}},
        {"double-click",
         false,
         [](auto& f) {
             ClickRow(f, 2, 60);
             ClickRow(f, 2, 60, WM_LBUTTONDBLCLK);
         },
         {HLN_SELCHANGE, HLN_DBLCLK},
         2,
         {false, false, false}},
        {"Delete key",
         false,
         [](auto& f) {
             f.dialog.list.Select(0);
             Key(f, VK_DELETE);
         },
         {HLN_DELETEKEY},
         0,
         {false, false, false}},
        {"check box click toggles",
         true,
         [](auto& f) { ClickRow(f, 1, 8); },
         {HLN_SELCHANGE, HLN_CHECKCHANGE},
         1,
         {false, true, false}},
        {"space toggles the selected row",
         true,
         [](auto& f) {
             f.dialog.list.Select(2);
             f.dialog.list.SetChecked(2, true);
             Key(f, VK_SPACE);
         },
         {HLN_CHECKCHANGE},
         2,
         {false, false, false}},
        {"fewer rows keep a selection that is still a row",
         false,
         [](auto& f) {
             f.dialog.list.Select(1);
             f.dialog.list.SetRowCount(2);
         },
         {},
         1,
         {false, false}},
        {"fewer rows drop a selection that is gone",
         false,
         [](auto& f) {
             f.dialog.list.Select(2);
             f.dialog.list.SetRows({CounterRow(0)});
         },
         {},
         -1,
         {false}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        ListFixture f(c.checkBoxes);
        c.act(f);
        // Whether the list tells the selection on press or on release is the system's choice.
        std::vector<WORD> heard = f.dialog.heard;
        std::vector<WORD> expected = c.heard;
        std::sort(heard.begin(), heard.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(heard, expected);
        EXPECT_EQ(f.dialog.list.Selected(), c.selected);
        ASSERT_EQ(f.dialog.list.RowCount(), static_cast<int>(c.checked.size()));
        for (std::size_t row = 0; row < c.checked.size(); ++row) {
            EXPECT_EQ(f.dialog.list.Checked(static_cast<int>(row)), c.checked[row]) << row;
        }
    }
}

TEST(HeaderListTest, APainterOfItsOwnGetsTheRowAndABoldFont) {
    ListFixture f;
    std::vector<int> rows;
    SIZE regular{};
    SIZE bold{};
    f.dialog.list.SetRowPainter([&](const RowPaintArgs& args) {
        rows.push_back(args.row);
        EXPECT_EQ(args.sections.size(), kCounterSections.size());
        SelectObject(args.dc, args.regular);
        GetTextExtentPoint32W(args.dc, L"10000", 5, &regular);
        SelectObject(args.dc, args.bold);
        GetTextExtentPoint32W(args.dc, L"10000", 5, &bold);
        LOGFONTW face{};
        GetObjectW(args.bold, sizeof face, &face);
        EXPECT_EQ(face.lfWeight, FW_BOLD);
    });
    UpdateWindow(f.List());
    test::Pump(100);
    EXPECT_EQ(std::set<int>(rows.begin(), rows.end()), std::set<int>({0, 1, 2}));
    EXPECT_GT(bold.cx, regular.cx);
}

TEST(HeaderListTest, ScreenshotOfCounterAndLinkRows) {
    ListFixture f;
    f.dialog.list.SetRowSource(4, &CounterRow);
    f.dialog.list.Select(1);
    test::Pump(200);
    test::SaveScreenshot(f.driver.Handle(), "header-list-counters");

    ListFixture links(true);
    links.dialog.list.SetSections({{L"有効", 40, 40, 40},
                                   {L"テキスト", 150},
                                   {L"リンク先アイテム", 120},
                                   {L"条件", 60, 60, 100}});
    links.dialog.list.SetRows({
        {{{{{L"1", true}}, -1, CellAlign::Left, 2},
          {{{L"森へ行く"}}},
          {{{L"森の入口"}}},
          {{{L"1"}, {L"≧"}, {L"3", true}}, 0}}},
        {{{{{L"2", true}}, -1, CellAlign::Left, 2},
          {{{L"帰る"}}},
          {{{L"家"}}},
          {{{L"エラー", true}}, 0}}},
        {{{{{L"3", true}}, -1, CellAlign::Left, 2}, {}, {}, {{{L"なし"}}}}},
    });
    links.dialog.list.SetChecked(0, true);
    test::Pump(200);
    test::SaveScreenshot(links.driver.Handle(), "header-list-links");
}

} // namespace
} // namespace miravo
