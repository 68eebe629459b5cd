// The graphic and fill dialogs under Wine: the unchanged file field, a picture chosen from the
// novel-folder list and previewed, the picture-only mode, an unreadable picture, the fill lines.
#include "editor/script/GraphicForms.h"
#include "editor/script/CharacterForms.h"
#include "editor/script/CommandDialogResources.h"
#include "editor/script/CounterForms.h"
#include "editor/script/FadeForm.h"
#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/CuteButton.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/picture/PictureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace miravo {
namespace {

using test::DialogDriver;

struct RecordingOut : ICommandOut {
    std::vector<std::string> lines;
    void CommandOut(const std::string& line) override { lines.push_back(line); }
};

class GraphicFormsTest : public testing::Test {
protected:
    test::ScriptedInteraction ui;
    TComFadeForm fade{ui, LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster,
                      LoadBuiltinPicture(BuiltinPicture::FadeSampleB).raster};
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("miravo-graphic-" + std::to_string(GetTickCount()));

    void SetUp() override {
        std::filesystem::create_directories(folder / "bg");
        Write(folder / "bg" / "Room Night.bmp", test::EncodeBmp(test::PatternRaster(400, 200), 24));
        Write(folder / "broken.png", "not a picture");
        // 700 wide, with alpha: opaque left half, transparent right half.
        CRaster wide(700, 120);
        wide.Fill(0x00C0FF);
        CAlphaMap alpha(700, 120, 255);
        for (int y = 0; y < 120; ++y)
            for (int x = 350; x < 700; ++x)
                alpha.Row(y)[x] = 0;
        Write(folder / "chara.png", test::EncodePng(wide, alpha, test::PngKind::RgbAlpha));
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    static void Write(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static int ClientHeight(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return client.bottom;
    }
    static void ChooseEntry(DialogDriver& driver, const wchar_t* entry) {
        const LRESULT row = SendMessageW(driver.Item(IDC_COM_FILES), LB_FINDSTRINGEXACT, WPARAM(-1),
                                         reinterpret_cast<LPARAM>(entry));
        ASSERT_GE(row, 0) << entry;
        SendMessageW(driver.Item(IDC_COM_FILES), LB_SETCURSEL, WPARAM(row), 0);
        SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COM_FILES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(driver.Item(IDC_COM_FILES)));
    }
};

TEST_F(GraphicFormsTest, GraphicDialogResultsPreviewAndModes) {
    TComBackgraphForm graphic(ui, fade);
    {
        DialogDriver driver(graphic); // no novel folder yet: an empty list
        EXPECT_EQ(driver.Text(IDC_COM_FILE), L"*.jpg;*.bmp");
        EXPECT_EQ(ClientHeight(driver.Handle()), 365);
        EXPECT_EQ(driver.Text(IDC_FADE_PANEL_NAME), L"標準のフェード効果");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(graphic.Result(), "\"*.jpg;*.bmp\" ");

    graphic.SetNovelFolder(folder);
    graphic.SetPictureOnly();
    {
        DialogDriver driver(graphic);
        EXPECT_EQ(ClientHeight(driver.Handle()), 324);
        const HWND list = driver.Item(IDC_COM_FILES);
        ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
        ChooseEntry(driver, L"bg\\Room Night.bmp");
        EXPECT_EQ(driver.Text(IDC_COM_FILE), L"bg\\Room Night.bmp");
        ASSERT_TRUE(graphic.PreviewPicture().has_value());
        EXPECT_EQ(graphic.PreviewPicture()->raster.Width(), 400);
        test::Pump(150);
        test::SaveScreenshot(driver.Handle(), "graphic-preview");

        ChooseEntry(driver, L"broken.png"); // an error box, the preview stays empty
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_FALSE(graphic.PreviewPicture().has_value());
        EXPECT_NE(driver.Handle(), nullptr);
        ChooseEntry(driver, L"bg\\Room Night.bmp");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(graphic.File(), L"bg\\Room Night.bmp");
    EXPECT_EQ(graphic.Result(), "\"bg\\Room Night.bmp\" ");
    DialogDriver again(graphic); // the picture-only mode lasted one opening
    EXPECT_EQ(ClientHeight(again.Handle()), 365);
    EXPECT_EQ(again.Text(IDC_COM_FILE), L"bg\\Room Night.bmp");
}

TEST_F(GraphicFormsTest, FillDialogLines) {
    RecordingOut out;
    TComFillForm fill(ui, out, fade);
    ui.colorAnswers.push_back(0x00FF8040);
    {
        DialogDriver driver(fill);
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDC_COM_NUMBER)));
        test::Click(driver.Item(IDC_FILL_CHANGE));
        EXPECT_EQ(ui.colorDialogs, (std::vector<std::uint32_t>{0xFFFFFF}));
        EXPECT_EQ(SendMessageW(driver.Item(IDC_FILL_SWATCH), CBM_GETCOLOR, 0, 0), 0x00FF8040);
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    {
        DialogDriver driver(fill);
        driver.SetCheck(IDC_FILL_OPACITY, true);
        test::Click(driver.Item(IDC_FILL_OPACITY));
        EXPECT_TRUE(IsWindowEnabled(driver.Item(IDC_COM_NUMBER)));
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"50");
        test::Pump(100);
        test::SaveScreenshot(driver.Handle(), "fill");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    {
        DialogDriver driver(fill);
        EXPECT_FALSE(driver.Checked(IDC_FILL_OPACITY)); // cleared on opening
        EXPECT_EQ(driver.Press(IDCANCEL), IDCANCEL);
    }
    EXPECT_EQ(out.lines, (std::vector<std::string>{".GraphFill 64 128 255 100 ",
                                                   ".GraphFill 64 128 255 50 "}));
}

TEST_F(GraphicFormsTest, CharacterDialogPreviewAndRefusal) {
    const CRaster screen = LoadBuiltinPicture(BuiltinPicture::SampleScreen).raster;
    TComCharSetForm character(ui, screen);
    character.SetNovelFolder(folder);
    DialogDriver driver(character);
    EXPECT_EQ(driver.Text(IDC_COM_FILE), L"*.bmp;*.png");
    EXPECT_EQ(character.Canvas(), screen); // the background alone
    const HWND list = driver.Item(IDC_COM_FILES);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3); // bg\Room Night.bmp, broken.png, chara.png
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COM_FILES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    // CENTER: x = 320 - 350 = -30, clipped on both sides; MIDDLE: y = 240 - 60 = 180.
    EXPECT_EQ(character.Canvas().ColorAt(0, 200), 0x00C0FFu);
    EXPECT_EQ(character.Canvas().ColorAt(319, 200), 0x00C0FFu);
    for (int c = 0; c < 3; ++c) // transparent: the background, within the blit's rounding
        EXPECT_NEAR(character.Canvas().Pixel(320, 200)[c], screen.Pixel(320, 200)[c], 1);
    EXPECT_EQ(character.Canvas().ColorAt(10, 179), screen.ColorAt(10, 179));
    test::Pump(150);
    test::SaveScreenshot(driver.Handle(), "character-alpha");

    EXPECT_EQ(driver.Press(IDOK), std::nullopt); // no name: refused, still open
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "キャラクター名を入力してください。");
    driver.SetText(IDC_COM_NAME, L"A");
    driver.SetCheck(IDC_CHAR_MIDDLE, false);
    driver.SetCheck(IDC_CHAR_BOTTOM, true);
    test::Click(driver.Item(IDC_CHAR_BOTTOM));
    EXPECT_EQ(character.Canvas().ColorAt(0, 479), 0x00C0FFu);
    EXPECT_EQ(driver.Press(IDOK), IDOK);
    EXPECT_EQ(character.Result(), "\"A\" \"chara.png\" BOTTOM CENTER");
    EXPECT_EQ(character.Name(), L"A");
}

TEST_F(GraphicFormsTest, WindowDialogInItsTwoModes) {
    RecordingOut out;
    std::vector<CTextWindow> windows(2);
    windows[0].Name = "main";
    windows[1].Name = "sub";
    TComWindowSetForm window(ui, out);
    window.SetTextWindows(&windows);
    window.SetLinkWindowMode();
    {
        DialogDriver driver(window);
        EXPECT_EQ(test::TextOf(driver.Handle()), L"リンクウインドウを変更");
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDOK)));
        SendMessageW(driver.Item(IDC_COM_WINDOWS), CB_SETCURSEL, 1, 0);
        SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COM_WINDOWS, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(driver.Item(IDC_COM_WINDOWS)));
        EXPECT_TRUE(IsWindowEnabled(driver.Item(IDOK)));
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    window.SetWindowMode();
    {
        DialogDriver driver(window);
        EXPECT_EQ(test::TextOf(driver.Handle()), L"ウインドウ表示");
        EXPECT_EQ(SendMessageW(driver.Item(IDC_COM_WINDOWS), CB_GETCURSEL, 0, 0), CB_ERR);
        SendMessageW(driver.Item(IDC_COM_WINDOWS), CB_SETCURSEL, 0, 0);
        SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COM_WINDOWS, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(driver.Item(IDC_COM_WINDOWS)));
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{".LinkWindowSet \"sub\"", ".WindowSet \"main\""}));
}

} // namespace
} // namespace miravo

namespace miravo {
namespace {

// Whether the window shows the picture: every opaque pixel of it, at one place on the screen.
bool ShowsPicture(HWND window, const CPicture& picture) {
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* shown = static_cast<const std::uint8_t*>(bits);
    const CRaster& raster = picture.raster;
    bool found = false;
    for (int top = 0; !found && top + raster.Height() <= client.bottom; ++top) {
        for (int left = 0; !found && left + raster.Width() <= client.right; ++left) {
            found = true;
            for (int y = 0; found && y < raster.Height(); ++y) {
                for (int x = 0; found && x < raster.Width(); ++x) {
                    if (picture.alpha && picture.alpha->At(x, y) != 255)
                        continue;
                    const std::uint8_t* at =
                        shown + (std::size_t(top + y) * client.right + left + x) * 4;
                    found = std::equal(at, at + 3, raster.Pixel(x, y));
                }
            }
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    DeleteObject(bitmap);
    return found;
}

TEST(ListIconTest, CounterAndTextWindowRowsShowTheBuiltInIcons) {
    test::ScriptedInteraction ui;
    RecordingOut out;
    std::vector<CNovelCounter> counters(1);
    counters[0].Name = "HP";
    std::vector<CTextWindow> windows(1);
    windows[0].Name = "main";
    TComCtSetForm counterDialog(ui, out);
    counterDialog.SetCounters(&counters);
    TComWindowSetForm windowDialog(ui, out);
    windowDialog.SetTextWindows(&windows);
    const struct {
        const char* name;
        Dialog& dialog;
        int list;
        BuiltinPicture icon;
    } cases[] = {{"counter dialog", counterDialog, IDC_COM_COUNTERS, BuiltinPicture::CounterIcon},
                 {"window dialog", windowDialog, IDC_COM_WINDOWS, BuiltinPicture::TextWindowIcon}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver driver(c.dialog);
        const HWND list = driver.Item(c.list);
        SendMessageW(list, CB_SETCURSEL, 0, 0);
        InvalidateRect(list, nullptr, TRUE);
        test::Pump(100);
        EXPECT_TRUE(ShowsPicture(list, LoadBuiltinPicture(c.icon)));
        driver.Press(IDCANCEL);
    }
}

} // namespace
} // namespace miravo
