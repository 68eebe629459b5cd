#include "editor/widgets/Dialog.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/Window.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/widgets/TestDialog.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace miravo {
namespace {

// A dialog of the usual shape: initial value on show, validation and write-back on OK.
class NameDialog : public Dialog {
public:
    explicit NameDialog(IUserInteraction& ui) : Dialog(IDD_TEST_NAME, ui) {}
    std::wstring name;

protected:
    void OnInit() override { SetItemText(IDC_TEST_NAME, name); }
    bool OnOK() override {
        const std::wstring text = ItemText(IDC_TEST_NAME);
        if (text.empty()) {
            return Refuse("名前を入力してください.");
        }
        name = text;
        return true;
    }
};

TEST(DialogTest, IsDrivenWithoutAModalLoopAndItsValidationBoxReachesTheAnswerer) {
    test::ScriptedInteraction ui;
    NameDialog dialog(ui);
    dialog.name = L"春";
    {
        test::DialogDriver driver(dialog);
        EXPECT_EQ(driver.Text(IDC_TEST_NAME), L"春");
        driver.SetText(IDC_TEST_NAME, L"");
        EXPECT_EQ(driver.Press(IDOK), std::nullopt); // refused: still open
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "名前を入力してください.");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        driver.SetText(IDC_TEST_NAME, L"夏");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
        EXPECT_EQ(driver.Handle(), nullptr);
    }
    EXPECT_EQ(dialog.name, L"夏");
    test::DialogDriver again(dialog);
    again.SetText(IDC_TEST_NAME, L"秋");
    EXPECT_EQ(again.Press(IDCANCEL), IDCANCEL);
    EXPECT_EQ(dialog.name, L"夏"); // Cancel writes nothing back
}

// Paints two parts, the first of which fails; or throws past the parts altogether.
class FailingPainter : public Window {
public:
    int shown = 0;
    int painted = 0;
    bool throwOutside = false;

    void Create() {
        RegisterWindowClass({.name = L"MiravoPaintTest"});
        Window::Create({.className = L"MiravoPaintTest",
                        .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        .x = 10,
                        .y = 10,
                        .width = 200,
                        .height = 120});
    }
    void OnException(std::exception_ptr) override { ++shown; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) {
            return Window::HandleMessage(message, wParam, lParam);
        }
        if (throwOutside) {
            throw std::runtime_error("painter");
        }
        const PaintScope paint(Handle());
        PaintPart([] { throw std::runtime_error("first part"); });
        PaintPart([&] { ++painted; });
        return 0;
    }
};

TEST(WindowPaintTest, AFailingPainterIsShownOnceAndTheRestStillPaints) {
    for (const bool outside : {false, true}) {
        FailingPainter window;
        window.throwOutside = outside;
        window.Create();
        for (int i = 0; i < 3; ++i) {
            window.Invalidate();
            UpdateWindow(window.Handle());
            test::Pump(50);
        }
        EXPECT_EQ(window.shown, 1) << "outside: " << outside;
        if (!outside) {
            EXPECT_GE(window.painted, 3);
        }
    }
}

} // namespace
} // namespace miravo
