#include "novel/NovelExport.h"

#include "novel/CommandParser.h"
#include "novel/FileAccess.h"

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

void AppendLinkLines(const CNovelItem& item, CTextLines& lines) {
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

void CNovelItems::ExportScript(CTextLines& lines) const {
    for (const auto& item : items_) {
        lines.push_back(kItemSeparator);
        lines.push_back(ItemNameLine(*item));
        lines.push_back("..Position " + std::to_string(item->X) + " " + std::to_string(item->Y));
        lines.push_back(LinkTypeLine(*item));
        AppendLinkLines(*item, lines);
        lines.push_back(kTextSeparator);
        lines.push_back(item->Text.Joined()); // the whole text as one entry
        lines.push_back("");
        lines.push_back("");
    }
}

void CNovelItems::ExportPlainText(CTextLines& lines) const {
    for (const auto& item : items_) {
        lines.push_back(kPlainSeparator);
        lines.push_back(ItemNameLine(*item));
        lines.push_back(LinkTypeLine(*item));
        AppendLinkLines(*item, lines);
        lines.push_back(kPlainSeparator);
        for (std::string_view line : item->Text) {
            if (!line.empty() && !IsCommandLine(line))
                lines.push_back(StripTextMarkers(line));
        }
        lines.push_back("");
        lines.push_back("");
    }
}

CTextLines ScriptExportLines(const CNovelItems& items) {
    CTextLines lines{kScriptExportHeader, ""};
    items.ExportScript(lines);
    return lines;
}

CTextLines PlainTextExportLines(const CNovelItems& items) {
    CTextLines lines{kPlainTextExportHeader, ""};
    items.ExportPlainText(lines);
    return lines;
}

void WriteTextLinesFile(const std::filesystem::path& path, const CTextLines& lines) {
    WriteFileAtomically(path, lines.Joined());
}

} // namespace miravo
