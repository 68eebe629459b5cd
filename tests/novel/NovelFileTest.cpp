#include "RecordingInteraction.h"
#include "SampleNovels.h"

#include "novel/ByteStream.h"
#include "novel/EditorError.h"
#include "novel/NovelDocument.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

std::string Int32Bytes(std::int32_t value) {
    ByteWriter writer;
    writer.WriteInt32(value);
    return writer.Bytes();
}

// Offsets of the blocks in a version 9 file of `model`.
struct BlockOffsets {
    std::size_t counters, textWindows, items, end;
};
BlockOffsets OffsetsOf(CNovelModel& model) {
    ByteWriter header, counters, windows;
    model.Header.SaveToStream(header);
    model.Counters.SaveToStream(counters);
    model.TextWindows.SaveToStream(windows);
    const std::size_t c = header.Bytes().size();
    const std::size_t w = c + counters.Bytes().size();
    const std::size_t i = w + windows.Bytes().size();
    return {c, w, i, SerializeNovel(model).size()};
}

NovelLoadResult Parse(CNovelModel& model, std::string_view bytes, RecordingInteraction& ui) {
    model.Reset();
    return ParseNovel(model, bytes, ui);
}

} // namespace

TEST(NovelFile, Version9RoundTripKeepsEveryField) {
    CNovelModel original;
    FillFullNovel(original);
    const std::string bytes = SerializeNovel(original);
    EXPECT_EQ(bytes.substr(0, 33), "\x0FMiravo WorkFile" + std::string(17, ' '));
    EXPECT_EQ(bytes.substr(33, 4), Int32Bytes(9));

    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(Parse(loaded, bytes, ui), NovelLoadResult::Loaded);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(loaded.Header, original.Header);
    EXPECT_EQ(loaded.Counters, original.Counters);
    EXPECT_EQ(loaded.TextWindows, original.TextWindows);
    ASSERT_EQ(loaded.Items.Count(), 3);
    EXPECT_EQ(loaded.Items, original.Items); // every text already ends in an empty line
    EXPECT_EQ(SerializeNovel(loaded), bytes);
}

TEST(NovelFile, HeaderLayoutAndPaddingIndependence) {
    CNovelModel model;
    FillFullNovel(model);
    std::string bytes = SerializeNovel(model);
    EXPECT_EQ(bytes.substr(1325, 4), Int32Bytes(-123456789)); // ReservedInt before ReservedString
    EXPECT_EQ(static_cast<unsigned char>(bytes[1585]), 0xAB);
    EXPECT_EQ(bytes.substr(2401, 10), "\x09"
                                      "CROSSLINE");
    EXPECT_EQ(static_cast<unsigned char>(bytes[2483]), 2); // SelectionNumbering, the last byte

    // Garbage in every padding area (magic included) reads as the same model.
    auto fillPadding = [&](std::size_t offset, std::size_t capacity) {
        const auto length = static_cast<unsigned char>(bytes[offset]);
        for (std::size_t k = offset + 1 + length; k < offset + 1 + capacity; ++k)
            bytes[k] = '\xEE';
    };
    fillPadding(0, 32);
    for (std::size_t offset : {45, 301, 557, 813, 1069, 1329, 1586, 1842, 2098})
        fillPadding(offset, 255);
    fillPadding(2401, 32);
    fillPadding(2434, 32);
    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(Parse(loaded, bytes, ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded, model);
}

TEST(NovelFile, ShortStringsAreCutAtCharacterBoundaries) {
    CNovelModel model;
    model.Header.Title = std::string(254, 'x') + Sj("表"); // 256 bytes: the 表 does not fit
    model.Header.FadeName = std::string(40, 'F');
    ByteWriter header;
    model.Header.SaveToStream(header);
    EXPECT_EQ(header.Bytes().size(), kHeaderSizeV8);
    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(Parse(loaded, SerializeNovel(model), ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded.Header.Title, std::string(254, 'x'));
    EXPECT_EQ(loaded.Header.FadeName, std::string(32, 'F'));

    // A length byte above the capacity counts only the capacity.
    std::string bytes = SerializeNovel(model);
    bytes[2401] = '\xFF';
    ASSERT_EQ(Parse(loaded, bytes, ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded.Header.FadeName, std::string(32, 'F'));
}

TEST(NovelFile, TrailingEmptyLineAfterReading) {
    CNovelModel model;
    model.Items.Add().Text = {"one", "two"};
    model.Items.Add().Text = {"one", ""};
    model.Items.Add();
    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(Parse(loaded, SerializeNovel(model), ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded.Items[0].Text, (CTextLines{"one", "two", ""}));
    EXPECT_EQ(loaded.Items[1].Text, (CTextLines{"one", ""}));
    EXPECT_TRUE(loaded.Items[2].Text.empty());

    loaded.Reset();
    ParseNovel(loaded, SerializeNovel(model), ui, NovelReadOptions{false});
    EXPECT_EQ(loaded.Items[0].Text, (CTextLines{"one", "two"}));
}

TEST(NovelFile, OlderVersionsKeepDefaultsForWhatTheyLack) {
    CNovelModel full;
    FillFullNovel(full);
    const CNovelFileHeader defaults;
    for (int version = 1; version <= 8; ++version) {
        SCOPED_TRACE(version);
        const std::string bytes = OldFormatFile(full, version);
        CNovelModel loaded;
        RecordingInteraction ui;
        ASSERT_EQ(Parse(loaded, bytes, ui), NovelLoadResult::Loaded);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, kOldFormatMessage);
        EXPECT_EQ(ui.messages[0].caption, "情報");
        EXPECT_EQ(ui.messages[0].kind, NoticeKind::Information);

        const CNovelFileHeader& h = loaded.Header;
        EXPECT_EQ(h.Version, version);
        EXPECT_EQ(h.ReservedByte, full.Header.ReservedByte);
        EXPECT_EQ(h.Title, version >= 2 ? full.Header.Title : defaults.Title);
        EXPECT_EQ(h.TipColor, version >= 2 ? full.Header.TipColor : defaults.TipColor);
        EXPECT_EQ(h.CharFadeName, version >= 4 ? full.Header.CharFadeName : defaults.CharFadeName);
        EXPECT_EQ(h.MidiGSReset, version >= 4 ? full.Header.MidiGSReset : defaults.MidiGSReset);
        EXPECT_EQ(h.SkipMode, version >= 6 ? full.Header.SkipMode : defaults.SkipMode);
        EXPECT_EQ(h.UsesMp3, version >= 7 ? full.Header.UsesMp3 : defaults.UsesMp3);
        EXPECT_EQ(h.SelectionNumbering,
                  version >= 8 ? full.Header.SelectionNumbering : defaults.SelectionNumbering);
        if (version == 2 || version == 3) {
            EXPECT_EQ(h.FadeName, "CAMERA"); // old number 7
            EXPECT_EQ(h.LegacyFadeNumber, 7);
        } else {
            EXPECT_EQ(h.FadeName, version >= 4 ? full.Header.FadeName : defaults.FadeName);
        }

        EXPECT_EQ(loaded.Counters.Count(), version >= 3 ? 2 : 0);
        if (version >= 3) {
            EXPECT_EQ(loaded.Counters[0].CarryOver, version >= 5);
        }
        EXPECT_EQ(loaded.TextWindows.Count(), 0);
        EXPECT_EQ(loaded.Items, full.Items);

        // Saved again it is a version 9 file that opens without the notice.
        const std::string resaved = SerializeNovel(loaded);
        CNovelModel again;
        RecordingInteraction quiet;
        ASSERT_EQ(Parse(again, resaved, quiet), NovelLoadResult::Loaded);
        EXPECT_TRUE(quiet.messages.empty());
        EXPECT_EQ(again.Header.Version, 9);
    }
}

TEST(NovelFile, LegacyFadeNumbersOfVersion3) {
    CNovelModel model;
    for (auto [number, name, position] : {std::tuple{5, "NONE", 1}, std::tuple{1, "BLIND", 2},
                                          std::tuple{0, "DEFAULT", 0}, std::tuple{3, "BLEND", 4}}) {
        model.Header.LegacyFadeNumber = number;
        CNovelModel loaded;
        RecordingInteraction ui;
        ASSERT_EQ(Parse(loaded, OldFormatFile(model, 3), ui), NovelLoadResult::Loaded);
        EXPECT_EQ(loaded.Header.FadeName, name);
        EXPECT_EQ(loaded.Header.LegacyFadeNumber, position);
    }
}

TEST(NovelFile, RejectedHeaders) {
    CNovelModel model;
    FillFullNovel(model);
    const std::string good = SerializeNovel(model);
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
        const char* caption;
    };
    std::string wrongLength = good;
    wrongLength[0] = 16; // right characters, but the padding space becomes part of the magic
    std::string otherMagic = good;
    otherMagic[1] = 'm';
    std::string tooNew = good;
    tooNew.replace(33, 4, Int32Bytes(10));
    std::string farTooNew = good.substr(0, kHeaderSizeV8); // nothing after the header
    farTooNew.replace(33, 4, Int32Bytes(0x7FFFFFFF));
    for (const Case& c : {Case{"length byte", wrongLength, kWrongMagicMessage, kWrongMagicCaption},
                          Case{"characters", otherMagic, kWrongMagicMessage, kWrongMagicCaption},
                          Case{"version 10", tooNew, kTooNewMessage, kTooNewCaption},
                          Case{"huge version", farTooNew, kTooNewMessage, kTooNewCaption}}) {
        SCOPED_TRACE(c.what);
        CNovelModel loaded;
        RecordingInteraction ui;
        EXPECT_EQ(Parse(loaded, c.bytes, ui), NovelLoadResult::Rejected);
        ASSERT_EQ(ui.messages.size(), 1u); // no old-format notice besides
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].caption, c.caption);
        EXPECT_EQ(ui.messages[0].kind, NoticeKind::Refusal);
        EXPECT_EQ(loaded.Items.Count(), 0);
    }
}

// Past the header, reading stops with the error and the model keeps what was read before it.
TEST(NovelFile, FileEndingEarlyKeepsWhatWasReadAtEveryLength) {
    CNovelModel model;
    FillFullNovel(model);
    const std::string bytes = SerializeNovel(model);
    const BlockOffsets at = OffsetsOf(model);
    EXPECT_EQ(at.counters, kHeaderSizeV8);
    EXPECT_EQ(at.end, bytes.size());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CNovelModel loaded;
        RecordingInteraction ui;
        const std::string_view cut = std::string_view(bytes).substr(0, length);
        if (length < kHeaderSizeV8) {
            // A header cut short is the read error, never the header message; nothing is kept.
            EXPECT_THROW(Parse(loaded, cut, ui), FileReadError) << length;
            EXPECT_TRUE(ui.messages.empty());
            continue;
        }
        ASSERT_EQ(Parse(loaded, cut, ui), NovelLoadResult::PartlyRead) << length;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, NoticeKind::ReadError);
        EXPECT_EQ(ui.messages[0].text, "ファイルの読み込みエラーです.\r\n"
                                       "ファイルが途中で切れているか、壊れています.");
        EXPECT_EQ(loaded.Header, model.Header);
        if (length >= at.textWindows) {
            EXPECT_EQ(loaded.Counters, model.Counters);
        }
        if (length >= at.end - 40) { // inside the last item's links
            ASSERT_EQ(loaded.Items.Count(), 3);
            EXPECT_EQ(loaded.Items[1], model.Items[1]);
            EXPECT_EQ(loaded.Items[2].Text, model.Items[2].Text);
        }
    }
}

TEST(NovelFile, DamagedLengthsAndCounts) {
    CNovelModel model;
    FillFullNovel(model);
    const std::string good = SerializeNovel(model);
    const BlockOffsets at = OffsetsOf(model);
    const std::size_t firstCounterName = at.counters + 8;
    const std::size_t firstItemName = at.items + 4;

    auto patched = [&](std::size_t offset, std::int32_t value) {
        std::string bytes = good;
        bytes.replace(offset, 4, Int32Bytes(value));
        return bytes;
    };
    // The read error or the limit message, and the tables before it kept.
    auto expectError = [&](const std::string& bytes, const char* message) {
        CNovelModel loaded;
        RecordingInteraction ui;
        ASSERT_EQ(Parse(loaded, bytes, ui), NovelLoadResult::PartlyRead);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, NoticeKind::ReadError);
        EXPECT_EQ(ui.messages[0].text, message);
        EXPECT_EQ(loaded.Header, model.Header);
    };
    const char* const readError = "ファイルの読み込みエラーです.\r\n"
                                  "ファイルが途中で切れているか、壊れています.";
    auto expectReadError = [&](const std::string& bytes) { expectError(bytes, readError); };
    const auto& expectLimit = expectError;

    for (std::int32_t length :
         {-1, -0x7FFFFFFF - 1, 0x7FFFFFFF, 1 << 30, static_cast<std::int32_t>(good.size())}) {
        SCOPED_TRACE(length);
        expectReadError(patched(firstCounterName, length));
        expectReadError(patched(firstItemName, length));
    }
    expectReadError(patched(at.counters + 4, -1));
    expectReadError(patched(at.items, -5));
    // Counts within the limits that the rest of the file cannot hold.
    expectReadError(patched(at.counters + 4, 256));
    expectReadError(patched(at.textWindows + 4, 200));
    expectReadError(patched(at.items, 2048));
    // Counts above the limits: the limit message of adding one too many.
    expectLimit(patched(at.counters + 4, 257), "カウンタの最大数を超えたため新規作成できません.");
    expectLimit(patched(at.textWindows + 4, 0x7FFFFFFF),
                "ウインドウの最大数を超えたため新規作成できません.");
    expectLimit(patched(at.items, 2049), "アイテムの最大数を超えたため新規作成できません.");
}

TEST(NovelFile, LimitsHoldWhenTheFileIsFull) {
    CNovelModel model;
    for (int i = 0; i < 256; ++i) {
        model.Counters.Add();
        model.TextWindows.Add();
    }
    for (int i = 0; i < 2048; ++i)
        model.Items.Add().Name = std::to_string(i);
    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(Parse(loaded, SerializeNovel(model), ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded, model);
}

TEST(AlphaFile, ChartSizeAndItems) {
    CNovelModel model;
    FillFullNovel(model);
    ByteWriter alpha;
    alpha.WriteInt32(800);
    alpha.WriteInt32(600);
    model.Items.SaveToStream(alpha);

    CNovelModel loaded;
    loaded.Header.Title = "stale";
    ParseAlphaNovel(loaded, alpha.Bytes());
    CNovelFileHeader expected;
    expected.ChartWidth = 800;
    expected.ChartHeight = 600;
    EXPECT_EQ(loaded.Header, expected);
    EXPECT_EQ(loaded.Items, model.Items);
    EXPECT_EQ(loaded.Counters.Count(), 0);

    for (std::size_t length = 0; length < alpha.Bytes().size(); length += 7)
        EXPECT_THROW(ParseAlphaNovel(loaded, alpha.Bytes().substr(0, length)), FileReadError);
}
