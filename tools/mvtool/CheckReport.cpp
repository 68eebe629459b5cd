#include "tools/mvtool/CheckReport.h"

#include "novel/ShiftJis.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace miravo {
namespace {

// A byte that is no Shift-JIS character shows as U+FFFD, so the output stays valid UTF-8.
std::string ItemText(std::string_view shiftJis) {
    std::u16string text = sjis::ToUtf16(shiftJis);
    for (char16_t& unit : text) {
        if (unit >= 0xDC80 && unit <= 0xDCFF)
            unit = u'\uFFFD';
    }
    return sjis::Utf16ToUtf8(text);
}

} // namespace

void WriteCheckLines(const std::vector<CheckFinding>& findings, std::ostream& out) {
    for (const CheckFinding& finding : findings) {
        out << (finding.itemIndex < 0 ? "-" : ItemText(finding.itemName)) << ':'
            << (finding.line > 0 ? std::to_string(finding.line) : "-") << ": "
            << SeverityText(finding.severity) << ": " << finding.message << '\n';
    }
}

void WriteCheckJson(const std::vector<CheckFinding>& findings, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CheckFinding& finding : findings) {
        nlohmann::ordered_json entry;
        entry["severity"] = finding.severity == CheckSeverity::Error ? "error" : "warning";
        entry["item"] = finding.itemIndex < 0 ? nlohmann::ordered_json(nullptr)
                                              : nlohmann::ordered_json(ItemText(finding.itemName));
        entry["itemIndex"] = finding.itemIndex;
        entry["line"] = finding.line > 0 ? nlohmann::ordered_json(finding.line)
                                         : nlohmann::ordered_json(nullptr);
        entry["message"] = finding.message;
        list.push_back(std::move(entry));
    }
    out << list.dump(2) << '\n';
}

} // namespace miravo
