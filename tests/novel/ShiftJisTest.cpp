#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>

using namespace miravo;

namespace {
const std::string kA = "\x82\xA0";       // あ
const std::string kHyou = "\x95\x5C";    // 表: trail byte is "\"
const std::string kAtTrail = "\x81\x40"; // ideographic space: trail byte is "@"
} // namespace

TEST(ShiftJis, CharLengthStepsOverDoubleByteCharacters) {
    const std::string text = "a" + kHyou + "b\x81";
    EXPECT_EQ(sjis::CharLength(text, 0), 1u);
    EXPECT_EQ(sjis::CharLength(text, 1), 2u);
    EXPECT_EQ(sjis::CharLength(text, 3), 1u);
    EXPECT_EQ(sjis::CharLength(text, 4), 1u); // lead byte at the very end
    EXPECT_EQ(sjis::CharLength("\xA1"
                               "a",
                               0),
              1u); // half-width katakana is single
}

TEST(ShiftJis, CasingTouchesAsciiLettersOnly) {
    // 0x82 0x61 is a double-byte character whose trail byte is "a".
    const std::string mixed = "Ab\x82\x61z" + kHyou;
    EXPECT_EQ(sjis::AsciiUpper(mixed), "AB\x82\x61Z" + kHyou);
    EXPECT_EQ(sjis::AsciiLower("\x82\x61Q"), "\x82\x61q");
    EXPECT_EQ(sjis::AsciiLower("\x82\x41Q"), "\x82\x41q");
}

TEST(ShiftJis, ConvertsKnownCharacters) {
    EXPECT_EQ(sjis::ToUtf8("a\\~" + kA + kHyou + "\xB1"), "a\\~あ表ｱ");
    EXPECT_EQ(sjis::ToUtf16(kAtTrail + "@"), u"\u3000@");
    EXPECT_EQ(sjis::FromUtf8("表ソ十能予構"), sjis::FromUtf16(u"表ソ十能予構"));
    EXPECT_EQ(sjis::FromUtf8("表"), kHyou);
    EXPECT_EQ(sjis::FromUtf8("≒"), "\x81\xE0");  // the JIS form, not the NEC row 13 duplicate
    EXPECT_EQ(sjis::FromUtf8("纊"), "\xFA\x5C"); // the IBM form, not the NEC-selected one
    EXPECT_EQ(sjis::ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ShiftJis, InvalidBytesBecomeEscapesAndComeBack) {
    // 0x80, 0xA0, 0xFD-0xFF are no characters; 0x85 0x40 is an empty double-byte cell; a lead
    // byte before a byte outside the trail range; a code page duplicate (NEC row 13 of ≒, whose
    // trail byte is escaped too); a lead byte at the end.
    const std::string odd = std::string("\x80\xA0\xFD\xFF\x85\x40\x81\x20\x87\x90", 10) + "\x81";
    const std::u16string utf16 = sjis::ToUtf16(odd);
    EXPECT_EQ(utf16, u"\xDC80\xDCA0\xDCFD\xDCFF\xDC85@\xDC81 \xDC87\xDC90\xDC81");
    EXPECT_EQ(sjis::FromUtf16Exact(utf16), odd);
    EXPECT_EQ(sjis::FromUtf8Exact(sjis::ToUtf8(odd)), odd);
}

TEST(ShiftJis, EveryByteStringSurvivesBothConversions) {
    std::string all;
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            all.push_back(static_cast<char>(lead));
            all.push_back(static_cast<char>(trail));
            all.push_back(' ');
        }
    }
    EXPECT_EQ(sjis::FromUtf8Exact(sjis::ToUtf8(all)), all);
    EXPECT_EQ(sjis::FromUtf16Exact(sjis::ToUtf16(all)), all);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string text(static_cast<std::size_t>(round), '\0');
        for (char& c : text)
            c = static_cast<char>(byte(random));
        ASSERT_EQ(sjis::FromUtf8Exact(sjis::ToUtf8(text)), text);
        ASSERT_EQ(sjis::FromUtf16Exact(sjis::ToUtf16(text)), text);
    }
}

TEST(ShiftJis, CharactersOutsideTheCodePage) {
    EXPECT_EQ(sjis::FromUtf8("a€b😀"), "a?b?");
    EXPECT_FALSE(sjis::FromUtf8Exact("€").has_value());
    EXPECT_FALSE(sjis::FromUtf8Exact("\xC3").has_value()); // malformed UTF-8
    EXPECT_FALSE(sjis::FromUtf16Exact(u"\xD800").has_value());
    EXPECT_EQ(sjis::FromUtf16(u"\x20AC"), "?");
}

TEST(ShiftJis, PlainUtf8Utf16) {
    EXPECT_EQ(sjis::Utf8ToUtf16("aあ😀"), u"aあ😀");
    EXPECT_EQ(sjis::Utf16ToUtf8(u"aあ😀"), "aあ😀");
    EXPECT_EQ(sjis::Utf8ToUtf16("\xFF"), u"\xFFFD");
}
