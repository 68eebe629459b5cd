// The blocks of the novel file: header, counters, text windows and items, little-endian.
#include "novel/ByteStream.h"
#include "novel/EditorError.h"
#include "novel/NovelData.h"

namespace miravo {
namespace {

// Smallest records, to refuse a count that the rest of the file cannot hold before anything
// is allocated for it.
constexpr std::size_t kLinkRecordMinSize = 1 + 4 + 4 + 1 + 4 + 4;
constexpr std::size_t kItemRecordMinSize = 4 + 4 + 4 + 4 + 1 + kLinkSlotCount * kLinkRecordMinSize;
constexpr std::size_t kCounterRecordMinSize = 4 + 4 + 4 + 4 + 1;
constexpr std::size_t kOldCounterRecordMinSize = 4 + 4 + 4 + 4;
constexpr std::size_t kTextWindowRecordMinSize = 4 + 4 + 4 + 4 + 16;

constexpr std::int32_t kCountersBlockVersion = 2;
constexpr std::int32_t kTextWindowsBlockVersion = 1;

// A count above a table's limit is refused with the message of adding one too many.
template <typename Table> std::int32_t ReadTableCount(ByteReader& stream, std::size_t minSize) {
    const std::int32_t count = stream.ReadCount();
    if (count > Table::kMaxCount)
        Table::RaiseLimit();
    stream.RequireRecords(count, minSize);
    return count;
}

void WriteLink(ByteWriter& stream, const CNovelLink& link) {
    stream.WriteBool(link.Enabled);
    stream.WriteString(link.LinkText);
    stream.WriteString(link.Target);
    stream.WriteBool(link.UseCounter);
    stream.WriteString(link.CounterName);
    stream.WriteInt32(link.Threshold);
}

void ReadLink(ByteReader& stream, CNovelLink& link) {
    link.Enabled = stream.ReadBool();
    link.LinkText = stream.ReadString();
    link.Target = stream.ReadString();
    link.UseCounter = stream.ReadBool();
    link.CounterName = stream.ReadString();
    link.Threshold = stream.ReadInt32();
}

} // namespace

// ----- Header -----------------------------------------------------------------------------------
void CNovelFileHeader::SaveToStream(ByteWriter& stream) {
    Version = kNovelFileVersion;
    stream.WriteShortString(Magic, kMagicCapacity, ' ');
    stream.WriteInt32(Version);
    stream.WriteInt32(ChartWidth);
    stream.WriteInt32(ChartHeight);
    stream.WriteShortString(StartItem, kShortStringCapacity);
    stream.WriteShortString(LogoGraphic, kShortStringCapacity);
    stream.WriteShortString(TitleGraphic, kShortStringCapacity);
    stream.WriteShortString(TitleMidi, kShortStringCapacity);
    stream.WriteShortString(TitleWave, kShortStringCapacity);
    stream.WriteInt32(ReservedInt);
    stream.WriteShortString(ReservedString, kShortStringCapacity);
    stream.WriteByte(ReservedByte);
    // version 2
    stream.WriteShortString(Title, kShortStringCapacity);
    stream.WriteShortString(LogoMidi, kShortStringCapacity);
    stream.WriteShortString(LogoWave, kShortStringCapacity);
    stream.WriteInt32(MessageSpeed);
    stream.WriteInt32(LegacyFadeNumber);
    stream.WriteInt32(FadeVariation);
    stream.WriteInt32(FadeSpeed);
    stream.WriteByte(SaveMode);
    stream.WriteByte(ReservedByte2);
    stream.WriteInt32(FontKind);
    stream.WriteInt32(FontSize);
    stream.WriteInt32(FontStyle);
    stream.WriteBool(FontAntialias);
    stream.WriteInt32(NormalColor);
    stream.WriteInt32(ShadowColor);
    stream.WriteInt32(SelectColor);
    stream.WriteInt32(TipColor);
    // version 4
    stream.WriteShortString(FadeName, kFadeNameCapacity);
    stream.WriteShortString(CharFadeName, kFadeNameCapacity);
    stream.WriteInt32(CharFadeVariation);
    stream.WriteInt32(CharFadeSpeed);
    stream.WriteByte(DisplayMode);
    stream.WriteByte(ReservedByte3);
    stream.WriteByte(ReservedByte4);
    stream.WriteBool(MidiQuickStart);
    stream.WriteBool(MidiGMReset);
    stream.WriteBool(MidiGSReset);
    // versions 6, 7, 8
    stream.WriteByte(SkipMode);
    stream.WriteBool(UsesMp3);
    stream.WriteByte(SelectionNumbering);
}

void CNovelFileHeader::LoadFromStream(ByteReader& stream) {
    SetDefaults();
    Magic = stream.ReadShortString(kMagicCapacity);
    Version = stream.ReadInt32();
    ChartWidth = stream.ReadInt32();
    ChartHeight = stream.ReadInt32();
    StartItem = stream.ReadShortString(kShortStringCapacity);
    LogoGraphic = stream.ReadShortString(kShortStringCapacity);
    TitleGraphic = stream.ReadShortString(kShortStringCapacity);
    TitleMidi = stream.ReadShortString(kShortStringCapacity);
    TitleWave = stream.ReadShortString(kShortStringCapacity);
    ReservedInt = stream.ReadInt32();
    ReservedString = stream.ReadShortString(kShortStringCapacity);
    ReservedByte = stream.ReadByte();
    if (Version < 2)
        return;
    Title = stream.ReadShortString(kShortStringCapacity);
    LogoMidi = stream.ReadShortString(kShortStringCapacity);
    LogoWave = stream.ReadShortString(kShortStringCapacity);
    MessageSpeed = stream.ReadInt32();
    LegacyFadeNumber = stream.ReadInt32();
    FadeVariation = stream.ReadInt32();
    FadeSpeed = stream.ReadInt32();
    SaveMode = stream.ReadByte();
    ReservedByte2 = stream.ReadByte();
    FontKind = stream.ReadInt32();
    FontSize = stream.ReadInt32();
    FontStyle = stream.ReadInt32();
    FontAntialias = stream.ReadBool();
    NormalColor = stream.ReadInt32();
    ShadowColor = stream.ReadInt32();
    SelectColor = stream.ReadInt32();
    TipColor = stream.ReadInt32();
    if (Version < 4)
        return;
    FadeName = stream.ReadShortString(kFadeNameCapacity);
    CharFadeName = stream.ReadShortString(kFadeNameCapacity);
    CharFadeVariation = stream.ReadInt32();
    CharFadeSpeed = stream.ReadInt32();
    DisplayMode = stream.ReadByte();
    ReservedByte3 = stream.ReadByte();
    ReservedByte4 = stream.ReadByte();
    MidiQuickStart = stream.ReadBool();
    MidiGMReset = stream.ReadBool();
    MidiGSReset = stream.ReadBool();
    if (Version < 6)
        return;
    SkipMode = stream.ReadByte();
    if (Version < 7)
        return;
    UsesMp3 = stream.ReadBool();
    if (Version < 8)
        return;
    SelectionNumbering = stream.ReadByte();
}

// ----- Counters ---------------------------------------------------------------------------------
void CNovelCounters::SaveToStream(ByteWriter& stream) const {
    stream.WriteInt32(kCountersBlockVersion);
    stream.WriteInt32(Count());
    for (const CNovelCounter& counter : counters_) {
        stream.WriteString(counter.Name);
        stream.WriteInt32(counter.InitialValue);
        stream.WriteInt32(counter.MinValue);
        stream.WriteInt32(counter.MaxValue);
        stream.WriteBool(counter.CarryOver);
    }
}

namespace {
// The fields both counter blocks share; only the newer one adds the carry-over flag.
void ReadCounterValues(ByteReader& stream, CNovelCounter& counter) {
    counter.Name = stream.ReadString();
    counter.InitialValue = stream.ReadInt32();
    counter.MinValue = stream.ReadInt32();
    counter.MaxValue = stream.ReadInt32();
}
} // namespace

void CNovelCounters::LoadFromStream(ByteReader& stream) {
    Clear();
    stream.ReadInt32(); // block version: every version so far has the same records
    const std::int32_t count = ReadTableCount<CNovelCounters>(stream, kCounterRecordMinSize);
    for (std::int32_t i = 0; i < count; ++i) {
        CNovelCounter& counter = Add();
        ReadCounterValues(stream, counter);
        counter.CarryOver = stream.ReadBool();
    }
}

void CNovelCounters::LoadOldFromStream(ByteReader& stream) {
    Clear();
    const std::int32_t count = ReadTableCount<CNovelCounters>(stream, kOldCounterRecordMinSize);
    for (std::int32_t i = 0; i < count; ++i) {
        CNovelCounter& counter = Add();
        ReadCounterValues(stream, counter);
        counter.CarryOver = false;
    }
}

// ----- Text windows -----------------------------------------------------------------------------
void CTextWindows::SaveToStream(ByteWriter& stream) const {
    stream.WriteInt32(kTextWindowsBlockVersion);
    stream.WriteInt32(Count());
    for (const CTextWindow& window : windows_) {
        stream.WriteString(window.Name);
        stream.WriteString(window.GraphicFile);
        stream.WriteString(window.VAlign);
        stream.WriteString(window.HAlign);
        stream.WriteInt32(window.TextRect.Left);
        stream.WriteInt32(window.TextRect.Top);
        stream.WriteInt32(window.TextRect.Right);
        stream.WriteInt32(window.TextRect.Bottom);
    }
}

void CTextWindows::LoadFromStream(ByteReader& stream) {
    Clear();
    stream.ReadInt32(); // block version
    const std::int32_t count = ReadTableCount<CTextWindows>(stream, kTextWindowRecordMinSize);
    for (std::int32_t i = 0; i < count; ++i) {
        CTextWindow& window = Add();
        window.Name = stream.ReadString();
        window.GraphicFile = stream.ReadString();
        window.VAlign = stream.ReadString();
        window.HAlign = stream.ReadString();
        window.TextRect.Left = stream.ReadInt32();
        window.TextRect.Top = stream.ReadInt32();
        window.TextRect.Right = stream.ReadInt32();
        window.TextRect.Bottom = stream.ReadInt32();
    }
}

// ----- Items ------------------------------------------------------------------------------------
void CNovelItems::SaveToStream(ByteWriter& stream) const {
    stream.WriteInt32(Count());
    for (const auto& item : items_) {
        stream.WriteString(item->Name);
        stream.WriteInt32(item->X);
        stream.WriteInt32(item->Y);
        stream.WriteString(item->Text.Joined());
        stream.WriteByte(item->LinkType);
        for (const CNovelLink& link : item->Links)
            WriteLink(stream, link);
    }
}

void CNovelItems::LoadFromStream(ByteReader& stream, bool appendTrailingEmptyLine) {
    Clear();
    const std::int32_t count = ReadTableCount<CNovelItems>(stream, kItemRecordMinSize);
    for (std::int32_t i = 0; i < count; ++i) {
        CNovelItem& item = Add();
        item.Name = stream.ReadString();
        item.X = stream.ReadInt32();
        item.Y = stream.ReadInt32();
        item.Text = CTextLines::Split(stream.ReadStringView());
        if (appendTrailingEmptyLine && !item.Text.empty() && !item.Text.back().empty())
            item.Text.push_back("");
        item.LinkType = stream.ReadByte();
        for (CNovelLink& link : item.Links)
            ReadLink(stream, link);
    }
}

} // namespace miravo
