#include "editor/shell/WindowLayoutWin32.h"
#include "LayoutTestWindows.h"
#include "MemoryProfileFile.h"
#include "editor/shell/Settings.h"
#include "editor/shell/UserInteraction.h"

#include <gtest/gtest.h>

using namespace miravo;
using miravo::test::LayoutTestWindows;
using miravo::test::MemoryProfileFile;

namespace {

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

// Where arranging must put the three windows in the frame as it is now.
ArrangedChildren Expected(const LayoutWindows& w) {
    SIZE client = ClientSize(w.mainForm);
    ArrangeMetrics m;
    m.mainClientWidth = client.cx;
    m.mainClientHeight = client.cy;
    m.toolBarHeight = LayoutTestWindows::kToolBarHeight;
    m.statusBarHeight = LayoutTestWindows::kStatusBarHeight;
    m.textFormWidth = GetWindowBounds(w.textForm).width;
    m.counterFormHeight = GetWindowBounds(w.counterForm).height;
    return ArrangeChildWindows(m);
}

void ExpectArranged(const LayoutWindows& w) {
    ArrangedChildren expected = Expected(w);
    EXPECT_EQ(GetWindowBounds(w.textForm), expected.textForm);
    EXPECT_EQ(GetWindowBounds(w.counterForm), expected.counterForm);
    EXPECT_EQ(GetWindowBounds(w.chartForm), expected.chartForm);
    // With the client edge of 2 pixels each side, the text editor ends at the client area's edge.
    EXPECT_EQ(expected.textForm.Right(), ClientSize(w.mdiClient).cx);
    EXPECT_EQ(expected.textForm.Bottom(), ClientSize(w.mdiClient).cy);
}

class ScriptedAnswer : public IUserInteraction {
public:
    explicit ScriptedAnswer(MessageResult answer) : answer_(answer) {}
    MessageResult ShowMessage(const MessageRequest& request) override {
        asked.push_back(request);
        return answer_;
    }
    std::vector<MessageRequest> asked;

private:
    MessageResult answer_;
};

} // namespace

TEST(WindowLayoutWin32, ArrangePlacesTheThreeWindowsAndRestoresMinimizedOnes) {
    LayoutTestWindows frame;
    const LayoutWindows& w = frame.Windows();
    SetWindowBounds(w.textForm, {5, 5, 430, 200});
    SetWindowBounds(w.counterForm, {5, 5, 250, 170});
    ShowWindow(w.chartForm, SW_MINIMIZE);
    ArrangeWindows(w);
    LayoutTestWindows::Pump();
    EXPECT_FALSE(IsIconic(w.chartForm));
    EXPECT_EQ(GetWindowBounds(w.textForm).width, 430);
    EXPECT_EQ(GetWindowBounds(w.counterForm).height, 170);
    ExpectArranged(w);
}

TEST(WindowLayoutWin32, ResetAsksWithNoAsDefaultThenMaximizesAndSetsTheSizes) {
    ScriptedAnswer no(MessageResult::No);
    EXPECT_FALSE(AskResetWindowLayout(no));
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0].text, "ウィンドウの位置を初期化しますか？");
    EXPECT_EQ(no.asked[0].caption, "ウィンドウ位置を初期化");
    EXPECT_EQ(no.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(no.asked[0].icon, MessageIcon::Question);
    EXPECT_EQ(no.asked[0].defaultButton, 2);
    ScriptedAnswer yes(MessageResult::Yes);
    EXPECT_TRUE(AskResetWindowLayout(yes));

    LayoutTestWindows frame;
    const LayoutWindows& w = frame.Windows();
    ResetWindowLayout(w);
    LayoutTestWindows::Pump();
    EXPECT_TRUE(IsZoomed(w.mainForm));
    EXPECT_EQ(ClientSize(w.textForm).cx, kResetTextFormClientWidth);
    EXPECT_EQ(ClientSize(w.counterForm).cy, kResetCounterFormClientHeight);
    WindowBounds panel = GetWindowBounds(w.linkPanel);
    EXPECT_EQ(panel.height, kResetLinkPanelHeight);
    EXPECT_EQ(panel.Bottom(), ClientSize(w.textForm).cy); // the text form laid it out again
    ExpectArranged(w);
}

TEST(WindowLayoutWin32, WithoutResumeTheEditorStartsMaximizedAndArranged) {
    MemoryProfileFile file;
    WriteResumeEnabled(file, false);
    WriteMaximized(file, kMainFormName, false);
    WriteWindowBounds(file, kMainFormName, {10, 10, 500, 400});
    LayoutTestWindows frame;
    EXPECT_FALSE(RestoreWindowLayout(file, frame.Windows()));
    LayoutTestWindows::Pump();
    EXPECT_TRUE(IsZoomed(frame.Windows().mainForm));
    ExpectArranged(frame.Windows());
}

TEST(WindowLayoutWin32, AMainWindowSavedOffScreenComesBackInsideAndChildrenTakeTheirBounds) {
    const int screenRight =
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenBottom =
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    MemoryProfileFile file;
    WriteMaximized(file, kMainFormName, false);
    WriteWindowBounds(file, kMainFormName, {screenRight + 2000, screenBottom + 500, 700, 500});
    WriteWindowBounds(file, kTextFormName, {300, 0, 350, 400});
    WriteWindowBounds(file, kCounterFormName, {0, 250, 290, 150});
    WriteWindowBounds(file, kChartFormName, {0, 0, 290, 240});
    file.WriteString("WindowLayout", "LinkPanelHeight", u"111");

    LayoutTestWindows frame;
    const LayoutWindows& w = frame.Windows();
    EXPECT_TRUE(RestoreWindowLayout(file, w));
    LayoutTestWindows::Pump();
    EXPECT_FALSE(IsZoomed(w.mainForm));
    EXPECT_EQ(GetWindowBounds(w.mainForm),
              (WindowBounds{screenRight - 700, screenBottom - 500, 700, 500}));
    EXPECT_EQ(GetWindowBounds(w.textForm), (WindowBounds{300, 0, 350, 400}));
    EXPECT_EQ(GetWindowBounds(w.counterForm), (WindowBounds{0, 250, 290, 150}));
    EXPECT_EQ(GetWindowBounds(w.chartForm), (WindowBounds{0, 0, 290, 240}));
    EXPECT_EQ(GetWindowBounds(w.linkPanel).height, 111);
}

TEST(WindowLayoutWin32, SavingWritesTheMaximizedStateAndTheNormalBoundsThatRestoreAgain) {
    MemoryProfileFile file;
    WindowBounds text, counter, chart, panel;
    {
        LayoutTestWindows frame;
        const LayoutWindows& w = frame.Windows();
        SetWindowBounds(w.mainForm, {60, 40, 820, 560});
        ArrangeWindows(w);
        SetWindowBounds(w.linkPanel, {0, 0, 100, 77});
        ShowWindow(w.mainForm, SW_MAXIMIZE);
        LayoutTestWindows::Pump();
        SaveWindowLayout(file, w, true);
        EXPECT_TRUE(IsZoomed(w.mainForm)); // its normal bounds read from its placement
        text = GetWindowBounds(w.textForm);
        counter = GetWindowBounds(w.counterForm);
        chart = GetWindowBounds(w.chartForm);
        panel = GetWindowBounds(w.linkPanel);
    }
    EXPECT_EQ(file.ReadString("WindowLayout", "ResumeEnabled"), u"1");
    EXPECT_EQ(file.ReadString("WindowLayout", "MainFormMaximized"), u"1");
    EXPECT_EQ(ReadWindowBounds(file, kMainFormName, {}), (WindowBounds{60, 40, 820, 560}));
    EXPECT_EQ(ReadWindowBounds(file, kLinkPanelName, {}), panel);

    LayoutTestWindows frame;
    const LayoutWindows& w = frame.Windows();
    EXPECT_TRUE(RestoreWindowLayout(file, w));
    LayoutTestWindows::Pump();
    EXPECT_TRUE(IsZoomed(w.mainForm));
    EXPECT_EQ(GetWindowBounds(w.textForm), text);
    EXPECT_EQ(GetWindowBounds(w.counterForm), counter);
    EXPECT_EQ(GetWindowBounds(w.chartForm), chart);
    EXPECT_EQ(GetWindowBounds(w.linkPanel).height, panel.height);
}

// Closing while minimized: the normal bounds and the state it returns to, never the icon's.
TEST(WindowLayoutWin32, AMinimizedWindowSavesItsNormalBoundsAndTheStateItRestoresTo) {
    for (const bool maximized : {false, true}) {
        MemoryProfileFile file;
        LayoutTestWindows frame;
        const LayoutWindows& w = frame.Windows();
        SetWindowBounds(w.mainForm, {60, 40, 820, 560});
        ArrangeWindows(w);
        const WindowBounds chart = GetWindowBounds(w.chartForm);
        ShowWindow(w.chartForm, SW_MINIMIZE);
        if (maximized)
            ShowWindow(w.mainForm, SW_MAXIMIZE);
        ShowWindow(w.mainForm, SW_MINIMIZE);
        LayoutTestWindows::Pump();
        ASSERT_TRUE(IsIconic(w.mainForm));
        SaveWindowLayout(file, w, true);
        EXPECT_EQ(file.ReadString("WindowLayout", "MainFormMaximized"), maximized ? u"1" : u"0");
        EXPECT_EQ(ReadWindowBounds(file, kMainFormName, {}), (WindowBounds{60, 40, 820, 560}));
        EXPECT_EQ(ReadWindowBounds(file, kChartFormName, {}), chart);
    }
}

TEST(WindowLayoutWin32, WithResumeOffOnlyTheSwitchIsWritten) {
    MemoryProfileFile file;
    LayoutTestWindows frame;
    SaveWindowLayout(file, frame.Windows(), false);
    EXPECT_EQ(file.ReadString("WindowLayout", "ResumeEnabled"), u"0");
    EXPECT_EQ(file.KeyCount("WindowLayout"), 1u);
}
