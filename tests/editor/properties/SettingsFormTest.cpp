#include "editor/properties/CounterForm.h"
#include "editor/properties/SettingsResource.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/novel/RecordingInteraction.h"
#include "tests/picture/PictureFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace miravo {
namespace {

namespace fs = std::filesystem;
using test::TextOf;

std::string Sjis(std::string_view utf8) { return sjis::FromUtf8(utf8); }

// What a modal dialog does once it is on screen: found by its caption from a timer, since the
// opening call returns only when the dialog has ended.
std::function<void(HWND)> pendingDialogAction;
std::wstring pendingDialogCaption;
void WhenDialogAppears(std::wstring caption, std::function<void(HWND)> action) {
    pendingDialogCaption = std::move(caption);
    pendingDialogAction = std::move(action);
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = FindWindowW(nullptr, pendingDialogCaption.c_str());
        if (dialog == nullptr || !IsWindowVisible(dialog))
            return;
        KillTimer(nullptr, timer);
        auto action = std::move(pendingDialogAction);
        action(dialog);
    });
}

// A committed value, as leaving the field after typing commits it.
void Enter(HWND numeral, int value) {
    SendMessageW(numeral, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_wstring(value).c_str()));
}

std::wstring CellText(const ListRow& row, int section) {
    std::wstring text;
    for (const TextRun& run : row.cells.at(section).runs)
        text += run.text;
    return text;
}

class SettingsFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miravo-settings-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        Start({.programFolder = folder, .showSplash = false});
        ui.messages.clear();
        // The settings window in front, large enough for its five sections.
        SendMessageW(MainForm().MdiClient(), WM_MDIACTIVATE, WPARAM(Form().Handle()), 0);
        SetWindowPos(Form().Handle(), HWND_TOP, 0, 0, 420, 300, SWP_SHOWWINDOW);
        Pump(100);
    }
    void TearDown() override {
        Stop();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    TMainForm& MainForm() { return Editor().MainForm(); }
    TCounterForm& Form() { return Window<TCounterForm>(); }
    EditorSession& Session() { return Editor().Session(); }
    CNovelModel& Model() { return Session().Model(); }
    std::string CounterName(int index) { return sjis::ToUtf8(Model().Counters[index].Name); }
    std::string WindowName(int index) { return sjis::ToUtf8(Model().TextWindows[index].Name); }

    fs::path folder;
};

TEST_F(SettingsFormTest, CountersAreNumberedListedEditedDeletedAndRestartAfterAnOpen) {
    EXPECT_EQ(Form().Tabs().Selected(), TCounterForm::kCountersTab);
    EXPECT_EQ(Form().NewButton().Hint(), L"|新しくカウンタを作成します.");
    EXPECT_EQ(Form().DeleteButton().Hint(), L"|カウンタを削除します.");
    EXPECT_EQ(Form().EditButton().Hint(), L"|選択しているカウンタを編集します.");
    EXPECT_EQ(Form().CounterList().Hint(), L"|カウンタ一覧です.  ダブルクリックで編集できます.");
    EXPECT_EQ(Form().CounterList().SectionCount(), 5);

    for (int i = 0; i < 3; ++i)
        test::Click(Form().NewButton().Handle());
    ASSERT_EQ(Model().Counters.Count(), 3);
    EXPECT_EQ(CounterName(0), "(新規カウンタ1)");
    EXPECT_EQ(CounterName(1), "(新規カウンタ2)");
    EXPECT_EQ(CounterName(2), "(新規カウンタ3)");
    EXPECT_EQ(Form().CounterList().RowCount(), 3);
    EXPECT_EQ(Form().CounterList().Selected(), -1); // a new counter is not selected
    EXPECT_TRUE(Session().State().modified);

    // Without a selected row the buttons do nothing.
    test::Click(Form().DeleteButton().Handle());
    test::Click(Form().EditButton().Handle());
    EXPECT_TRUE(ui.messages.empty());

    // Edited through the real dialog, opened by the button.
    Form().CounterList().Select(1);
    WhenDialogAppears(L"カウンタ編集", [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_COUNTER_NAME, L"好感度");
        Enter(GetDlgItem(dialog, IDC_COUNTER_MIN), -5);
        Enter(GetDlgItem(dialog, IDC_COUNTER_MAX), 10);
        Enter(GetDlgItem(dialog, IDC_COUNTER_VALUE), 3);
        CheckDlgButton(dialog, IDC_COUNTER_CARRY, BST_CHECKED);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    Session().State().modified = false;
    test::Click(Form().EditButton().Handle());
    const CNovelCounter& edited = Model().Counters[1];
    EXPECT_EQ(CounterName(1), "好感度");
    EXPECT_EQ(edited.MinValue, -5);
    EXPECT_EQ(edited.MaxValue, 10);
    EXPECT_EQ(edited.InitialValue, 3);
    EXPECT_TRUE(edited.CarryOver);
    EXPECT_TRUE(Session().State().modified);

    const ListRow row = Form().CounterRow(1);
    ASSERT_EQ(row.cells.size(), 5u);
    EXPECT_EQ(CellText(row, 0), L"2");
    EXPECT_TRUE(row.cells[0].runs[0].bold);
    EXPECT_EQ(row.cells[0].icon, 0);
    EXPECT_EQ(CellText(row, 1), L"好感度");
    EXPECT_EQ(CellText(row, 2), L"3");
    EXPECT_EQ(row.cells[2].align, CellAlign::Right);
    EXPECT_EQ(CellText(row, 3), L"-5～10");
    EXPECT_EQ(row.cells[3].indent, 8);
    EXPECT_TRUE(row.cells[3].runs[0].bold);
    EXPECT_EQ(CellText(row, 4), L"する");
    EXPECT_EQ(CellText(Form().CounterRow(0), 4), L"しない");
    Form().CounterList().Select(-1);
    Pump(100);
    test::SaveScreenshot(Form().Handle(), "settings-counters");

    // A double-click on a row edits it; Cancel stores nothing.
    bool opened = false;
    WhenDialogAppears(L"カウンタ編集", [&opened](HWND dialog) {
        opened = true;
        SetDlgItemTextW(dialog, IDC_COUNTER_NAME, L"changed");
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Form().CounterList().Select(2);
    SendMessageW(Form().CounterList().Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Form().CounterList().ListHandle()));
    EXPECT_TRUE(opened);
    EXPECT_EQ(CounterName(2), "(新規カウンタ3)");

    // Delete on the list, after the question; the link that names the counter stays.
    CNovelLink& link = Model().Items[0].Links[0];
    link.UseCounter = true;
    link.CounterName = Model().Counters[0].Name;
    Form().CounterList().Select(0);
    ui.answers = {MessageResult::Ok};
    SendMessageW(Form().CounterList().ListHandle(), WM_KEYDOWN, VK_DELETE, 0);
    Pump(50);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "カウンタ \"(新規カウンタ1)\" を削除してもよろしいですか？");
    EXPECT_EQ(ui.messages[0].caption, "削除の確認");
    EXPECT_EQ(Model().Counters.Count(), 2);
    EXPECT_EQ(Form().CounterList().RowCount(), 2);
    EXPECT_EQ(link.CounterName, Sjis("(新規カウンタ1)"));
    test::Click(Form().NewButton().Handle());
    EXPECT_EQ(CounterName(2), "(新規カウンタ4)");

    // Saved, read back, opened: the numbering starts again.
    const fs::path path = folder / "counters.mve";
    SaveNovelFile(Model(), path);
    CNovelModel read;
    test::RecordingInteraction notices;
    ASSERT_EQ(LoadNovelFile(read, path, notices), NovelLoadResult::Loaded);
    EXPECT_EQ(read.Counters, Model().Counters);
    Session().Lifecycle().OpenByExtension(path);
    EXPECT_EQ(Form().CounterList().RowCount(), 3);
    test::Click(Form().NewButton().Handle());
    EXPECT_EQ(CounterName(3), "(新規カウンタ1)");
}

TEST_F(SettingsFormTest, CounterEditRecomputesItsLimitsAndRefusesASpace) {
    Session().Counters().NewCounter();
    Model().Counters[0].InitialValue = 50;
    Form().CounterEditor().SetCounter(0);
    test::DialogDriver dialog(Form().CounterEditor(), Main());
    const TCounterEditForm& form = Form().CounterEditor();
    EXPECT_EQ(TextOf(dialog.Handle()), L"カウンタ編集");
    EXPECT_EQ(dialog.Text(IDC_COUNTER_NAME), L"(新規カウンタ1)");
    EXPECT_EQ(form.MinEdit().Value(), 0);
    EXPECT_EQ(form.MaxEdit().Value(), 100);
    EXPECT_EQ(form.ValEdit().Value(), 50);

    // A minimum above the maximum carries the maximum and the value up.
    Enter(dialog.Item(IDC_COUNTER_MIN), 200);
    EXPECT_EQ(form.MaxEdit().Value(), 200);
    EXPECT_EQ(form.MaxEdit().Minimum(), 200);
    EXPECT_EQ(form.MinEdit().Maximum(), 200);
    EXPECT_EQ(form.ValEdit().Value(), 200);
    Enter(dialog.Item(IDC_COUNTER_MAX), 300);
    EXPECT_EQ(form.MinEdit().Maximum(), 300);
    EXPECT_EQ(form.ValEdit().Minimum(), 200);
    EXPECT_EQ(form.ValEdit().Maximum(), 300);
    Enter(dialog.Item(IDC_COUNTER_VALUE), 999);
    EXPECT_EQ(form.ValEdit().Value(), 300);
    Enter(dialog.Item(IDC_COUNTER_MIN), -40);
    EXPECT_EQ(form.ValEdit().Minimum(), -40);
    EXPECT_EQ(form.MaxEdit().Minimum(), -40);
    EXPECT_EQ(form.ValEdit().Value(), 300);

    test::SaveScreenshot(dialog.Handle(), "counter-edit");
    dialog.SetText(IDC_COUNTER_NAME, L"a b");
    EXPECT_FALSE(dialog.Press(IDOK).has_value());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "カウンタ名にスペースを含むことは出来ません.");
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(CounterName(0), "(新規カウンタ1)");
    EXPECT_EQ(Model().Counters[0].MinValue, 0);

    dialog.SetText(IDC_COUNTER_NAME, L"全角　スペース");
    EXPECT_EQ(dialog.Press(IDOK), IDOK);
    EXPECT_EQ(CounterName(0), "全角　スペース");
    EXPECT_EQ(Model().Counters[0].MinValue, -40);
    EXPECT_EQ(Model().Counters[0].MaxValue, 300);
    EXPECT_EQ(Model().Counters[0].InitialValue, 300);

    // Cancel stores nothing.
    test::DialogDriver again(Form().CounterEditor(), Main());
    again.SetText(IDC_COUNTER_NAME, L"other");
    EXPECT_EQ(again.Press(IDCANCEL), IDCANCEL);
    EXPECT_EQ(CounterName(0), "全角　スペース");
}

TEST_F(SettingsFormTest, TextWindowsAreNumberedAndEditedWithTheirPreview) {
    TabCtrl_SetCurSel(Form().Tabs().Handle(), TCounterForm::kTextWindowsTab);
    NMHDR change{Form().Tabs().Handle(), IDC_SETTINGS_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(Form().Handle(), WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&change));
    EXPECT_TRUE(Form().WindowList().IsVisible());
    EXPECT_FALSE(Form().CounterList().IsVisible());
    EXPECT_EQ(Form().WindowNewButton().Hint(), L"|新しくテキストウインドウを作成します.");
    for (int i = 0; i < 3; ++i)
        test::Click(Form().WindowNewButton().Handle());
    EXPECT_EQ(WindowName(0), "(新規ウインドウ1)");
    EXPECT_EQ(WindowName(2), "(新規ウインドウ3)");
    EXPECT_EQ(CellText(Form().WindowRow(2), 0), L"3");
    EXPECT_EQ(CellText(Form().WindowRow(2), 1), L"(新規ウインドウ3)");

    // Not saved yet: the dialog does not open.
    Form().WindowList().Select(1);
    test::Click(Form().WindowEditButton().Handle());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "テキストウインドウを編集する前に、\r\nデータを一度保存してください。");

    // A novel folder with a window picture with alpha, and one bitmap.
    fs::create_directories(folder / "Win");
    CRaster frame(400, 120);
    frame.Fill(0x00804020);
    CAlphaMap alpha(400, 120, 160);
    for (int x = 0; x < 400; ++x)
        for (int y : {0, 1, 2, 117, 118, 119})
            alpha.Row(y)[x] = 255;
    std::ofstream(folder / "Win" / "Frame.PNG", std::ios::binary)
        << test::EncodePng(frame, alpha, test::PngKind::RgbAlpha);
    std::ofstream(folder / "plain.bmp", std::ios::binary) << test::EncodeBmp(CRaster(8, 8), 24);
    const fs::path path = folder / "windows.mve";
    SaveNovelFile(Model(), path);
    Session().State().hasFileName = true;
    Session().State().novelFolder = folder;
    Model().TextWindows[1].GraphicFile = "win\\frame.png";
    Model().TextWindows[1].VAlign = "BOTTOM";

    TTextWindowEditForm& editor = Form().WindowEditor();
    editor.SetWindow(1);
    {
        test::DialogDriver dialog(editor, Main());
        EXPECT_EQ(TextOf(dialog.Handle()), L"テキストウィンドウの編集");
        const HWND files = dialog.Item(IDC_WINDOW_FILES);
        ASSERT_EQ(SendMessageW(files, LB_GETCOUNT, 0, 0), 2);
        wchar_t entry[64] = {};
        SendMessageW(files, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, L"plain.bmp");
        SendMessageW(files, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, L"Win\\frame.png");
        // The stored name found its row without regard to case, and was loaded with its alpha.
        EXPECT_EQ(SendMessageW(files, LB_GETCURSEL, 0, 0), 1);
        EXPECT_TRUE(editor.ShowsPicture());
        EXPECT_TRUE(editor.PictureHasAlpha());
        EXPECT_TRUE(dialog.Checked(IDC_WINDOW_USE_GRAPHIC));
        EXPECT_TRUE(dialog.Checked(IDC_WINDOW_VBOTTOM));
        EXPECT_TRUE(dialog.Checked(IDC_WINDOW_HCENTER));
        EXPECT_EQ(dialog.Text(IDC_WINDOW_FILE), L"Win\\frame.png");
        // The picture's bottom edge sits on the screen's; the fill pulses over the rectangle.
        const CRaster shown = editor.PreviewImage();
        EXPECT_EQ(shown.ColorAt(320, 479), 0x00804020u);
        const int start = editor.Frame();
        EXPECT_TRUE(test::PumpUntil([&] { return editor.Frame() >= start + 3; }, 3000));
        test::SaveScreenshot(dialog.Handle(), "text-window-edit-png");

        // Placement and an inverted rectangle, stored as entered.
        test::Click(dialog.Item(IDC_WINDOW_HRIGHT));
        EXPECT_EQ(editor.HAlign(), "RIGHT");
        Enter(dialog.Item(IDC_WINDOW_LEFT), 600);
        Enter(dialog.Item(IDC_WINDOW_TOP), 400);
        Enter(dialog.Item(IDC_WINDOW_RIGHT), 40);
        Enter(dialog.Item(IDC_WINDOW_BOTTOM), 999); // beyond the screen: 480
        dialog.SetText(IDC_WINDOW_NAME, L"");
        EXPECT_FALSE(dialog.Press(IDOK).has_value());
        EXPECT_EQ(ui.messages.back().text, "テキストウインドウ名を入力してください。");
        dialog.SetText(IDC_WINDOW_NAME, L"会話");
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    const CTextWindow& window = Model().TextWindows[1];
    EXPECT_EQ(WindowName(1), "会話");
    EXPECT_EQ(window.GraphicFile, "Win\\frame.png");
    EXPECT_EQ(window.VAlign, "BOTTOM");
    EXPECT_EQ(window.HAlign, "RIGHT");
    EXPECT_EQ(window.TextRect, (CWindowRect{600, 400, 40, 480}));

    // The picture switched off stores no file.
    editor.SetWindow(0);
    {
        test::DialogDriver dialog(editor, Main());
        EXPECT_FALSE(editor.ShowsPicture());
        SendMessageW(dialog.Item(IDC_WINDOW_FILES), LB_SETCURSEL, 0, 0);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_WINDOW_FILES, LBN_SELCHANGE),
                     LPARAM(dialog.Item(IDC_WINDOW_FILES)));
        EXPECT_TRUE(editor.ShowsPicture());
        EXPECT_FALSE(editor.PictureHasAlpha());
        dialog.SetCheck(IDC_WINDOW_USE_GRAPHIC, false);
        test::Click(dialog.Item(IDC_WINDOW_USE_GRAPHIC));
        EXPECT_FALSE(editor.ShowsPicture());
        EXPECT_EQ(dialog.Text(IDC_WINDOW_FILE), L"");
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    EXPECT_EQ(Model().TextWindows[0].GraphicFile, "");

    SaveNovelFile(Model(), path);
    CNovelModel read;
    test::RecordingInteraction notices;
    ASSERT_EQ(LoadNovelFile(read, path, notices), NovelLoadResult::Loaded);
    EXPECT_EQ(read.TextWindows, Model().TextWindows);

    // Deleting asks, and the numbering restarts after an open.
    Form().WindowList().Select(0);
    ui.answers = {MessageResult::Ok};
    test::Click(Form().WindowDeleteButton().Handle());
    EXPECT_EQ(Model().TextWindows.Count(), 2);
    Session().Lifecycle().OpenByExtension(path);
    EXPECT_EQ(Form().WindowList().RowCount(), 3);
    test::Click(Form().WindowNewButton().Handle());
    EXPECT_EQ(WindowName(3), "(新規ウインドウ1)");
}

} // namespace
} // namespace miravo
