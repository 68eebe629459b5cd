#include "editor/properties/CounterOperations.h"
#include "tests/editor/support/SessionTest.h"

#include <gtest/gtest.h>

namespace miravo::test {
namespace {

class CounterOperationsTest : public SessionTest {
protected:
    CounterOperations& counters = session.Counters();
    std::string NameAt(int index) { return SjisString(model.Counters[index].Name).ToUtf8(); }
};

TEST_F(CounterOperationsTest, NewCountersAreNumberedOnceEachAndAgainAfterANewNovel) {
    EXPECT_EQ(counters.NewCounter(), 0);
    EXPECT_EQ(counters.NewCounter(), 1);
    EXPECT_EQ(NameAt(0), "(新規カウンタ1)");
    EXPECT_EQ(NameAt(1), "(新規カウンタ2)");
    EXPECT_TRUE(views.Called("RefreshCounters"));
    EXPECT_TRUE(state.modified);

    // A deleted number is not given again.
    ui.answers = {MessageResult::Ok};
    ASSERT_TRUE(counters.DeleteCounter(1));
    counters.NewCounter();
    EXPECT_EQ(NameAt(1), "(新規カウンタ3)");

    session.Lifecycle().NewNovel();
    counters.NewCounter();
    EXPECT_EQ(model.Counters.Count(), 1);
    EXPECT_EQ(NameAt(0), "(新規カウンタ1)");
}

TEST_F(CounterOperationsTest, AtTheLimitNothingChanges) {
    for (int i = 0; i < CNovelCounters::kMaxCount; ++i) {
        counters.NewCounter();
    }
    const int number = state.newNames.counter;
    EXPECT_THROW(counters.NewCounter(), std::exception);
    EXPECT_EQ(model.Counters.Count(), CNovelCounters::kMaxCount);
    EXPECT_EQ(state.newNames.counter, number);
}

TEST_F(CounterOperationsTest, DeleteAsksAndLeavesLinksThatNameTheCounter) {
    // The text editor's link list shows counters by number: it repaints after a deletion.
    struct LinkList : ILinkListView {
        int repaints = 0;
        void RepaintLinkList() override { ++repaints; }
    } linkList;
    const auto registration = session.Views().Add<ILinkListView>(linkList);
    counters.NewCounter();
    model.Counters[0].Name = "love";
    CNovelLink& link = model.Items[0].Links[0];
    link.UseCounter = true;
    link.CounterName = "love";
    ui.answers = {MessageResult::Cancel};
    EXPECT_FALSE(counters.DeleteCounter(0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "カウンタ \"love\" を削除してもよろしいですか？");
    EXPECT_EQ(ui.messages[0].caption, "削除の確認");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(model.Counters.Count(), 1);

    views.calls.clear();
    ui.answers = {MessageResult::Ok};
    EXPECT_TRUE(counters.DeleteCounter(0));
    EXPECT_EQ(model.Counters.Count(), 0);
    EXPECT_EQ(link.CounterName, "love");
    EXPECT_TRUE(link.UseCounter);
    EXPECT_TRUE(views.Called("RefreshCounters"));
    EXPECT_EQ(linkList.repaints, 1);
    // No row: nothing is asked.
    EXPECT_FALSE(counters.DeleteCounter(0));
    EXPECT_FALSE(counters.DeleteCounter(-1));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(CounterOperationsTest, StoreRefusesAnAsciiSpaceOnly) {
    counters.NewCounter();
    const struct {
        const char* name;
        bool stored;
    } cases[] = {{"好感度", true}, {"", true}, {"好感　度", true}, {"a b", false}, {" ", false}};
    for (const auto& c : cases) {
        ui.messages.clear();
        model.Counters[0] = CNovelCounter();
        const bool stored = counters.StoreCounter(
            0,
            {.name = c.name, .initialValue = -3, .minValue = -5, .maxValue = 9, .carryOver = true});
        EXPECT_EQ(stored, c.stored) << c.name;
        if (c.stored) {
            EXPECT_EQ(NameAt(0), c.name);
            EXPECT_EQ(model.Counters[0].InitialValue, -3);
            EXPECT_EQ(model.Counters[0].MinValue, -5);
            EXPECT_EQ(model.Counters[0].MaxValue, 9);
            EXPECT_TRUE(model.Counters[0].CarryOver);
            EXPECT_TRUE(ui.messages.empty());
        } else {
            EXPECT_EQ(model.Counters[0], CNovelCounter());
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "カウンタ名にスペースを含むことは出来ません.");
            EXPECT_EQ(ui.messages[0].caption, "エラー");
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        }
    }
}

TEST(CounterLimitsTest, ConfirmedValuesKeepMinimumMaximumAndInitialInOrder) {
    const struct {
        CounterFieldValues in, out;
    } cases[] = {
        {{0, 100, 50}, {0, 100, 50}},
        {{0, 100, 150}, {0, 100, 100}},     // initial above the range
        {{-20, 10, -30}, {-20, 10, -20}},   // below it
        {{200, 100, 150}, {200, 200, 200}}, // a minimum above the maximum carries it up
        {{5, 5, 0}, {5, 5, 5}},
    };
    for (const auto& c : cases) {
        const CounterFieldValues out = ApplyCounterLimits(c.in);
        EXPECT_EQ(out, c.out) << c.in.minValue << " " << c.in.maxValue << " " << c.in.initialValue;
        const CounterFieldLimits limits = CounterLimitsFor(out);
        EXPECT_EQ(limits.maxLow, out.minValue);
        EXPECT_EQ(limits.minHigh, out.maxValue);
        EXPECT_EQ(limits.valueLow, out.minValue);
        EXPECT_EQ(limits.valueHigh, out.maxValue);
        EXPECT_EQ(limits.minLow, -2147483647);
        EXPECT_EQ(limits.maxHigh, 2147483647);
    }
}

TEST(CounterRangeTextTest, ShowsBothEndsWithoutBlanks) {
    EXPECT_EQ(CounterRangeText(0, 100), u"0～100");
    EXPECT_EQ(CounterRangeText(-5, 10), u"-5～10");
    EXPECT_EQ(CounterRangeText(-2147483647, -1), u"-2147483647～-1");
}

} // namespace
} // namespace miravo::test
