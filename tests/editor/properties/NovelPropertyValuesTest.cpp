// The novel properties dialog's mappings between the header and its controls' values.
#include "editor/properties/NovelPropertyValues.h"

#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

using G = PropertyGroup;

CNovelFileHeader DefaultHeader() {
    CNovelFileHeader header;
    header.SetDefaults();
    return header;
}

// Each group's header values: shown as the button they stand for, written back as the value
// of that button; values outside a group's list leave the button it had.
TEST(NovelPropertyValuesTest, RadioGroupsMapBothWaysAndKeepTheirButtonForOtherValues) {
    struct Case {
        G group;
        int headerValue;
        int shownButton; // kNoButton: the button it had stays
        int writtenValue;
    };
    const Case cases[] = {
        {G::SaveMode, 0, 1, 0},
        {G::SaveMode, 1, 2, 1},
        {G::SaveMode, 2, 0, 2},
        {G::SaveMode, 7, kNoButton, 7},
        {G::FontKind, 0, 0, 0},
        {G::FontKind, 1, 1, 1},
        {G::FontKind, 5, kNoButton, 5},
        {G::FontStyle, 0, 0, 0},
        {G::FontStyle, 1, 1, 1},
        {G::FontStyle, -1, kNoButton, -1},
        {G::DisplayMode, 0, 0, 0},
        {G::DisplayMode, 1, 1, 1},
        {G::DisplayMode, 9, kNoButton, 9},
        {G::SkipMode, 0, 0, 2},
        {G::SkipMode, 1, 1, 1},
        {G::SkipMode, 2, 0, 2},
        {G::SkipMode, 3, kNoButton, 3},
        {G::SelectionNumbering, 0, 0, 0},
        {G::SelectionNumbering, 1, 1, 1},
        {G::SelectionNumbering, 2, 2, 2},
        {G::SelectionNumbering, 3, kNoButton, 3},
    };
    const auto field = [](CNovelFileHeader& header, G group) -> int {
        switch (group) {
        case G::SaveMode: return header.SaveMode;
        case G::FontKind: return header.FontKind;
        case G::FontStyle: return header.FontStyle;
        case G::DisplayMode: return header.DisplayMode;
        case G::SkipMode: return header.SkipMode;
        case G::SelectionNumbering: return header.SelectionNumbering;
        }
        return -100;
    };
    const auto set = [](CNovelFileHeader& header, G group, int value) {
        switch (group) {
        case G::SaveMode: header.SaveMode = std::uint8_t(value); break;
        case G::FontKind: header.FontKind = value; break;
        case G::FontStyle: header.FontStyle = value; break;
        case G::DisplayMode: header.DisplayMode = std::uint8_t(value); break;
        case G::SkipMode: header.SkipMode = std::uint8_t(value); break;
        case G::SelectionNumbering: header.SelectionNumbering = std::uint8_t(value); break;
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "group " << int(c.group) << " value " << c.headerValue);
        CNovelFileHeader header = DefaultHeader();
        set(header, c.group, c.headerValue);
        NovelPropertyValues values;
        const int before = 1; // a button the group may have had from an earlier showing
        values.Checked(c.group) = before;
        ShowHeader(header, {}, values);
        EXPECT_EQ(values.Checked(c.group), c.shownButton == kNoButton ? before : c.shownButton);
        if (c.shownButton == kNoButton) {
            // Nothing checked at all: the "else" groups take their other value, the rest stay.
            values.Checked(c.group) = kNoButton;
            WriteHeader(values, header);
            const int expected = c.group == G::FontKind || c.group == G::FontStyle ? 1
                                 : c.group == G::DisplayMode                       ? 0
                                                                                   : c.writtenValue;
            EXPECT_EQ(field(header, c.group), expected);
        } else {
            WriteHeader(values, header);
            EXPECT_EQ(field(header, c.group), c.writtenValue);
        }
    }
}

TEST(NovelPropertyValuesTest, FieldsRoundTripAndUntouchedFieldsStay) {
    CNovelFileHeader header = DefaultHeader();
    header.Title = sjis::FromUtf8("海の物語");
    header.StartItem = "Opening";
    header.MessageSpeed = 40;
    header.FadeName = "wind";
    header.FadeVariation = 3;
    header.FadeSpeed = 750;
    header.CharFadeName = "BLIND";
    header.CharFadeVariation = 2;
    header.CharFadeSpeed = 1000;
    header.FontSize = 32;
    header.FontAntialias = false;
    header.NormalColor = 0x123456;
    header.TipColor = 0x00ABCDEF;
    header.LogoGraphic = "logo\\a.bmp";
    header.TitleWave = "t.ogg";
    header.MidiGMReset = true;
    header.MidiQuickStart = false;
    // Not the dialog's business.
    header.LegacyFadeNumber = 7;
    header.UsesMp3 = true;
    header.ChartWidth = 3000;
    header.ReservedString = "kept";
    header.ReservedInt = 77;
    header.ReservedByte = 5;
    header.ReservedByte2 = 6;
    header.ReservedByte3 = 0;
    header.ReservedByte4 = 9;

    NovelPropertyValues values;
    ShowHeader(header, {"intro", "OPENING", "opening"}, values);
    EXPECT_EQ(values.startItem, 1);                   // the first equal name, letter case aside
    EXPECT_EQ(values.fade, (WorkingFade{8, 3, 750})); // lower-case "wind" is WIND
    EXPECT_EQ(values.charFade, (WorkingFade{2, 2, 1000}));
    EXPECT_EQ(values.tipColor, 0x00ABCDEFu);

    CNovelFileHeader written = header;
    WriteHeader(values, written);
    CNovelFileHeader expected = header;
    expected.StartItem = "OPENING"; // the list's entry
    expected.FadeName = "WIND";
    EXPECT_EQ(written, expected);
}

TEST(NovelPropertyValuesTest, UnknownNamesBecomeDefaultFadeAndEmptyStartItem) {
    CNovelFileHeader header = DefaultHeader();
    header.FadeName = "SPARKLE";
    header.CharFadeName = "";
    header.StartItem = "gone";
    NovelPropertyValues values;
    ShowHeader(header, {"a", "b"}, values);
    EXPECT_EQ(values.fade.effect, 0);
    EXPECT_EQ(WorkingFadeTextsOf(values.fade).type, "標準のフェード効果");
    EXPECT_EQ(values.startItem, kNoButton);
    WriteHeader(values, header);
    EXPECT_EQ(header.FadeName, "DEFAULT");
    EXPECT_EQ(header.CharFadeName, "DEFAULT");
    EXPECT_EQ(header.StartItem, "");
}

TEST(NovelPropertyValuesTest, TextsAreCutToTheirCapacityAtACharacterBoundary) {
    NovelPropertyValues values;
    // 254 single bytes and a double-byte character would end half a character past 255.
    values.title = std::string(254, 'a') + sjis::FromUtf8("海");
    values.logoMidi = std::string(300, 'm');
    values.itemNames = {std::string(256, 'x')};
    values.startItem = 0;
    CNovelFileHeader header = DefaultHeader();
    WriteHeader(values, header);
    EXPECT_EQ(header.Title, std::string(254, 'a'));
    EXPECT_EQ(header.LogoMidi.size(), 255u);
    EXPECT_EQ(header.StartItem.size(), 255u);
    EXPECT_EQ(CutToCapacity(sjis::FromUtf8("ああ"), 3), sjis::FromUtf8("あ"));
}

TEST(NovelPropertyValuesTest, FadeLabelsPreviewFitAndMidiDefaults) {
    const WorkingFadeTexts texts = WorkingFadeTextsOf({6, 2, 1250});
    EXPECT_EQ(texts.type, "回転シャッター");
    EXPECT_EQ(texts.variation, "バリエーション : 2");
    EXPECT_EQ(texts.speed, "スピード : 1250ミリ秒");
    EXPECT_EQ(WorkingFadeTextsOf({10, 1, 500}).type, "標準のフェード効果");

    // Wide pictures fill the width, tall ones the height; both centred.
    EXPECT_EQ(FitPreview(640, 480, 200, 120), (PreviewFit{20, 0, 160, 120}));
    EXPECT_EQ(FitPreview(800, 200, 200, 120), (PreviewFit{0, 35, 200, 50}));
    EXPECT_EQ(FitPreview(100, 300, 200, 120), (PreviewFit{80, 0, 40, 120}));
    EXPECT_EQ(FitPreview(0, 300, 200, 120), PreviewFit{});
    EXPECT_EQ(MissingPictureText(""), "(画像なし)");
    EXPECT_EQ(MissingPictureText("x.bmp"), "(ファイルが見つかりません)");

    NovelPropertyValues values;
    values.midiQuickStart = false;
    values.midiGMReset = values.midiGSReset = true;
    ResetMidiOptions(values);
    EXPECT_TRUE(values.midiQuickStart);
    EXPECT_FALSE(values.midiGMReset || values.midiGSReset);
}

} // namespace
} // namespace miravo
