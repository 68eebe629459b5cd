// The fade dialog under Wine: its two modes, Preset, the outputs, the still preview when the
// novel's default names no effect, and the preview running (two moments that differ).
#include "editor/script/FadeForm.h"
#include "editor/script/CommandDialogResources.h"
#include "editor/widgets/BuiltinPictureResource.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

using test::DialogDriver;

class FadeFormTest : public testing::Test {
protected:
    test::ScriptedInteraction ui;
    TComFadeForm form{ui, LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster,
                      LoadBuiltinPicture(BuiltinPicture::FadeSampleB).raster};

    static int ClientHeight(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return client.bottom;
    }
    static std::wstring ListText(HWND list, int row) {
        wchar_t text[64]{};
        SendMessageW(list, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::wstring ComboSelection(HWND combo) {
        wchar_t text[64]{};
        const LRESULT row = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        SendMessageW(combo, CB_GETLBTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void ChooseType(DialogDriver& driver, int row) {
        SendMessageW(driver.Item(IDC_FADE_TYPES), LB_SETCURSEL, WPARAM(row), 0);
        SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_FADE_TYPES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(driver.Item(IDC_FADE_TYPES)));
    }
};

TEST_F(FadeFormTest, FirstOpeningStandardChoiceAndItsOutputs) {
    DialogDriver driver(form);
    EXPECT_EQ(ClientHeight(driver.Handle()), 361);
    EXPECT_TRUE(driver.Checked(IDC_FADE_STANDARD));
    EXPECT_FALSE(IsWindowEnabled(driver.Item(IDC_FADE_TYPES)));
    const HWND types = driver.Item(IDC_FADE_TYPES);
    EXPECT_EQ(SendMessageW(types, LB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(ListText(types, int(SendMessageW(types, LB_GETCURSEL, 0, 0))), L"ブレンド (1)");
    EXPECT_EQ(SendMessageW(driver.Item(IDC_FADE_VARIATIONS), CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ComboSelection(driver.Item(IDC_FADE_VARIATIONS)), L"標準");
    test::Pump(100);
    test::SaveScreenshot(driver.Handle(), "fade-standard-disabled");
    EXPECT_EQ(driver.Press(IDOK), IDOK);
    EXPECT_EQ(form.Result().choice.effect, 0);
    EXPECT_EQ(form.Result().fadeArguments, "");
    EXPECT_FALSE(form.Animating()); // hidden: both timers stopped

    // Second opening: "指定する(&A)", a type click rebuilds the variations.
    DialogDriver again(form);
    SendMessageW(again.Item(IDC_FADE_SPECIFY), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(again.Item(IDC_FADE_TYPES)));
    EXPECT_FALSE(IsWindowEnabled(again.Item(IDC_FADE_SPEED))); // standard speed still chosen
    ChooseType(again, 2);
    EXPECT_EQ(SendMessageW(again.Item(IDC_FADE_VARIATIONS), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(ComboSelection(again.Item(IDC_FADE_VARIATIONS)), L"1.左から右 (→)");
    SendMessageW(again.Item(IDC_FADE_SPECIFY_SPEED), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(again.Item(IDC_FADE_SPEED)));
    SetWindowTextW(again.Item(IDC_FADE_SPEED), L"30000"); // forced into 250..20000
    EXPECT_EQ(again.Press(IDOK), IDOK);
    EXPECT_EQ(form.Result().fadeArguments, "SHUTTER 1 20000");
    EXPECT_EQ(form.Result().choice.speed, 20000);
}

TEST_F(FadeFormTest, NoStandardModeWithAPreset) {
    form.SetNoStandardMode();
    form.Preset(2, 2, 1250);
    {
        DialogDriver driver(form);
        EXPECT_EQ(ClientHeight(driver.Handle()), 312);
        EXPECT_EQ(driver.Item(IDC_FADE_STANDARD), nullptr);
        EXPECT_EQ(driver.Item(IDC_FADE_STANDARD_SPEED), nullptr);
        EXPECT_TRUE(driver.Checked(IDC_FADE_SPECIFY_SPEED));
        const HWND types = driver.Item(IDC_FADE_TYPES);
        EXPECT_EQ(ListText(types, int(SendMessageW(types, LB_GETCURSEL, 0, 0))), L"ブラインド (2)");
        EXPECT_EQ(ComboSelection(driver.Item(IDC_FADE_VARIATIONS)), L"2.たて");
        EXPECT_EQ(driver.Text(IDC_FADE_SPEED), L"1250");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(form.Result().fadeArguments, "BLIND 2 1250");
    // The mode lasts one opening; the variation returns to the first entry.
    DialogDriver again(form);
    EXPECT_EQ(ClientHeight(again.Handle()), 361);
    EXPECT_EQ(ComboSelection(again.Item(IDC_FADE_VARIATIONS)), L"1.よこ");
    EXPECT_EQ(again.Press(IDCANCEL), IDCANCEL);
    EXPECT_EQ(form.Result().fadeArguments, "BLIND 2 1250"); // Cancel changes no output
}

TEST_F(FadeFormTest, StillPreviewWhenTheNovelDefaultNamesNoEffect) {
    form.SetNovelDefault({"DEFAULT", 1, 500});
    const CRaster sampleA = LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster;
    DialogDriver driver(form);
    test::Pump(300);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form.PreviewRaster(), sampleA);
}

TEST_F(FadeFormTest, PreviewRunsAndDiffersBetweenTwoMoments) {
    form.SetNovelDefault({"SHUTTER", 1, 2000});
    DialogDriver driver(form);
    test::Pump(500);
    const CRaster early = form.PreviewRaster();
    test::SaveScreenshot(driver.Handle(), "fade-mid-transition");
    test::Pump(700);
    const CRaster later = form.PreviewRaster();
    EXPECT_NE(early, later);
    ShowWindow(driver.Handle(), SW_HIDE);
    EXPECT_FALSE(form.Animating());
}

} // namespace
} // namespace miravo
