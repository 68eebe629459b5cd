#include "editor/script/TextForm.h"
#include "editor/script/PropertyForm.h"
#include "editor/script/ScriptResource.h"
#include "editor/script/TextFormIds.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/widgets/NumeralEdit.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace miravo {
namespace {

namespace fs = std::filesystem;

std::string Sjis(std::string_view utf8) { return sjis::FromUtf8(utf8); }

CNovelLink Link(bool enabled, std::string text, std::string target, std::string counter = {},
                int threshold = 1) {
    CNovelLink link;
    link.Enabled = enabled;
    link.LinkText = std::move(text);
    link.Target = std::move(target);
    link.UseCounter = !counter.empty();
    link.CounterName = std::move(counter);
    link.Threshold = threshold;
    return link;
}

// The item text editor in the whole editor, under Wine, typed into through the real control.
class TextFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miravo-text-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        Start({.programFolder = folder});
        ui.messages.clear();
        // The editor shows its first item; the tests write into it.
        Form().ChangeText();
    }
    void TearDown() override {
        Stop();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    TTextForm& Form() { return Window<TTextForm>(); }
    ScriptEditControl& Control() { return Form().Editor(); }
    EditorSession& Session() { return Editor().Session(); }
    CNovelItem& Item() { return Session().Model().Items[Session().State().currentItem]; }
    // The item's script as the window shows it, then the caret where a test puts it.
    void Show(std::initializer_list<const char*> lines) {
        std::vector<std::string_view> sjisLines;
        std::vector<std::string> storage;
        for (const char* line : lines) {
            storage.push_back(Sjis(line));
        }
        Item().Text = {};
        for (const std::string& line : storage) {
            Item().Text.push_back(line);
        }
        Form().ChangeText();
        Pump(20);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < Control().LineCount(); ++i) {
            lines.push_back(sjis::ToUtf8(Control().Line(i)));
        }
        return lines;
    }
    void CaretAt(int line, int byteOffset) {
        Control().SetCaret(Control().LineToRow(line), byteOffset);
    }
    void CtrlEnter() { Form().EditorKeyDown(VK_RETURN, false, true, false); }
    void Char(wchar_t c) { SendMessageW(Control().EditorHandle(), WM_CHAR, c, 0); }

    fs::path folder;
};

TEST_F(TextFormTest, TypingPastingJapaneseUndoAndRedoThroughTheControl) {
    Show({});
    EXPECT_FALSE(Form().UndoButtonEnabled());
    EXPECT_FALSE(Form().RedoButtonEnabled());
    for (wchar_t c : std::wstring(L"ab")) {
        Char(c);
    }
    // Japanese through the clipboard, as an IME or another program hands it over.
    const std::wstring japanese = L"日本語のテキスト";
    ASSERT_TRUE(OpenClipboard(Main()));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (japanese.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), japanese.c_str(), (japanese.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    Form().RunCommand(ID_EDIT_PASTE);
    Pump(20);
    EXPECT_EQ(Control().Text(), Sjis("ab日本語のテキスト"));
    EXPECT_TRUE(Session().State().modified);
    EXPECT_TRUE(Form().UndoButtonEnabled());
    EXPECT_FALSE(Form().RedoButtonEnabled());
    EXPECT_EQ(Form().PositionText(), L"\t\t1/2 行");

    Form().RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Control().Text(), "ab");
    EXPECT_TRUE(Form().RedoButtonEnabled());
    Form().RunCommand(ID_EDIT_REDO);
    EXPECT_EQ(Control().Text(), Sjis("ab日本語のテキスト"));
    // The edit menu's Undo and Redo follow the control through the command table.
    EXPECT_TRUE(Editor().MainForm().Commands().IsEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Editor().MainForm().Commands().IsEnabled(ID_EDIT_REDO));

    // Insert toggles overwrite mode.
    EXPECT_EQ(Form().InputModeText(), L"\t挿入");
    Form().EditorKeyDown(VK_INSERT, false, false, false);
    EXPECT_EQ(Form().InputModeText(), L"\t上書");
    Form().EditorKeyDown(VK_INSERT, false, false, false);

    // StoreToItem writes the lines back.
    Form().StoreToItem();
    EXPECT_EQ(Item().Text.Joined(), Sjis("ab日本語のテキスト\r\n"));
}

TEST_F(TextFormTest, CtrlEnterAtStartMiddleAndEndNeverSplitsACharacter) {
    Show({"あいう", "x"});
    CaretAt(0, 2);
    CtrlEnter();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"あ@", "いう", "x"}));
    EXPECT_EQ(Control().RowToLine(Control().CaretRow()), 1);
    EXPECT_EQ(Control().CaretColumn(), 0);

    Show({"あいう"});
    CaretAt(0, 0);
    CtrlEnter();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"@", "あいう"}));

    Show({"あいう"});
    CaretAt(0, 6);
    CtrlEnter();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"あいう@", ""}));
    // One undo step takes the whole insertion back.
    Form().RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"あいう"}));

    // Through the control as the keyboard sends it: the key with Ctrl held, then the line feed
    // character it makes, which must not reach the text.
    Show({"ab"});
    CaretAt(0, 1);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Control().EditorHandle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(Control().EditorHandle(), WM_CHAR, '\n', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a@", "b"}));
}

TEST_F(TextFormTest, FontLinesArriveInOrderAtTheCaretLineAndFixedEntriesWrite) {
    Show({"l0", "l1", "l2", "l3", "l4", "l5", "l6"});
    CaretAt(5, 0);
    for (const char* line : {".FontType GOTHIC", ".FontSize 28", ".FontColor 255 0 0"}) {
        Form().CommandOut(line);
    }
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[5], ".FontType GOTHIC");
    EXPECT_EQ(lines[6], ".FontSize 28");
    EXPECT_EQ(lines[7], ".FontColor 255 0 0");
    EXPECT_EQ(lines[8], "l5");
    EXPECT_TRUE(Session().State().modified);

    // Shift+Ctrl+Enter and the menu's fixed entries; after the caret's line when it is inside one.
    CaretAt(0, 1);
    Form().EditorKeyDown(VK_RETURN, true, true, false);
    EXPECT_EQ(Lines()[1], ".NextPage");
    Form().RunCommand(ID_COMMAND_BGM_STOP);
    EXPECT_EQ(Lines()[2], ".BGMStop");
}

TEST_F(TextFormTest, FileDialogsWaitForASavedNovel) {
    Show({"a"});
    Session().State().hasFileName = false;
    Form().RunCommand(ID_COMMAND_DIALOG + static_cast<int>(CommandDialog::GraphLoad));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "このコマンドを入力するには、\r\nデータを一度保存してください。");
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a"}));
    // A dialog without files opens without asking; confirmed, its line arrives after the
    // caret's line.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        if (const HWND wait = FindWindowW(nullptr, L"時間待ち")) {
            KillTimer(nullptr, timer);
            PostMessageW(wait, WM_COMMAND, IDOK, 0);
        }
    });
    CaretAt(0, 1);
    Form().RunCommand(ID_COMMAND_DIALOG + static_cast<int>(CommandDialog::Wait));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a", ".Wait 1000"}));
}

TEST_F(TextFormTest, LinkRowsShowTheSlotsAndMoveUpAndDown) {
    CNovelModel& model = Session().Model();
    model.Counters.Add().Name = "love";
    Item().Links[0] = Link(true, Sjis("海へ"), "beach");
    Item().Links[1] = Link(false, "cond", "t", "love", 3);
    Item().Links[2] = Link(true, "", "", "gone");
    Form().ChangeText();
    EXPECT_EQ(Form().LinkCellText(0, 1), L"海へ");
    EXPECT_EQ(Form().LinkCellText(0, 3), L"なし");
    EXPECT_EQ(Form().LinkCellText(1, 3), L"1 ≧ 3");
    EXPECT_EQ(Form().LinkCellText(2, 3), L"エラー ≧ 1");
    EXPECT_TRUE(Form().LinkRowChecked(0));
    EXPECT_FALSE(Form().LinkRowChecked(1));
    EXPECT_EQ(Form().SelectedLinkRow(), 0);
    EXPECT_EQ(Form().LinkCellText(0, 0), L"1");
    EXPECT_EQ(Form().LinkCellText(0, 2), L"beach");
    // The list: eight rows of 19 pixels under the four sections.
    const THeaderList& list = Form().LinkList();
    EXPECT_EQ(list.RowCount(), 8);
    const RECT row = list.RowRect(7);
    EXPECT_EQ(row.bottom - row.top, 19);
    EXPECT_EQ(list.SectionCount(), 4);
    EXPECT_EQ(list.SectionWidth(3), 60);
    Pump(100);
    test::SaveScreenshot(Form().Handle(), "text-form-links");

    Form().MoveLink(+1);
    EXPECT_EQ(Item().Links[1].Target, "beach");
    EXPECT_EQ(Item().Links[0].Target, "t");
    EXPECT_EQ(Form().SelectedLinkRow(), 1);
    EXPECT_TRUE(Form().LinkRowChecked(1));
    Form().MoveLink(-1);
    Form().MoveLink(-1); // the first row stays
    EXPECT_EQ(Item().Links[0].Target, "beach");
    EXPECT_EQ(Form().SelectedLinkRow(), 0);

    // A check box click stores the item.
    Session().State().modified = false;
    Form().SetLinkRowChecked(1, true);
    Pump(20);
    EXPECT_TRUE(Item().Links[1].Enabled);
    EXPECT_TRUE(Session().State().modified);
    // So does a mouse click on a row's box; the row becomes the current link slot.
    const RECT third = list.RowRect(2);
    const LPARAM box = MAKELPARAM(third.left + 6, (third.top + third.bottom) / 2);
    SendMessageW(list.ListHandle(), WM_LBUTTONDOWN, MK_LBUTTON, box);
    SendMessageW(list.ListHandle(), WM_LBUTTONUP, 0, box);
    Pump(20);
    EXPECT_FALSE(Item().Links[2].Enabled);
    EXPECT_EQ(Session().State().currentLinkSlot, 2);
    // A double-click on a row opens the link dialog for that slot.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        if (const HWND dialog = FindWindowW(nullptr, L"リンク編集")) {
            KillTimer(nullptr, timer);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    const RECT fifth = list.RowRect(4);
    const LPARAM text = MAKELPARAM(fifth.left + 80, (fifth.top + fifth.bottom) / 2);
    SendMessageW(list.ListHandle(), WM_LBUTTONDOWN, MK_LBUTTON, text);
    SendMessageW(list.ListHandle(), WM_LBUTTONUP, 0, text);
    SendMessageW(list.ListHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, text);
    SendMessageW(list.ListHandle(), WM_LBUTTONUP, 0, text);
    EXPECT_EQ(Session().State().currentLinkSlot, 4);
    EXPECT_EQ(Form().LinkDialog().Result(), IDCANCEL);
    // The link mode selector.
    Form().SetLinkType(2);
    EXPECT_EQ(Item().LinkType, 2);
}

TEST_F(TextFormTest, LinkDialogFollowsTheCounterRangeAndOkWritesTheSlot) {
    CNovelModel& model = Session().Model();
    model.Items.Add().Name = "hall";
    CNovelCounter& wide = model.Counters.Add();
    wide.Name = "wide";
    wide.MaxValue = 100;
    CNovelCounter& narrow = model.Counters.Add();
    narrow.Name = "narrow";
    narrow.MinValue = 10;
    narrow.MaxValue = 20;
    Item().Links[3] = Link(false, "x", "HALL", "wide", 5);
    Form().ChangeText();
    Session().State().currentLinkSlot = 3;
    {
        test::DialogDriver dialog(Form().LinkDialog(), Main());
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_LINK_TO), CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_LINK_TO), CB_GETCURSEL, 0, 0), 0);
        EXPECT_TRUE(dialog.Checked(IDC_COUNTER_CHECK));
        EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_COUNTER_COMBO)));
        test::SaveScreenshot(dialog.Handle(), "link-dialog");
        SendMessageW(dialog.Item(IDC_COUNTER_COMBO), CB_SETCURSEL, 1, 0);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COUNTER_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_COUNTER_COMBO)));
        EXPECT_EQ(dialog.Text(IDC_COUNTER_VALUE), L"10");
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_COUNTER_VALUE), NEM_GETMINIMUM, 0, 0), 10);
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_COUNTER_VALUE), NEM_GETMAXIMUM, 0, 0), 20);
        // Clearing the box disables the condition; OK stores threshold 0 and enables the slot.
        dialog.SetCheck(IDC_COUNTER_CHECK, false);
        test::Click(dialog.Item(IDC_COUNTER_CHECK));
        EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_COUNTER_COMBO)));
        ASSERT_EQ(dialog.Press(IDOK), IDOK);
    }
    EXPECT_EQ(Form().LinkDialog().Edited().Threshold, 0);
    EXPECT_FALSE(Form().LinkDialog().Edited().UseCounter);
    EXPECT_EQ(Form().LinkDialog().Edited().Target, "hall");
    EXPECT_TRUE(Form().LinkDialog().Edited().Enabled);

    // The mark button takes the item the chart has marked; the current item, not being a
    // target, leaves the choice as it was.
    const int current = Session().State().currentItem;
    model.Items.Add().Name = "cellar";
    for (const auto& [marked, chosen] : {std::pair{model.Items.Count() - 1, 1}, {current, 0}}) {
        Session().State().currentItem = marked;
        Session().Chart().SetMark();
        Session().State().currentItem = current;
        test::DialogDriver dialog(Form().LinkDialog(), Main());
        ASSERT_EQ(SendMessageW(dialog.Item(IDC_LINK_TO), CB_GETCURSEL, 0, 0), 0);
        test::Click(dialog.Item(IDC_SET_TO_MARK));
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_LINK_TO), CB_GETCURSEL, 0, 0), chosen);
        dialog.Press(IDCANCEL);
    }
}

TEST_F(TextFormTest, FindNextPreviousAndReplaceAllWithTheCountBox) {
    Show({"cat dog cat", "ＣＡＴ"});
    CaretAt(0, 0);
    SearchOptions options;
    Form().FindWith("cat", options);
    EXPECT_EQ(Control().SelectionStart(), 0);
    Form().RunCommand(ID_EDIT_FIND_NEXT);
    EXPECT_EQ(Control().SelectionStart(), 8);
    Form().RunCommand(ID_EDIT_FIND_PREVIOUS);
    EXPECT_EQ(Control().SelectionStart(), 0);
    Form().RunCommand(ID_EDIT_FIND_PREVIOUS);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "検索文字列  'cat' は見つかりませんでした。");
    EXPECT_EQ(ui.messages[0].caption, "検索");
    ui.messages.clear();

    // Replace all, full-width matching too, the replacement holding the search text.
    CaretAt(0, 0);
    options.noMatchZenkaku = true;
    options.replaceAll = true;
    Form().ReplaceWith("cat", "cats", options);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cats dog cats", "cats"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "3 個の文字列を置換しました。");
    EXPECT_EQ(ui.messages[0].caption, "置換");
}

TEST_F(TextFormTest, ReplaceConfirmationAnsweredNoThenAll) {
    Show({"a-a-a-a"});
    CaretAt(0, 0);
    ui.replaceAnswers = {ReplaceAnswer::No, ReplaceAnswer::All};
    SearchOptions options;
    options.replace = true;
    options.replaceConfirm = true;
    // "置換" with confirmation: one question, No, nothing replaced.
    Form().ReplaceWith("a", "b", options);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a-a-a-a"}));
    ASSERT_EQ(ui.replaceQuestions.size(), 1u);
    EXPECT_EQ(ui.replaceQuestions[0].text, " a   を\r\n b   に 置き換えますか？");
    // Then All: every later occurrence without asking again.
    Form().ReplaceWith("a", "b", options);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a-b-b-b"}));
    EXPECT_EQ(ui.replaceQuestions.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "3 個の文字列を置換しました。");
}

TEST_F(TextFormTest, DecoratedCommandLinesAndTheCommandMenuOnScreen) {
    Show({".GraphLoad \"bg\\海.png\" BLIND 1", "はじめまして。@", ".Wait 1000",
          "  .Wait 100 (a text line)", ".BGMPlay \"music.ogg\" 2000", ".foo unknown",
          "とても長い行がここに続きます。とても長い行がここに続きます。とても長い行がここに続きます"
          "。"
          "まだ続きます。",
          ".CharSet \"主人公\" "
          "\"chara\\hero_standing_pose_with_a_very_long_name_for_the_wrapping_test.png\" MIDDLE "
          "CENTER",
          ".CharClear"});
    Session().State().hasFileName = true;
    Pump(100);
    // The long lines wrap: their ends stand on later rows than their starts.
    for (int line : {6, 7}) {
        CaretAt(line, static_cast<int>(Control().Line(line).size()));
        EXPECT_EQ(Control().RowToLine(Control().CaretRow()), line);
        EXPECT_GT(Control().CaretRow(), Control().LineToRow(line));
    }
    CaretAt(0, 0);
    Pump(50);
    test::SaveScreenshot(Form().Handle(), "text-form-decorated");
    // The command menu opens below its button (Alt+Enter); the picture is taken while it is up.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        test::SaveScreenshot(GetDesktopWindow(), "text-form-command-menu");
        EndMenu();
    });
    Form().EditorKeyDown(VK_RETURN, false, false, true);
    EXPECT_EQ(GetMenuItemCount(Form().CommandMenu()), 29);
}

} // namespace
} // namespace miravo
