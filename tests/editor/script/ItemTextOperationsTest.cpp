#include "editor/script/ItemTextOperations.h"

#include "novel/NovelData.h"
#include "tests/editor/support/SessionTest.h"

namespace miravo {
namespace {

using ItemTextOperationsTest = test::SessionTest;

TEST_F(ItemTextOperationsTest, NameAndTextReachTheItemAndLostCharactersAreToldOnce) {
    ItemTextOperations& text = session.ItemText();
    text.Rename("春の章");
    EXPECT_EQ(model.Items[0].Name, SjisString::FromUtf8("春の章").Bytes());
    EXPECT_EQ(views.calls, (std::vector<std::string>{"DrawChart", "UpdateTitle"}));
    EXPECT_TRUE(state.modified);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(text.Load());
    EXPECT_EQ(text.Load()->name, "春の章");

    // "😀" and "é" have no Shift-JIS form: each becomes "?", and is told about once.
    text.StoreText("一行目\r\n😀 é 😀");
    EXPECT_EQ(model.Items[0].Text.Joined(), SjisString::FromUtf8("一行目\r\n? ? ?\r\n").Bytes());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Shift-JIS で表せない文字を \"?\" に置き換えました: 😀é");
    text.Rename("章 é 😀");
    text.StoreText("😀");
    EXPECT_EQ(ui.messages.size(), 1u);
    text.Rename("章 ü");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Shift-JIS で表せない文字を \"?\" に置き換えました: ü");
    // Another current item starts afresh.
    text.Load();
    text.StoreText("é");
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(ItemTextOperationsTest, MessagesQuoteModelNamesThroughTheirConversion) {
    const SjisString name = SjisString::FromUtf8("海辺の物語");
    EXPECT_EQ(UiText("アイテム「") + name + "」", "アイテム「海辺の物語」");
    EXPECT_EQ(UiText::From(name).Utf16(), u"海辺の物語");
}

TEST_F(ItemTextOperationsTest, LinkChangesRedrawTheChartAndMarkTheNovelModified) {
    ItemTextOperations& text = session.ItemText();
    CNovelItem& item = model.Items[0];
    CNovelLink link;
    link.LinkText = "go";
    link.Target = "next";
    const struct {
        const char* what;
        std::function<void()> change;
        std::function<bool()> holds;
    } cases[] = {
        {"link type", [&] { text.SetLinkType(kLinkEnding); },
         [&] { return item.LinkType == kLinkEnding; }},
        {"enable", [&] { text.SetLinkEnabled(3, true); }, [&] { return item.Links[3].Enabled; }},
        {"edit", [&] { text.EditLink(5, link); },
         [&] { return item.Links[5].Target == "next" && item.Links[5].Enabled; }},
        {"move down", [&] { EXPECT_EQ(text.MoveLink(5, +1), 6); },
         [&] { return item.Links[6].Target == "next" && state.currentLinkSlot == 6; }},
        {"move up", [&] { EXPECT_EQ(text.MoveLink(6, -1), 5); },
         [&] { return item.Links[5].Target == "next" && !item.Links[6].Enabled; }},
    };
    for (const auto& step : cases) {
        session.ClearModified();
        views.calls.clear();
        step.change();
        EXPECT_TRUE(step.holds()) << step.what;
        EXPECT_TRUE(views.Called("DrawChart")) << step.what;
        EXPECT_TRUE(state.modified) << step.what;
    }
    // At the ends, and for slots that do not exist, nothing moves and nothing is modified.
    session.ClearModified();
    EXPECT_EQ(text.MoveLink(0, -1), 0);
    EXPECT_EQ(text.MoveLink(7, +1), 7);
    text.SetLinkEnabled(8, true);
    EXPECT_FALSE(state.modified);
}

} // namespace
} // namespace miravo
