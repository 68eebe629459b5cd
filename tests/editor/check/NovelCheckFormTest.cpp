// The novel check's report window in the whole editor under Wine: F7 lists the findings of the
// novel as it stands (with the text being typed), a double-click goes to the item and line.
#include "editor/check/NovelCheckForm.h"
#include "editor/check/CheckResource.h"
#include "editor/script/TextForm.h"
#include "editor/shell/Resource.h"
#include "novel/NovelDocument.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/novel/TempFolder.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

namespace fs = std::filesystem;

class NovelCheckFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void TearDown() override { Stop(); }
    test::TempFolder temp;
};

TEST_F(NovelCheckFormTest, ListsTheFindingsAndGoesToTheirItemAndLine) {
    fs::create_directories(temp / "program");
    EditorDriver::Start({.programFolder = temp / "program"});
    Pump(100);
    CNovelModel model;
    model.Header.StartItem = "start";
    model.Items.Add().Name = "start";
    model.Items[0].LinkType = kLinkAuto;
    model.Items[0].Links[0].Target = "end";
    model.Items.Add().Name = "end";
    model.Items[1].LinkType = kLinkEnding;
    model.Items[1].Text = {"text", "text", ".Wiat 100", ".GraphLoad \"missing.png\" ", ""};
    const fs::path path = temp / "story.mve";
    SaveNovelFile(model, path);
    Editor().Session().Lifecycle().OpenNovelFile(path);
    Pump(50);
    ui.messages.clear();

    Command(ID_NOVEL_CHECK);
    Pump(100);
    TNovelCheckForm& form = Window<TNovelCheckForm>();
    ASSERT_TRUE(IsWindowVisible(form.Handle()));
    ASSERT_EQ(form.Findings().size(), 2u);
    EXPECT_EQ(form.List().RowCount(), 2);
    wchar_t summary[64] = {};
    GetDlgItemTextW(form.Handle(), IDC_CHECK_SUMMARY, summary, 64);
    EXPECT_EQ(std::wstring(summary), L"エラー 2 件, 警告 0 件");
    test::SaveScreenshot(form.Handle(), "novel-check");

    // The second finding (the missing picture on line 4 of "end"): its item becomes current and
    // the caret goes to its line.
    form.List().Select(1);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CHECK_LIST, HLN_DBLCLK),
                 reinterpret_cast<LPARAM>(form.List().Handle()));
    Pump(50);
    EXPECT_EQ(Editor().Session().State().currentItem, 1);
    TTextForm& text = Window<TTextForm>();
    EXPECT_EQ(text.Editor().RowToLine(text.Editor().CaretRow()), 3);

    // Mended in the editor and checked again: the typo is gone, the missing file stays.
    Editor().Session().Model().Items[1].Text = {".Wait 100", ".GraphLoad \"missing.png\" "};
    Editor().Session().Views().Notify(&ICurrentItemView::ChangeText);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CHECK_AGAIN, BN_CLICKED), 0);
    Pump(50);
    ASSERT_EQ(form.Findings().size(), 1u);
    EXPECT_EQ(form.Findings()[0].line, 2);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace miravo
