#include "novel/FolderFiles.h"

#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"

#include <algorithm>

namespace miravo {
namespace {

// Deep enough for any real novel; a guard against pathological trees.
constexpr int kMaxDepth = 64;

char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

void LowerCaseFrom(std::u16string& text, std::size_t start) {
    for (std::size_t i = start; i < text.size(); ++i)
        text[i] = FoldCase(text[i]);
}

bool ShortNameCharacter(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return true;
    return std::u16string_view(u"$%'-_@~`!(){}^#&").find(c) != std::u16string_view::npos;
}

// Bytes of the part in a short name, or -1 when a character cannot be in one.
int ShortNameBytes(std::u16string_view part) {
    int bytes = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const char16_t c = part[i];
        if (c < 0x80) {
            if (!ShortNameCharacter(c))
                return -1;
            ++bytes;
            continue;
        }
        const std::optional<std::string> sj = sjis::FromUtf16Exact(part.substr(i, 1));
        if (!sj)
            return -1;
        bytes += int(sj->size());
    }
    return bytes;
}

struct Walk {
    std::initializer_list<std::u16string_view> patterns;
    bool askShortNames;
    std::vector<FoundFile> found;
};

// A name from the listing as a path component, without a conversion that could refuse it.
std::filesystem::path PathOfName(const std::u16string& name) {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t))
        return std::filesystem::path(std::wstring(name.begin(), name.end()));
    else
        return PathFromUtf8(sjis::Utf16ToUtf8(name));
}

void Search(Walk& walk, const std::filesystem::path& folder, const std::u16string& prefix,
            int depth) {
    std::vector<platform::FolderEntry> entries;
    if (!platform::ReadFolderEntries(folder, entries))
        return;
    for (const platform::FolderEntry& entry : entries) {
        const std::filesystem::path path = folder / PathOfName(entry.name);
        if (entry.isFolder) {
            if (!entry.isLink && depth < kMaxDepth)
                Search(walk, path, prefix + entry.name + u'\\', depth + 1);
            continue;
        }
        for (std::u16string_view pattern : walk.patterns)
            if (MatchesPattern(entry.name, pattern))
                walk.found.push_back({prefix + entry.name, prefix.size(),
                                      walk.askShortNames ? platform::CompareShortName(path)
                                                         : platform::ShortNameAnswer::Unknown});
    }
}

} // namespace

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
    // Iterative glob with one backtracking point: linear enough for file names.
    std::size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool IsValidShortName(std::u16string_view name) {
    const std::size_t dot = name.find(u'.');
    const std::u16string_view base = name.substr(0, dot);
    const std::u16string_view extension =
        dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot + 1);
    if (dot != std::u16string_view::npos &&
        (extension.empty() || extension.find(u'.') != extension.npos))
        return false;
    const int baseBytes = ShortNameBytes(base);
    const int extensionBytes = ShortNameBytes(extension);
    return baseBytes >= 1 && baseBytes <= 8 && extensionBytes >= 0 && extensionBytes <= 3;
}

bool LessIgnoringCase(std::u16string_view a, std::u16string_view b) {
    const auto folded = [](char16_t x, char16_t y) { return FoldCase(x) < FoldCase(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
        return false;
    return a < b; // the same but for case: a fixed order all the same
}

std::size_t FileNameStart(std::u16string_view entry) {
    const std::size_t slash = entry.rfind(u'\\');
    return slash == std::u16string_view::npos ? 0 : slash + 1;
}

void LowerCaseShortNames(std::vector<FoundFile>& files) {
    const bool fileSystemGivesAliases = std::any_of(files.begin(), files.end(), [](const auto& f) {
        return f.shortName == platform::ShortNameAnswer::Differs;
    });
    for (FoundFile& file : files) {
        bool isShortName;
        if (fileSystemGivesAliases && file.shortName != platform::ShortNameAnswer::Unknown)
            isShortName = file.shortName == platform::ShortNameAnswer::SameAsName;
        else
            isShortName = IsValidShortName(std::u16string_view(file.entry).substr(file.nameStart));
        if (isShortName)
            LowerCaseFrom(file.entry, file.nameStart);
    }
}

std::vector<std::u16string>
ListNovelFolderFiles(const std::filesystem::path& novelFolder,
                     std::initializer_list<std::u16string_view> patterns, FileNameCase nameCase) {
    Walk walk{patterns, nameCase == FileNameCase::LowerShortNames, {}};
    Search(walk, novelFolder, u"", 0);
    if (nameCase == FileNameCase::LowerShortNames)
        LowerCaseShortNames(walk.found);
    std::vector<std::u16string> entries;
    entries.reserve(walk.found.size());
    for (FoundFile& file : walk.found) {
        if (nameCase == FileNameCase::LowerAll)
            LowerCaseFrom(file.entry, file.nameStart);
        entries.push_back(std::move(file.entry));
    }
    std::sort(entries.begin(), entries.end(), LessIgnoringCase);
    return entries;
}

std::vector<std::u16string> ListTextWindowPictures(const std::filesystem::path& novelFolder) {
    return ListNovelFolderFiles(novelFolder, {u"*.bmp", u"*.png"}, FileNameCase::LowerAll);
}

} // namespace miravo
