#include "novel/FileAccess.h"
#include "novel/FileAccessPlatform.h"
#include "novel/NovelCheck.h"
#include "novel/NovelCheckContext.h"
#include "novel/NovelNames.h"
#include "novel/ShiftJis.h"

namespace miravo {
namespace {

// The name's parts between backslashes (or slashes), double-byte characters stepped over whole.
std::vector<std::string> Segments(std::string_view name) {
    std::vector<std::string> segments(1);
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = sjis::CharLength(name, i);
        if (length == 1 && (name[i] == '\\' || name[i] == '/'))
            segments.emplace_back();
        else
            segments.back().append(name.substr(i, length));
        i += length;
    }
    return segments;
}

} // namespace

const std::vector<DiskCheckedFolder::Entry>*
DiskCheckedFolder::Listing(const std::filesystem::path& folder) {
    auto [place, added] = listings_.try_emplace(folder);
    if (added) {
        std::vector<platform::FolderEntry> found;
        if (platform::ReadFolderEntries(folder, found)) {
            place->second.emplace();
            for (const platform::FolderEntry& entry : found)
                place->second->push_back({sjis::FromUtf16(entry.name), entry.isFolder});
        }
    }
    return place->second ? &*place->second : nullptr;
}

FileLookup DiskCheckedFolder::Look(std::string_view name) {
    std::filesystem::path path = folder_;
    std::string onDisk;
    bool caseDiffers = false;
    const std::vector<std::string> segments = Segments(name);
    for (std::size_t s = 0; s < segments.size(); ++s) {
        const std::string& segment = segments[s];
        if (segment.empty() || segment == ".")
            continue;
        const bool last = s + 1 == segments.size();
        const std::vector<Entry>* entries = Listing(path);
        if (!entries)
            return {FileLookupState::Missing, {}};
        const Entry* match = nullptr;
        const std::string lowered = LocaleLower(segment);
        for (const Entry& entry : *entries) {
            if (entry.isFolder == last)
                continue;
            if (entry.name == segment) {
                match = &entry;
                break;
            }
            if (!match && LocaleLower(entry.name) == lowered)
                match = &entry;
        }
        if (!match)
            return {FileLookupState::Missing, {}};
        caseDiffers = caseDiffers || match->name != segment;
        onDisk += (onDisk.empty() ? "" : "\\") + match->name;
        path /= PathFromUtf8(sjis::ToUtf8(match->name));
    }
    if (onDisk.empty())
        return {FileLookupState::Missing, {}};
    if (!platform::OpenInputFile(path, false))
        return {FileLookupState::Unreadable, {}};
    if (caseDiffers)
        return {FileLookupState::CaseDiffers, onDisk};
    return {FileLookupState::Present, {}};
}

namespace check {

FileLookup FileReferences::Look(const std::string& name) {
    auto [place, added] = looked_.try_emplace(name);
    if (added)
        place->second = context_.folder ? context_.folder->Look(name)
                                        : FileLookup{FileLookupState::Present, {}};
    return place->second;
}

void FileReferences::Check(std::string_view name, std::string_view what) {
    const std::string subject =
        (what.empty() ? std::string() : std::string(what) + " の") + "ファイル " + Quoted(name);
    const NameSafety safety = CheckNameSafety(name);
    if (safety != NameSafety::Safe) {
        context_.Error(subject + ": " + NameSafetyReason(safety) + ".");
        return;
    }
    const FileLookup lookup = Look(std::string(name));
    switch (lookup.state) {
    case FileLookupState::Present: break;
    case FileLookupState::Missing: context_.Error(subject + " が見つかりません."); break;
    case FileLookupState::Unreadable: context_.Error(subject + " を読み込めません."); break;
    case FileLookupState::CaseDiffers:
        context_.Warning(subject + " はディスク上では " + Quoted(lookup.nameOnDisk) +
                         " です (大文字・小文字が違います).");
        break;
    }
}

// As the build collects sounds: the name as written, else its .ogg, .wav or .mp3 form.
void FileReferences::CheckSound(std::string_view name) {
    if (IsSafeName(name) && Look(std::string(name)).state == FileLookupState::Missing) {
        for (const char* extension : {".ogg", ".wav", ".mp3"}) {
            const FileLookupState state = Look(WithExtension(name, extension)).state;
            if (state == FileLookupState::Present || state == FileLookupState::CaseDiffers)
                return;
        }
    }
    Check(name, "");
}

} // namespace check
} // namespace miravo
