#include "novel/NovelNames.h"

#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"

#include <vector>

namespace miravo {
namespace {

bool IsSeparator(std::string_view text, std::size_t index) {
    return text[index] == '\\' || text[index] == '/';
}

// Position just after the last separator that is a character of its own (0 when none).
std::size_t FilePartStart(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i += sjis::CharLength(text, i)) {
        if (sjis::CharLength(text, i) == 1 && IsSeparator(text, i))
            start = i + 1;
    }
    return start;
}

std::size_t ExtensionStart(std::string_view text) {
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = FilePartStart(text); i < text.size(); i += sjis::CharLength(text, i)) {
        if (text[i] == '.')
            dot = i;
    }
    return dot == std::string_view::npos ? text.size() : dot;
}

std::vector<std::string_view> Segments(std::string_view text) {
    std::vector<std::string_view> segments;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); i += sjis::CharLength(text, i)) {
        if (sjis::CharLength(text, i) == 1 && IsSeparator(text, i)) {
            segments.push_back(text.substr(begin, i - begin));
            begin = i + 1;
        }
    }
    segments.push_back(text.substr(begin));
    return segments;
}

// Windows drops trailing dots and spaces of a path segment: "..." and ". ." mean "..".
bool IsParentSegment(std::string_view segment) {
    int dots = 0;
    for (char c : segment) {
        if (c == '.')
            ++dots;
        else if (c != ' ')
            return false;
    }
    return dots >= 2;
}

} // namespace

std::string LocaleLower(std::string_view text) {
    std::string lowered(text);
    for (std::size_t i = 0; i < lowered.size();) {
        const auto lead = static_cast<unsigned char>(lowered[i]);
        const std::size_t length = sjis::CharLength(lowered, i);
        if (length == 1) {
            if (lead >= 'A' && lead <= 'Z')
                lowered[i] = char(lead - 'A' + 'a');
        } else {
            const auto trail = static_cast<unsigned char>(lowered[i + 1]);
            int lower = trail;
            if (lead == 0x82 && trail >= 0x60 && trail <= 0x79) // Ａ to Ｚ
                lower = trail + 0x21;
            else if (lead == 0x83 && trail >= 0x9F && trail <= 0xB6) // Α to Ω
                lower = trail + 0x20;
            else if (lead == 0x84 && trail >= 0x40 && trail <= 0x60) // А to Я: а to я skip 0x7F
                lower = trail + 0x30 + (trail >= 0x4F ? 1 : 0);
            lowered[i + 1] = char(lower);
        }
        i += length;
    }
    return lowered;
}

std::string NameOfPath(std::string_view text) {
    return std::string(text.substr(FilePartStart(text)));
}

std::string FolderOfPath(std::string_view text) {
    return std::string(text.substr(0, FilePartStart(text)));
}

std::string ExtensionOf(std::string_view text) {
    return std::string(text.substr(ExtensionStart(text)));
}

std::string WithExtension(std::string_view text, std::string_view extension) {
    return std::string(text.substr(0, ExtensionStart(text))) + std::string(extension);
}

NameSafety CheckNameSafety(std::string_view text) {
    if (!text.empty() && IsSeparator(text, 0))
        return NameSafety::Absolute;
    for (std::size_t i = 0; i < text.size(); i += sjis::CharLength(text, i)) {
        if (text[i] == ':' && sjis::CharLength(text, i) == 1)
            return NameSafety::Drive;
    }
    for (std::string_view segment : Segments(text)) {
        if (IsParentSegment(segment))
            return NameSafety::Parent;
    }
    return NameSafety::Safe;
}

bool IsSafeName(std::string_view text) { return CheckNameSafety(text) == NameSafety::Safe; }

std::string NameSafetyReason(NameSafety safety) {
    switch (safety) {
    case NameSafety::Safe: return "";
    case NameSafety::Absolute: return "絶対パスはノベルフォルダの外を指すため使えません";
    case NameSafety::Drive: return "ドライブ名を含む名前はノベルフォルダの外を指すため使えません";
    case NameSafety::Parent: return "\"..\" を含む名前はノベルフォルダの外を指すため使えません";
    }
    return "";
}

std::filesystem::path ResolveNovelName(const std::filesystem::path& folder, std::string_view text) {
    std::filesystem::path path = folder;
    for (std::string_view segment : Segments(text)) {
        if (!segment.empty() && segment != ".")
            path /= PathFromUtf8(sjis::ToUtf8(segment));
    }
    return path;
}

} // namespace miravo
