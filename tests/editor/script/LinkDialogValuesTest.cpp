#include "editor/script/LinkDialogValues.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

CNovelModel ModelWithCounters() {
    CNovelModel model;
    for (const char* name : {"start", "Hall", "end"}) {
        model.Items.Add().Name = name;
    }
    CNovelCounter& wide = model.Counters.Add();
    wide.Name = "wide";
    wide.MinValue = 0;
    wide.MaxValue = 100;
    CNovelCounter& narrow = model.Counters.Add();
    narrow.Name = "narrow";
    narrow.MinValue = 10;
    narrow.MaxValue = 20;
    return model;
}

TEST(LinkDialogValuesTest, OpensWithTheSlotAndWithoutTheCurrentItem) {
    const CNovelModel model = ModelWithCounters();
    CNovelLink link;
    link.LinkText = "go";
    link.Target = "HALL"; // letter case ignored
    link.UseCounter = true;
    link.CounterName = "Narrow";
    link.Threshold = 15;
    const LinkDialogValues values = LinkDialogValuesOf(model, 0, link, {});
    EXPECT_EQ(values.targets, (std::vector<std::string>{"Hall", "end"}));
    EXPECT_EQ(values.target, 0);
    EXPECT_EQ(values.counter, 1);
    EXPECT_EQ(values.threshold, 15);
    // A target that is gone opens blank; OK stores it empty, enabled.
    link.Target = "gone";
    const LinkDialogValues blank = LinkDialogValuesOf(model, 0, link, values);
    EXPECT_EQ(blank.target, -1);
    EXPECT_EQ(LinkFromDialog(blank, true).Target, "");
    EXPECT_TRUE(LinkFromDialog(blank, true).Enabled);
}

TEST(LinkDialogValuesTest, CounterRangePullsTheThresholdAndOkWithoutConditionStoresZero) {
    const CNovelModel model = ModelWithCounters();
    LinkDialogValues values;
    values.counters = {"wide", "narrow"};
    values.threshold = 5;
    ApplyCounterRange(model.Counters, "wide", values);
    EXPECT_EQ(values.range.min, 0);
    EXPECT_EQ(values.range.max, 100);
    EXPECT_EQ(values.threshold, 5);
    ApplyCounterRange(model.Counters, "narrow", values);
    EXPECT_EQ(values.range.min, 10);
    EXPECT_EQ(values.range.max, 20);
    EXPECT_EQ(values.threshold, 10);
    ApplyCounterRange(model.Counters, "none", values); // unknown: unchanged
    EXPECT_EQ(values.range.max, 20);

    values.useCounter = false;
    values.counter = 1;
    const CNovelLink link = LinkFromDialog(values, true);
    EXPECT_FALSE(link.UseCounter);
    EXPECT_EQ(link.CounterName, "");
    EXPECT_EQ(link.Threshold, 0);
    // Without a condition the dialog keeps its last threshold for the next use.
    const LinkDialogValues next = LinkDialogValuesOf(model, 0, link, values);
    EXPECT_EQ(next.threshold, 10);
}

} // namespace
} // namespace miravo
