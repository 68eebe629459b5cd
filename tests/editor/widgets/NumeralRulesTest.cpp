#include "editor/widgets/NumeralRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace miravo {
namespace {

TEST(NumeralRulesTest, ParsingCleaningTypingAndStepping) {
    const NumeralBounds all{};
    const NumeralBounds x640{0, 640};
    struct ParseCase {
        std::wstring_view text;
        NumeralBounds bounds;
        std::optional<int> value;
    };
    for (const ParseCase& c : std::vector<ParseCase>{
             {L"12", all, 12},
             {L"-12", all, -12},
             {L"１２", all, 12},
             {L"－５", all, -5},
             {L"", all, std::nullopt},
             {L"-", all, std::nullopt},
             {L"abc", all, std::nullopt},
             {L"700", x640, 640},
             {L"-1", x640, 0},
             {L"99999999999999999999999", all, kNumeralHighest},
             {L"-99999999999999999999999", all, kNumeralLowest},
             {L"2147483648", all, kNumeralHighest},
         }) {
        EXPECT_EQ(ParseNumeral(c.text, c.bounds), c.value) << std::wstring(c.text).size();
    }
    EXPECT_EQ(CleanPastedNumeral(L"-1,234 円", true, false), L"-1234");
    EXPECT_EQ(CleanPastedNumeral(L"-1,234", false, false), L"1234"); // not at the start
    EXPECT_EQ(CleanPastedNumeral(L"-7", true, true), L"7");          // a minus is there already
    EXPECT_EQ(CleanPastedNumeral(L"１０", true, false), L"10");
    EXPECT_EQ(CleanPastedNumeral(L"abc", true, false), std::nullopt);
    EXPECT_EQ(CleanPastedNumeral(L"", true, false), std::nullopt);

    EXPECT_TRUE(AcceptsTypedCharacter(L'5', false, true));
    EXPECT_TRUE(AcceptsTypedCharacter(L'５', false, false));
    EXPECT_TRUE(AcceptsTypedCharacter(L'-', true, false));
    EXPECT_FALSE(AcceptsTypedCharacter(L'-', false, false));
    EXPECT_FALSE(AcceptsTypedCharacter(L'-', true, true));
    EXPECT_FALSE(AcceptsTypedCharacter(L'a', true, false));
    EXPECT_FALSE(AcceptsTypedCharacter(L'.', true, false));

    EXPECT_EQ(StepNumeral(kNumeralHighest, 1, 100, all), kNumeralHighest);
    EXPECT_EQ(StepNumeral(kNumeralLowest, -1, 2147483647, all), kNumeralLowest);
    EXPECT_EQ(StepNumeral(636, 1, 8, x640), 640);
    EXPECT_EQ(StepNumeral(4, -1, 8, x640), 0);

    EXPECT_EQ(NumeralBounds({0, 10}).WithMinimum(20).minimum, 10);
    EXPECT_EQ(NumeralBounds({5, 50}).WithMaximum(-1).maximum, 5);
    EXPECT_EQ(NumeralBounds({5, 50}).WithMaximum(60).maximum, 60);
}

} // namespace
} // namespace miravo
