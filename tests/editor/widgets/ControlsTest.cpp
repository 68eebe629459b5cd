#include "editor/shell/ToolIcons.h"
#include "editor/widgets/CuteButton.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/editor/widgets/TestDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace miravo {
namespace {

// A dialog holding the controls by their template, recording what they tell it; the swatch and
// its "変更" button open the colour dialog as the fill and font dialogs do.
class ControlsDialog : public Dialog {
public:
    explicit ControlsDialog(IUserInteraction& ui) : Dialog(IDD_TEST_CONTROLS, ui) {}
    TUDNumeralEdit number;
    TUDNumeralEdit disabledNumber;
    TCuteButton swatch;
    std::vector<int> decided; // the value at each NEN_DECIDED
    int clicks = 0;
    int colorChanges = 0;

protected:
    void OnInit() override {
        number.Attach(Item(IDC_TEST_NUMBER));
        disabledNumber.Attach(Item(IDC_TEST_NUMBER_OFF));
        swatch.Attach(Item(IDC_TEST_SWATCH));
    }
    bool OnCommand(int id, int notification, HWND) override {
        if (id == IDC_TEST_NUMBER && notification == NEN_DECIDED) {
            decided.push_back(number.Value());
        } else if ((id == IDC_TEST_SWATCH || id == IDC_TEST_SWATCH_CHANGE) &&
                   notification == BN_CLICKED) {
            ++clicks;
            swatch.AskColor(Ui());
        } else if (id == IDC_TEST_SWATCH && notification == CBN_COLORCHANGED) {
            ++colorChanges;
        } else {
            return false;
        }
        return true;
    }
};

struct ControlsFixture {
    test::ScriptedInteraction ui;
    ControlsDialog dialog{ui};
    test::DialogDriver driver{dialog};
    HWND Edit() { return dialog.number.EditHandle(); }
};

void ClickAt(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressUpDown(ControlsFixture& f, bool up) {
    RECT area{};
    GetClientRect(f.dialog.number.UpDownHandle(), &area);
    ClickAt(f.dialog.number.UpDownHandle(), area.right / 2,
            up ? area.bottom / 4 : area.bottom * 3 / 4);
}

// Types into the field as a user does: focus, everything selected, one character at a time.
void TypeChars(ControlsFixture& f, std::wstring_view text) {
    SetFocus(f.Edit());
    SendMessageW(f.Edit(), EM_SETSEL, 0, -1);
    for (const wchar_t c : text) {
        SendMessageW(f.Edit(), WM_CHAR, c, 1);
    }
}

void Paste(ControlsFixture& f, const std::wstring& clip) {
    ASSERT_TRUE(OpenClipboard(f.driver.Handle()));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(data), clip.c_str(), (clip.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    SetFocus(f.Edit());
    SendMessageW(f.Edit(), EM_SETSEL, 0, -1);
    SendMessageW(f.Edit(), WM_CHAR, 0x16, 1); // Ctrl+V
}

void Leave(ControlsFixture& f) { SetFocus(f.driver.Item(IDOK)); }

using Action = std::function<void(ControlsFixture&)>;
Action SetText(std::wstring text) {
    return [=](ControlsFixture& f) { f.driver.SetText(IDC_TEST_NUMBER, text); };
}
Action Press(bool up) {
    return [=](ControlsFixture& f) { PressUpDown(f, up); };
}
Action ArrowUp() {
    return [](ControlsFixture& f) {
        SetFocus(f.Edit());
        SendMessageW(f.Edit(), WM_KEYDOWN, VK_UP, 1);
    };
}
Action Typed(std::wstring text, bool leave) {
    return [=](ControlsFixture& f) {
        TypeChars(f, text);
        if (leave) {
            Leave(f);
        }
    };
}
Action Pasted(std::wstring clip) {
    return [=](ControlsFixture& f) { Paste(f, clip); };
}

struct NumeralCase {
    const char* name;
    NumeralBounds bounds;
    int step;
    int start;
    Action act;
    int value;                // also what the field shows
    std::vector<int> decided; // notifications after the start value was set
};

TEST(NumeralEditTest, BoundsStepsTypingAndNotificationsOnATemplateControl) {
    const NumeralBounds all{};
    const NumeralBounds x640{0, 640};
    const Action emptied = [](ControlsFixture& f) {
        SetFocus(f.Edit());
        SetWindowTextW(f.Edit(), L"");
        Leave(f);
    };
    const std::vector<NumeralCase> cases = {
        {"set above the maximum", x640, 8, 0, SetText(L"700"), 640, {640}},
        {"up button stops at the maximum", x640, 8, 636, Press(true), 640, {640}},
        {"down button steps by the step", x640, 8, 100, Press(false), 92, {92}},
        {"arrow key steps", x640, 8, 16, ArrowUp(), 24, {24}},
        {"no overflow at the top of int",
         all,
         100,
         kNumeralHighest,
         Press(true),
         kNumeralHighest,
         {kNumeralHighest}},
        {"letters refused, committed on leaving", all, 1, 3, Typed(L"1a2x", true), 12, {12}},
        {"minus only at the start", all, 1, 0, Typed(L"-5-", false), -5, {-5}},
        {"full-width digits become digits", all, 1, 0, Typed(L"１２", false), 12, {12}},
        {"typed beyond the maximum is clamped", x640, 8, 0, Typed(L"9999", true), 640, {640}},
        {"paste cleaned to its digits", all, 1, 0, Pasted(L"-1,234 円"), -1234, {-1234}},
        {"paste without digits refused", all, 1, 77, Pasted(L"abc"), 77, {}},
        {"emptied field brings the value back", all, 1, 7, emptied, 7, {7}},
        {"long number saturates",
         all,
         1,
         0,
         SetText(L"-99999999999"),
         kNumeralLowest,
         {kNumeralLowest}},
        {"set by code is a commit",
         x640,
         8,
         0,
         [](ControlsFixture& f) { f.dialog.number.SetValue(-40); },
         0,
         {0}},
        // A bound is the program's decision: the value follows it without a notification.
        {"minimum above the maximum takes the maximum",
         {0, 10},
         1,
         4,
         [](ControlsFixture& f) { f.dialog.number.SetMinimum(20); },
         10,
         {}},
    };
    for (const NumeralCase& c : cases) {
        SCOPED_TRACE(c.name);
        ControlsFixture f;
        TUDNumeralEdit& number = f.dialog.number;
        number.SetMinimum(c.bounds.minimum);
        number.SetMaximum(c.bounds.maximum);
        number.SetStep(c.step);
        number.SetValue(c.start);
        f.dialog.decided.clear();
        c.act(f);
        EXPECT_EQ(f.driver.Text(IDC_TEST_NUMBER), std::to_wstring(c.value));
        EXPECT_EQ(number.Value(), c.value);
        EXPECT_EQ(f.dialog.decided, c.decided);
    }
    ControlsFixture f;
    f.dialog.number.SetMinimum(5);
    f.dialog.number.SetMaximum(-1); // below the minimum: takes the minimum
    EXPECT_EQ(f.dialog.number.Maximum(), 5);
    EXPECT_EQ(f.dialog.number.Value(), 5);
}

TEST(NumeralEditTest, MadeInCodeAndDisabledInATemplate) {
    ControlsFixture f;
    EXPECT_EQ(f.dialog.disabledNumber.Value(), 12); // the template's text is the first value
    EXPECT_EQ(f.dialog.number.Minimum(), kNumeralLowest);
    EXPECT_EQ(f.dialog.number.Maximum(), kNumeralHighest);
    EXPECT_EQ(f.dialog.number.Step(), 1);
    EXPECT_FALSE(IsWindowEnabled(f.dialog.disabledNumber.EditHandle()));

    TUDNumeralEdit made;
    made.Create({.parent = f.driver.Handle(),
                 .id = 300,
                 .x = 270,
                 .y = 12,
                 .width = 90,
                 .minimum = 300,
                 .step = 100,
                 .value = 5});
    EXPECT_EQ(made.Value(), 300);
    PressUpDown(f, true); // the template control, not this one
    EXPECT_EQ(made.Value(), 300);
    SendMessageW(made.UpDownHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 2));
    SendMessageW(made.UpDownHandle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 2));
    EXPECT_EQ(made.Value(), 400);
}

struct SwatchCase {
    const char* name;
    std::function<void(ControlsFixture&)> act;
    std::optional<std::uint32_t> answer;
    int clicks;
    std::uint32_t color;
    int changes;
};

TEST(CuteButtonTest, ActsLikeAButtonAndTakesAConfirmedColour) {
    const std::uint32_t start = 0x00336699;
    const std::vector<SwatchCase> cases = {
        {"mouse click", [](auto& f) { ClickAt(f.dialog.swatch.Handle(), 5, 5); }, 0x00102030, 1,
         0x00102030, 1},
        {"press released outside is no click",
         [](auto& f) {
             SendMessageW(f.dialog.swatch.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SendMessageW(f.dialog.swatch.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
         },
         0x00102030, 0, start, 0},
        {"Enter", [](auto& f) { SendMessageW(f.dialog.swatch.Handle(), WM_KEYDOWN, VK_RETURN, 1); },
         0x000000FF, 1, 0x000000FF, 1},
        {"space acts on release",
         [](auto& f) {
             SendMessageW(f.dialog.swatch.Handle(), WM_KEYDOWN, VK_SPACE, 1);
             EXPECT_EQ(f.dialog.clicks, 0);
             SendMessageW(f.dialog.swatch.Handle(), WM_KEYUP, VK_SPACE, 1);
         },
         0x00FFFFFF, 1, 0x00FFFFFF, 1},
        {"the neighbouring button",
         [](auto& f) { test::Click(f.driver.Item(IDC_TEST_SWATCH_CHANGE)); }, 0x00ABCDEF, 1,
         0x00ABCDEF, 1},
        {"cancelled colour dialog", [](auto& f) { ClickAt(f.dialog.swatch.Handle(), 5, 5); },
         std::nullopt, 1, start, 0},
    };
    for (const SwatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ControlsFixture f;
        f.dialog.swatch.SetColor(start);
        f.ui.colorAnswers.push_back(c.answer);
        c.act(f);
        EXPECT_EQ(f.dialog.clicks, c.clicks);
        EXPECT_EQ(f.dialog.swatch.Color(), c.color);
        EXPECT_EQ(f.dialog.colorChanges, c.changes);
        EXPECT_EQ(f.ui.colorDialogs, std::vector<std::uint32_t>(c.clicks, start));
    }
    // Enter belongs to the swatch while it has the focus, not to the default button.
    ControlsFixture f;
    MSG enter{};
    enter.hwnd = f.dialog.swatch.Handle();
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_TRUE(SendMessageW(f.dialog.swatch.Handle(), WM_GETDLGCODE, VK_RETURN,
                             reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE);
}

TEST(ControlsScreenshotTest, TheDialogWithItsControls) {
    ControlsFixture f;
    f.dialog.number.SetMaximum(640);
    f.dialog.number.SetValue(320);
    f.dialog.swatch.SetColor(0x003070E0);
    SetFocus(f.dialog.swatch.Handle());
    // Every tool glyph, below the controls, to look at.
    const ImageListHandle glyphs = CreateToolImages();
    ASSERT_EQ(ImageList_GetImageCount(glyphs.Get()), kToolImageCount);
    ToolBar tools;
    tools.Create({.parent = f.driver.Handle(), .x = 200, .y = 38, .width = 250, .height = 26},
                 glyphs.Get());
    for (int image = 0; image < kToolImageCount; ++image) {
        tools.AddButton({.command = 1000 + image, .image = image});
    }
    test::Pump(300);
    test::SaveScreenshot(f.driver.Handle(), "controls-dialog");
}

} // namespace
} // namespace miravo
