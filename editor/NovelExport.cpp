#include "editor/NovelExport.h"

#include "editor/CommandParser.h"
#include "editor/FileAccess.h"

namespace miravo {
namespace {

constexpr std::string_view kItemSeparator =
    "..===========================================================================";
constexpr std::string_view kTextSeparator =
    "..---------------------------------------------------------------------------";
constexpr std::string_view kPlainSeparator = "..--------";

std::string ItemNameLine(const CNovelItem& item) { return "..Item \"" + item.Name + "\""; }

std::string LinkTypeLine(const CNovelItem& item) {
    switch (item.LinkType) {
    case kLinkMenu: return "..LinkType Menu";
    case kLinkAuto: return "..LinkType Auto";
    case kLinkEnding: return "..LinkType Ending";
    default: return "..LinkType ";
    }
}

void AppendLinkLines(const CNovelItem& item, TextLines& lines) {
    for (const CNovelLink& link : item.Links) {
        if (!link.Enabled)
            continue;
        std::string line = "..Link \"" + link.LinkText + "\" \"" + link.Target + "\"";
        if (link.UseCounter)
            line += "  \"" + link.CounterName + "\" >= " + std::to_string(link.Threshold);
        lines.push_back(std::move(line));
    }
}

} // namespace

void CNovelItems::ExportScript(TextLines& lines) const {
    for (const auto& item : items_) {
        lines.emplace_back(kItemSeparator);
        lines.push_back(ItemNameLine(*item));
        lines.push_back("..Position " + std::to_string(item->X) + " " + std::to_string(item->Y));
        lines.push_back(LinkTypeLine(*item));
        AppendLinkLines(*item, lines);
        lines.emplace_back(kTextSeparator);
        lines.push_back(JoinLines(item->Text)); // the whole text as one entry
        lines.emplace_back();
        lines.emplace_back();
    }
}

void CNovelItems::ExportPlainText(TextLines& lines) const {
    for (const auto& item : items_) {
        lines.emplace_back(kPlainSeparator);
        lines.push_back(ItemNameLine(*item));
        lines.push_back(LinkTypeLine(*item));
        AppendLinkLines(*item, lines);
        lines.emplace_back(kPlainSeparator);
        for (const std::string& line : item->Text) {
            if (!line.empty() && !IsCommandLine(line))
                lines.push_back(StripTextMarkers(line));
        }
        lines.emplace_back();
        lines.emplace_back();
    }
}

TextLines ScriptExportLines(const CNovelItems& items) {
    TextLines lines{std::string(kScriptExportHeader), std::string()};
    items.ExportScript(lines);
    return lines;
}

TextLines PlainTextExportLines(const CNovelItems& items) {
    TextLines lines{std::string(kPlainTextExportHeader), std::string()};
    items.ExportPlainText(lines);
    return lines;
}

std::string JoinExportLines(const TextLines& lines) { return JoinLines(lines); }

void WriteTextLinesFile(const std::filesystem::path& path, const TextLines& lines) {
    WriteFileAtomically(path, JoinExportLines(lines));
}

} // namespace miravo
