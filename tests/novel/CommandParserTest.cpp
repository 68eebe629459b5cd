#include "SampleNovels.h"

#include "novel/CommandParser.h"

#include <gtest/gtest.h>

using namespace miravo;
using miravo::test::Sj;
using Words = std::vector<std::string>;

TEST(CommandLine, KindsAndCommandWords) {
    EXPECT_TRUE(IsCommandLine(".Wait 100"));
    EXPECT_FALSE(IsCommandLine(" .Wait 100"));
    EXPECT_FALSE(IsCommandLine(""));
    EXPECT_EQ(CommandWord(".NextPage"), ".NextPage");
    EXPECT_EQ(CommandWord(".Wait\t 100"), ".Wait");
    EXPECT_EQ(CommandWord(".Wait\t\t"), ".Wait");
    EXPECT_EQ(CommandWord(".graphload \"a b.jpg\""), ".graphload");

    EXPECT_TRUE(IsKnownCommand(".graphload \"a b.jpg\""));
    EXPECT_TRUE(IsKnownCommand(".GraphLoad"));
    EXPECT_TRUE(IsKnownCommand(".cdplay 1"));
    EXPECT_FALSE(IsKnownCommand(".Foo 1"));
    EXPECT_FALSE(IsKnownCommand(" .Wait 100")); // the command word would be empty
    EXPECT_TRUE(IsKeyword("@"));
    EXPECT_TRUE(IsKeyword(";"));
    EXPECT_EQ(kCommandKeywords.size(), 31u);
    EXPECT_EQ(kCommandKeywords[28], ".WINDOWSET");
    for (std::size_t k = 1; k < 29; ++k)
        EXPECT_LT(kCommandKeywords[k - 1], kCommandKeywords[k]);
}

TEST(SplitCommandWords, SeparatorsAndEmptyWords) {
    EXPECT_TRUE(SplitCommandWords("").empty());
    EXPECT_EQ(SplitCommandWords(".Wait  100"), (Words{".Wait", "100"}));
    EXPECT_EQ(SplitCommandWords(".Wait,100"), (Words{".Wait", "100"}));
    EXPECT_EQ(SplitCommandWords(".Wait\t100"), (Words{".Wait", "100"}));
    EXPECT_EQ(SplitCommandWords(".Wait ,100"), (Words{".Wait", "", "100"}));
    EXPECT_EQ(SplitCommandWords(".Wait\t\t100"), (Words{".Wait", "", "100"}));
    EXPECT_EQ(SplitCommandWords(".Wait 100 "), (Words{".Wait", "100", ""}));
    EXPECT_EQ(SplitCommandWords(" "), (Words{"", ""}));
}

TEST(SplitCommandWords, Quotes) {
    EXPECT_EQ(SplitCommandWords(".graphload \"a b.jpg\""), (Words{".graphload", "a b.jpg"}));
    EXPECT_EQ(SplitCommandWords(".GraphLoad \"bg.jpg\" "), (Words{".GraphLoad", "bg.jpg", ""}));
    EXPECT_EQ(SplitCommandWords(".CharDelete \"\""), (Words{".CharDelete", ""}));
    EXPECT_EQ(SplitCommandWords(".SoundPlay \"a b"), (Words{".SoundPlay", "a b"}));
    EXPECT_EQ(SplitCommandWords(".X \"a,\tb\"c d"), (Words{".X", "a,\tbc", "d"}));
    EXPECT_EQ(SplitCommandWords(".X pre\"in side\"post"), (Words{".X", "prein sidepost"}));
    EXPECT_EQ(SplitCommandWords(".CharSet \"n\" \"f.png\" TOP").size(), 4u);
}

// A line ending in an opening quote keeps its word in progress.
TEST(SplitCommandWords, PendingWordAtAnOpeningQuoteIsKept) {
    EXPECT_EQ(SplitCommandWords(".SoundPlay abc\""), (Words{".SoundPlay", "abc"}));
    EXPECT_EQ(SplitCommandWords(".SoundPlay \""), (Words{".SoundPlay", ""}));
    EXPECT_EQ(SplitCommandWords("\""), (Words{""}));
}

TEST(SplitCommandWords, DoubleByteCharactersStayWhole) {
    // ソ and 表 end in 0x5C, ー-like 0x815B ...; 0x8140 ends in "@"; a lead byte before a space or
    // a quote takes that byte with it.
    const std::string so = Sj("ソ");
    EXPECT_EQ(SplitCommandWords(".SoundPlay \"" + so + "\\a.wav\""),
              (Words{".SoundPlay", so + "\\a.wav"}));
    EXPECT_EQ(SplitCommandWords(".X \x81 y"), (Words{".X", "\x81 y"}));
    EXPECT_EQ(SplitCommandWords(".X \"\x81\"y\""), (Words{".X", "\x81\"y"}));
    EXPECT_EQ(SplitCommandWords(".X a\x81"), (Words{".X", "a\x81"}));
    EXPECT_EQ(SplitCommandWords(Sj(".名前　全角 ,値")), (Words{Sj(".名前　全角"), "", Sj("値")}));
}

TEST(StripTextMarkers, DropsSingleByteMarkersOnly) {
    EXPECT_EQ(StripTextMarkers("a@b;c@@"), "abc");
    EXPECT_EQ(StripTextMarkers("@"), "");
    EXPECT_EQ(StripTextMarkers(";@;"), "");
    const std::string atTrail = "\x81\x40\x83\x40"; // 　ァ: both trail bytes are "@"
    EXPECT_EQ(StripTextMarkers(atTrail + "@"), atTrail);
    EXPECT_EQ(StripTextMarkers("\x81;x"), "\x81;x"); // the lead byte takes ";" with it
    EXPECT_EQ(StripTextMarkers("x\x81"), "x\x81");
}
