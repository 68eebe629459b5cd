#pragma once

#include "novel/NovelData.h"

#include <filesystem>

// The two text exports of the novel (nothing reads them back).
namespace miravo {

inline constexpr std::string_view kScriptExportHeader = "MIRAVO_SCRIPT 002";
inline constexpr std::string_view kPlainTextExportHeader = "Miravo - Plain Text Output";

// The header line, an empty line, then the items' export.
CTextLines ScriptExportLines(const CNovelItems& items);
CTextLines PlainTextExportLines(const CNovelItems& items);

// Each entry followed by CR LF, no byte-order mark; replaces any earlier content (atomically:
// a failure leaves the earlier file). Raises FileWriteError.
void WriteTextLinesFile(const std::filesystem::path& path, const CTextLines& lines);

} // namespace miravo
