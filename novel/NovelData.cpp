#include "novel/NovelData.h"

#include "novel/EditorError.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace miravo {

// ----- Fade effects -----------------------------------------------------------------------------
namespace {
// The fade effects in the order of their numbers, each with the number that format versions 2
// and 3 stored for it.
struct FadeEffect {
    std::string_view keyword;
    int legacyNumber;
};
constexpr std::array<FadeEffect, kFadeEffectCount> kFadeEffects = {{
    {"DEFAULT", 0},
    {"NONE", 5},
    {"BLIND", 1},
    {"SHUTTER", 2},
    {"BLEND", 3},
    {"PUZZLE", 4},
    {"R-SUTTER", 6},
    {"CAMERA", 7},
    {"WIND", 8},
    {"CROSSLINE", 9},
}};
} // namespace

std::string_view FadeEffectKeyword(int number) {
    if (number < 0 || number >= kFadeEffectCount)
        return {};
    return kFadeEffects[static_cast<std::size_t>(number)].keyword;
}

int FadeNumberOf(std::string_view name) {
    const std::string upper = sjis::AsciiUpper(name);
    for (int number = 0; number < kFadeEffectCount; ++number) {
        if (kFadeEffects[static_cast<std::size_t>(number)].keyword == upper)
            return number;
    }
    return 0;
}

std::string_view LegacyFadeName(int legacyNumber) {
    for (const FadeEffect& effect : kFadeEffects) {
        if (effect.legacyNumber == legacyNumber)
            return effect.keyword;
    }
    return kFadeEffects[0].keyword;
}

void CNovelFileHeader::SetDefaults() { *this = CNovelFileHeader(); }

void CNovelFileHeader::ConvertLegacyFadeNumber() {
    FadeName = std::string(LegacyFadeName(LegacyFadeNumber)).substr(0, kFadeNameCapacity);
    LegacyFadeNumber = FadeNumberOf(FadeName);
}

// ----- Items ------------------------------------------------------------------------------------
CNovelItem::CNovelItem() { Links[0].Enabled = true; }

void CNovelItems::RaiseLimit() {
    throw EditorError("アイテムの最大数を超えたため新規作成できません.");
}

CNovelItem& CNovelItems::Add() {
    if (Count() >= kMaxCount)
        RaiseLimit();
    items_.push_back(std::make_unique<CNovelItem>());
    return *items_.back();
}

void CNovelItems::Delete(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("CNovelItems::Delete");
    items_.erase(items_.begin() + index);
}

void CNovelItems::Clear() { items_.clear(); }

int CNovelItems::IndexOf(std::string_view name) const {
    for (int index = Count() - 1; index >= 0; --index) {
        if (items_[static_cast<std::size_t>(index)]->Name == name)
            return index;
    }
    return -1;
}

bool CNovelItems::operator==(const CNovelItems& other) const {
    if (Count() != other.Count())
        return false;
    for (int index = 0; index < Count(); ++index) {
        if (!((*this)[index] == other[index]))
            return false;
    }
    return true;
}

// ----- Counters ---------------------------------------------------------------------------------
CNovelCounter::CNovelCounter() {
    static const std::string kNewName = sjis::FromUtf8("(新規カウンタ)");
    Name = kNewName;
}

void CNovelCounters::RaiseLimit() {
    throw EditorError("カウンタの最大数を超えたため新規作成できません.");
}

CNovelCounter& CNovelCounters::Add() {
    if (Count() >= kMaxCount)
        RaiseLimit();
    return counters_.emplace_back();
}

void CNovelCounters::Delete(int index) {
    if (index >= 0 && index < Count())
        counters_.erase(counters_.begin() + index);
}

void CNovelCounters::Clear() { counters_.clear(); }

int CNovelCounters::IndexOf(std::string_view name) const {
    for (int index = Count() - 1; index >= 0; --index) {
        if (counters_[static_cast<std::size_t>(index)].Name == name)
            return index;
    }
    return -1;
}

// ----- Text windows -----------------------------------------------------------------------------
CTextWindow::CTextWindow() {
    static const std::string kNewName = sjis::FromUtf8("(新規ウインドウ)");
    Name = kNewName;
}

void CTextWindows::RaiseLimit() {
    throw EditorError("ウインドウの最大数を超えたため新規作成できません.");
}

CTextWindow& CTextWindows::Add() {
    if (Count() >= kMaxCount)
        RaiseLimit();
    return windows_.emplace_back();
}

void CTextWindows::Delete(int index) {
    if (index >= 0 && index < Count())
        windows_.erase(windows_.begin() + index);
}

void CTextWindows::Clear() { windows_.clear(); }

int CTextWindows::IndexOf(std::string_view name) const {
    for (int index = Count() - 1; index >= 0; --index) {
        if (windows_[static_cast<std::size_t>(index)].Name == name)
            return index;
    }
    return -1;
}

// ----- The model --------------------------------------------------------------------------------
void CNovelModel::Reset() {
    Items.Clear();
    Header.SetDefaults();
    Counters.Clear();
    TextWindows.Clear();
}

namespace {
// The one instance the editor's main sequence owns; set and cleared only by its lifetime.
CNovelModelInstance* g_instance = nullptr;
} // namespace

CNovelModelInstance::CNovelModelInstance() {
    if (g_instance != nullptr)
        throw std::logic_error("CNovelModelInstance: a model already exists");
    g_instance = this;
}

CNovelModelInstance::~CNovelModelInstance() { g_instance = nullptr; }

CNovelModel& Novel() {
    if (g_instance == nullptr)
        throw std::logic_error("Novel(): no CNovelModelInstance");
    return g_instance->Model();
}

} // namespace miravo
