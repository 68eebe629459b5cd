#include "editor/check/NovelCheckOperations.h"
#include "tests/editor/support/SessionTest.h"

namespace miravo {
namespace {

class LineRecorder : public IScriptLineView {
public:
    explicit LineRecorder(ViewRegistry& views) : registration_(views.Add<IScriptLineView>(*this)) {}
    void ShowScriptLine(int line) override { lines.push_back(line); }
    std::vector<int> lines;

private:
    ViewRegistry::Registration registration_;
};

class NovelCheckOperationsTest : public test::SessionTest {
protected:
    NovelCheckOperations check{session};
    LineRecorder lineView{session.Views()};
};

const CheckFinding* FindingOn(const std::vector<CheckFinding>& findings, int line) {
    for (const CheckFinding& finding : findings)
        if (finding.line == line)
            return &finding;
    return nullptr;
}

TEST_F(NovelCheckOperationsTest, TheTextBeingTypedIsCheckedAndAnUnsavedNovelHasNoFolder) {
    model.Items[0].Name = "first";
    views.onStore = [&] {
        model.Items[0].Text = CTextLines{".Wiat 100", ".GraphLoad \"nowhere.png\" "};
    };
    const std::vector<CheckFinding> findings = check.Run();
    EXPECT_TRUE(views.Called("StoreToItem"));
    ASSERT_NE(FindingOn(findings, 1), nullptr);
    EXPECT_NE(FindingOn(findings, 1)->message.find(".Wait"), std::string::npos);
    EXPECT_EQ(FindingOn(findings, 2), nullptr); // no folder to look in yet
}

TEST_F(NovelCheckOperationsTest, GoToFollowsTheItemByNameWhenTheNovelChanged) {
    model.Items[0].Name = "first";
    model.Items.Add().Name = "second";
    model.Items[1].Text = CTextLines{"text", ".Foo"};
    const std::vector<CheckFinding> findings = check.Run();
    const CheckFinding* foo = FindingOn(findings, 2);
    ASSERT_NE(foo, nullptr);

    EXPECT_TRUE(check.GoTo(*foo));
    EXPECT_EQ(state.currentItem, 1);
    EXPECT_EQ(lineView.lines, std::vector<int>{2});

    // An item deleted before it: the finding still leads to "second", now the first item.
    session.Chart().SelectItem(0);
    model.Items.Delete(0);
    state.currentItem = -1;
    EXPECT_EQ(check.PlaceOf(*foo), (CheckPlace{0, 2}));
    EXPECT_TRUE(check.GoTo(*foo));
    EXPECT_EQ(state.currentItem, 0);

    model.Items[0].Name = "renamed";
    EXPECT_FALSE(check.GoTo(*foo));
    CheckFinding outside;
    EXPECT_FALSE(check.GoTo(outside));
}

} // namespace
} // namespace miravo
