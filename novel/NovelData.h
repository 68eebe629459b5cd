#pragma once

#include "novel/TextLines.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The novel: four objects that live for the whole run and that every part of the editor reads
// and changes directly. All strings are Shift-JIS bytes exactly as the novel file stores them;
// names compare byte for byte. The model sends no notifications: whoever changes it repaints
// what shows it and marks the novel modified.
namespace miravo {

class ByteReader;
class ByteWriter;

// ----- Fade effects -----------------------------------------------------------------------------
inline constexpr int kFadeEffectCount = 10;
// "DEFAULT", "NONE", "BLIND", "SHUTTER", "BLEND", "PUZZLE", "R-SUTTER", "CAMERA", "WIND",
// "CROSSLINE" for 0 to 9; empty for any other number.
std::string_view FadeEffectKeyword(int number);
// Upper-cased lookup in the keyword list; a name not found gives 0 ("DEFAULT").
int FadeNumberOf(std::string_view name);
// The effect name a fade number of format versions 2 and 3 stood for; "DEFAULT" outside 0 to 9.
std::string_view LegacyFadeName(int legacyNumber);

// ----- Items ------------------------------------------------------------------------------------
inline constexpr int kLinkSlotCount = 8;

enum LinkTypeValue : std::uint8_t { kLinkMenu = 0, kLinkAuto = 1, kLinkEnding = 2 };

struct CNovelLink {
    bool Enabled = false;
    std::string LinkText;
    std::string Target; // item name
    bool UseCounter = false;
    std::string CounterName;
    std::int32_t Threshold = 1; // the condition holds while the counter is >= Threshold

    bool operator==(const CNovelLink&) const = default;
};

class CNovelItem {
public:
    CNovelItem(); // slot 0 enabled, slots 1 to 7 disabled

    std::string Name = "NewItem"; // every path that creates an item names it at once
    std::int32_t X = 0;
    std::int32_t Y = 0;
    CTextLines Text; // the script
    std::uint8_t LinkType = kLinkMenu;
    std::array<CNovelLink, kLinkSlotCount> Links;

    bool operator==(const CNovelItem&) const = default;
};

// The ordered item list; it owns its items, and an item keeps its address while it is in the
// list (windows may hold a reference to the current item).
class CNovelItems {
public:
    static constexpr int kMaxCount = 2048;
    // Raises the EditorError of adding one too many (also used for a count read from a file).
    [[noreturn]] static void RaiseLimit();

    int Count() const { return static_cast<int>(items_.size()); }
    CNovelItem& operator[](int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const CNovelItem& operator[](int index) const {
        return *items_.at(static_cast<std::size_t>(index));
    }

    // Appends an item with the construction defaults and returns it. At kMaxCount raises
    // EditorError "アイテムの最大数を超えたため新規作成できません." and changes nothing.
    CNovelItem& Add();
    // Destroys the item at index (0 <= index < Count()); later items move down by one.
    void Delete(int index);
    void Clear();
    // Exact, case-sensitive; the last item in list order with that name, or -1.
    int IndexOf(std::string_view name) const;

    // The items block of the novel file. Loading first clears the list; an item's non-empty
    // text that does not end in an empty line gets one when appendTrailingEmptyLine is set
    // (what the editor does: mvtool's JSON form reads the file as it is).
    void SaveToStream(ByteWriter& stream) const;
    void LoadFromStream(ByteReader& stream, bool appendTrailingEmptyLine = true);

    // Append the script export / the story-text export of all items, in item order.
    void ExportScript(CTextLines& lines) const;
    void ExportPlainText(CTextLines& lines) const;

    bool operator==(const CNovelItems& other) const;

private:
    std::vector<std::unique_ptr<CNovelItem>> items_;
};

// ----- Counters ---------------------------------------------------------------------------------
struct CNovelCounter {
    std::string Name; // "(新規カウンタ)" in Shift-JIS for a new counter
    std::int32_t InitialValue = 0;
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 100;
    bool CarryOver = false;

    CNovelCounter();
    bool operator==(const CNovelCounter&) const = default;
};

class CNovelCounters {
public:
    static constexpr int kMaxCount = 256;
    // Raises the EditorError of adding one too many (also used for a count read from a file).
    [[noreturn]] static void RaiseLimit();

    int Count() const { return static_cast<int>(counters_.size()); }
    CNovelCounter& operator[](int index) { return counters_.at(static_cast<std::size_t>(index)); }
    const CNovelCounter& operator[](int index) const {
        return counters_.at(static_cast<std::size_t>(index));
    }

    // Appends a counter with the defaults and returns it. At kMaxCount raises EditorError
    // "カウンタの最大数を超えたため新規作成できません." and changes nothing.
    CNovelCounter& Add();
    // An index outside 0 to Count()-1 is ignored.
    void Delete(int index);
    void Clear();
    int IndexOf(std::string_view name) const; // last match or -1

    void SaveToStream(ByteWriter& stream) const;
    void LoadFromStream(ByteReader& stream);    // counters block, versions 5 to 9
    void LoadOldFromStream(ByteReader& stream); // old counters block, versions 3 and 4

    bool operator==(const CNovelCounters&) const = default;

private:
    std::vector<CNovelCounter> counters_;
};

// ----- Text windows -----------------------------------------------------------------------------
struct CWindowRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const CWindowRect&) const = default;
};

struct CTextWindow {
    std::string Name;        // "(新規ウインドウ)" in Shift-JIS for a new window
    std::string GraphicFile; // relative to the novel folder; empty: no picture
    std::string VAlign = "MIDDLE";
    std::string HAlign = "CENTER";
    CWindowRect TextRect{32, 32, 608, 448};

    CTextWindow();
    bool operator==(const CTextWindow&) const = default;
};

class CTextWindows {
public:
    static constexpr int kMaxCount = 256;
    // Raises the EditorError of adding one too many (also used for a count read from a file).
    [[noreturn]] static void RaiseLimit();

    int Count() const { return static_cast<int>(windows_.size()); }
    CTextWindow& operator[](int index) { return windows_.at(static_cast<std::size_t>(index)); }
    const CTextWindow& operator[](int index) const {
        return windows_.at(static_cast<std::size_t>(index));
    }

    // Appends a window with the defaults and returns it. At kMaxCount raises EditorError
    // "ウインドウの最大数を超えたため新規作成できません." and changes nothing.
    CTextWindow& Add();
    void Delete(int index); // an index outside 0 to Count()-1 is ignored
    void Clear();
    int IndexOf(std::string_view name) const; // last match or -1

    void SaveToStream(ByteWriter& stream) const;
    void LoadFromStream(ByteReader& stream);

    bool operator==(const CTextWindows&) const = default;

private:
    std::vector<CTextWindow> windows_;
};

// ----- Header -----------------------------------------------------------------------------------
// Short strings hold at most this many bytes; only their significant bytes are kept in the
// model (the file's padding is not). A longer value is cut at a character boundary on writing.
inline constexpr std::size_t kShortStringCapacity = 255;
inline constexpr std::size_t kFadeNameCapacity = 32;
inline constexpr std::size_t kMagicCapacity = 32;
inline constexpr std::string_view kNovelMagic = "Miravo WorkFile";
inline constexpr std::int32_t kNovelFileVersion = 9;

// Header sizes by the version that introduced each part of it.
inline constexpr std::size_t kHeaderSizeV1 = 1586;
inline constexpr std::size_t kHeaderSizeV2 = 2401;
inline constexpr std::size_t kHeaderSizeV4 = 2481;
inline constexpr std::size_t kHeaderSizeV6 = 2482;
inline constexpr std::size_t kHeaderSizeV7 = 2483;
inline constexpr std::size_t kHeaderSizeV8 = 2484;

class CNovelFileHeader {
public:
    std::string Magic{kNovelMagic}; // capacity 32
    std::int32_t Version = kNovelFileVersion;
    std::int32_t ChartWidth = 0;
    std::int32_t ChartHeight = 0;
    std::string StartItem; // capacity 255, as every short string below unless stated
    std::string LogoGraphic;
    std::string TitleGraphic;
    std::string TitleMidi;
    std::string TitleWave;
    std::string ReservedString; // reserved fields: kept as read, written back unchanged
    std::int32_t ReservedInt = 0;
    std::uint8_t ReservedByte = 0;
    std::string Title;
    std::string LogoMidi;
    std::string LogoWave;
    std::int32_t MessageSpeed = 18;    // milliseconds per character
    std::int32_t LegacyFadeNumber = 1; // from versions 2 and 3 only
    std::int32_t FadeVariation = 0;
    std::int32_t FadeSpeed = 500;
    std::uint8_t SaveMode = 2; // 0 none, 1 automatic, 2 manual
    std::uint8_t ReservedByte2 = 0;
    std::int32_t FontKind = 0; // 0 Gothic, 1 Mincho
    std::int32_t FontSize = 28;
    std::int32_t FontStyle = 0; // 0 bordered, 1 shadowed
    bool FontAntialias = true;
    std::int32_t NormalColor = 0xFFFFFF; // 0x00BBGGRR
    std::int32_t ShadowColor = 0x000000;
    std::int32_t SelectColor = 0x0000FF;
    std::int32_t TipColor = 0xFFFF00;
    std::string FadeName = "BLEND";    // capacity 32
    std::string CharFadeName = "NONE"; // capacity 32
    std::int32_t CharFadeVariation = 0;
    std::int32_t CharFadeSpeed = 500;
    std::uint8_t DisplayMode = 1; // 0 full screen, 1 window
    std::uint8_t ReservedByte3 = 1;
    std::uint8_t ReservedByte4 = 0;
    bool MidiQuickStart = true;
    bool MidiGMReset = false;
    bool MidiGSReset = false;
    std::uint8_t SkipMode = 2; // 1 end of item, 2 menu link (0 counts as 2)
    bool UsesMp3 = false;
    std::uint8_t SelectionNumbering = 1; // 0 none, 1 digits, 2 letters

    void SetDefaults();

    // SaveToStream sets Version to 9 and writes the whole version 9 header. LoadFromStream
    // sets the defaults, then reads the parts that the Version just read holds.
    void SaveToStream(ByteWriter& stream);
    void LoadFromStream(ByteReader& stream);

    // Length and characters equal to the editor's magic; the padding is not compared.
    bool HasNovelMagic() const { return Magic == kNovelMagic; }
    // Versions 2 and 3 stored the default fade as a number: the name it stood for goes into
    // FadeName, and LegacyFadeNumber becomes that name's position in the keyword list.
    void ConvertLegacyFadeNumber();

    bool operator==(const CNovelFileHeader&) const = default;
};

// ----- The four model objects -------------------------------------------------------------------
// Declared in creation order (items, header, counters, text windows) so that they are destroyed
// in the reverse order.
struct CNovelModel {
    CNovelItems Items;
    CNovelFileHeader Header;
    CNovelCounters Counters;
    CTextWindows TextWindows;

    // Clear on items, counters and windows, SetDefaults on the header (the start of a new novel
    // and of loading; chart size and first item are the editor's business).
    void Reset();

    bool operator==(const CNovelModel&) const = default;
};

// The editor's single model. The program's main sequence creates one CNovelModelInstance before
// any window and destroys it last; every window reaches the model through Novel() meanwhile.
// Document operations take the model as a parameter, so tests use models of their own.
class CNovelModelInstance {
public:
    CNovelModelInstance();
    ~CNovelModelInstance();
    CNovelModelInstance(const CNovelModelInstance&) = delete;
    CNovelModelInstance& operator=(const CNovelModelInstance&) = delete;

    CNovelModel& Model() { return model_; }

private:
    CNovelModel model_;
};

// The model of the living CNovelModelInstance; raises std::logic_error when there is none.
CNovelModel& Novel();

} // namespace miravo
