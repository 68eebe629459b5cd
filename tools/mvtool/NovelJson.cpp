#include "tools/mvtool/NovelJson.h"

#include "novel/ShiftJis.h"
#include "tools/mvtool/NovelJsonFields.h"

#include <nlohmann/json.hpp>

#include <limits>
#include <set>

namespace miravo {
namespace {

using Json = nlohmann::ordered_json;

// ----- Escaped bytes ----------------------------------------------------------------------------
// The JSON library holds strings as valid UTF-8 only. Escaped bytes ("\udcXX" in the text) travel
// through it as U+10FC80-U+10FCFF (F4 8F B2|B3 xx), which no Shift-JIS character converts to,
// and become U+DC80-U+DCFF (ED B2|B3 xx in the converter's UTF-8) again for the conversion.
std::string CarrierToEscapes(std::string text) {
    for (std::size_t i = 0; i + 3 < text.size(); ++i) {
        if (text[i] == '\xF4' && text[i + 1] == '\x8F' &&
            (text[i + 2] == '\xB2' || text[i + 2] == '\xB3')) {
            text.replace(i, 2, "\xED");
            i += 2;
        }
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int EscapeCode(std::string_view text, std::size_t i) { // text[i] == '\\', text[i+1] == 'u'
    if (i + 6 > text.size())
        return -1;
    int code = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const int digit = HexValue(text[k]);
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

// U+FFFF, which no Shift-JIS character converts to: it stands in for a carrier character that
// the text itself holds, so that the string is refused as any character outside Shift-JIS is.
constexpr std::string_view kNoCharacterEscape = "\\uffff";

bool IsCarrierAt(std::string_view text, std::size_t i) {
    return i + 3 < text.size() && text[i] == '\xF4' && text[i + 1] == '\x8F' &&
           (text[i + 2] == '\xB2' || text[i + 2] == '\xB3');
}

// The JSON text with every lone "\udcXX" escape (XX 80-ff) in strings replaced by the carrier
// character, so that the parser accepts it. A carrier character written directly (as UTF-8 or as
// the escaped pair "\udbff\udcXX") is no byte, and is refused.
std::string ReadEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    bool afterHighSurrogate = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!inString) {
            inString = c == '"';
            out += c;
            continue;
        }
        if (c == '"') {
            inString = false;
            afterHighSurrogate = false;
            out += c;
        } else if (IsCarrierAt(text, i)) {
            out += kNoCharacterEscape;
            afterHighSurrogate = false;
            i += 3;
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'u') {
            const int code = EscapeCode(text, i);
            const bool carrierPair =
                code == 0xDBFF && !afterHighSurrogate && text.substr(i + 6, 2) == "\\u" &&
                EscapeCode(text, i + 6) >= 0xDC80 && EscapeCode(text, i + 6) <= 0xDCFF;
            if (carrierPair) {
                out += kNoCharacterEscape;
                afterHighSurrogate = false;
                i += 6;
            } else if (code >= 0xDC80 && code <= 0xDCFF && !afterHighSurrogate) {
                const int byte = code - 0xDC00;
                out += "\xF4\x8F";
                out += static_cast<char>(0xB2 + ((byte - 0x80) >> 6));
                out += static_cast<char>(0x80 + (byte & 0x3F));
                afterHighSurrogate = false;
            } else {
                out.append(text.substr(i, 6));
                afterHighSurrogate = code >= 0xD800 && code <= 0xDBFF;
            }
            i += 5;
        } else if (c == '\\' && i + 1 < text.size()) {
            out += c;
            out += text[++i];
            afterHighSurrogate = false;
        } else {
            out += c;
            afterHighSurrogate = false;
        }
    }
    return out;
}

// ----- Paths and errors -------------------------------------------------------------------------
[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw JsonFormError(path + ": " + what);
}

std::string Member(const std::string& path, std::string_view key) {
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}
std::string Element(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// An object whose keys are exactly `keys`.
void CheckKeys(const Json& value, const std::string& path,
               std::initializer_list<std::string_view> keys) {
    if (!value.is_object())
        Fail(path.empty() ? "(全体)" : path, "オブジェクトが必要です.");
    for (const auto& [key, member] : value.items()) {
        bool known = false;
        for (std::string_view k : keys)
            known = known || k == key;
        if (!known)
            Fail(Member(path, key), "不明な項目です.");
    }
    for (std::string_view key : keys) {
        if (!value.contains(std::string(key)))
            Fail(Member(path, key), "項目がありません.");
    }
}

std::int64_t ReadInteger(const Json& value, const std::string& path, std::int64_t low,
                         std::int64_t high) {
    const auto range = [&] {
        Fail(path, std::to_string(low) + " から " + std::to_string(high) + " の整数が必要です.");
    };
    if (!value.is_number_integer())
        range();
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(high))
        range();
    const auto number = value.get<std::int64_t>();
    if (number < low || number > high)
        range();
    return number;
}

std::int32_t ReadInt32(const Json& value, const std::string& path) {
    return static_cast<std::int32_t>(ReadInteger(value, path,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t ReadByte(const Json& value, const std::string& path) {
    return static_cast<std::uint8_t>(ReadInteger(value, path, 0, 255));
}

bool ReadBool(const Json& value, const std::string& path) {
    if (!value.is_boolean())
        Fail(path, "true か false が必要です.");
    return value.get<bool>();
}

bool HasBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Shift-JIS bytes of a string; `capacity` 0: any length. Names, link texts and header strings
// are one line each in the exports and the player: a break or a zero byte is refused.
std::string ReadText(const Json& value, const std::string& path, std::size_t capacity = 0) {
    if (!value.is_string())
        Fail(path, "文字列が必要です.");
    const auto text = sjis::FromUtf8Exact(CarrierToEscapes(value.get<std::string>()));
    if (!text)
        Fail(path, "Shift-JIS にない文字が含まれています.");
    if (capacity != 0 && text->size() > capacity)
        Fail(path, "Shift-JIS で " + std::to_string(capacity) + " バイトを超えています.");
    if (capacity == 0 &&
        text->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        Fail(path, "長すぎます.");
    if (HasBreakOrZero(*text))
        Fail(path, "改行文字やゼロ文字は使えません.");
    return *text;
}

std::string ReadLine(const Json& value, const std::string& path) {
    if (value.is_string() && HasBreakOrZero(value.get_ref<const std::string&>()))
        Fail(path, "行の中に改行文字やゼロ文字は使えません.");
    return ReadText(value, path);
}

// Array of at most `limit` entries; reads each through `read(element, path, index)`.
template <typename Read>
void ReadArray(const Json& value, const std::string& path, std::size_t limit, const char* tooMany,
               Read&& read) {
    if (!value.is_array())
        Fail(path, "配列が必要です.");
    if (value.size() > limit)
        Fail(Element(path, limit), tooMany);
    for (std::size_t i = 0; i < value.size(); ++i)
        read(value[i], Element(path, i), i);
}

// ----- Duplicate keys ---------------------------------------------------------------------------
// The parser keeps the last of repeated keys silently; the containers open while it parses are
// followed so that a repeated key is refused with its path.
class DuplicateKeyWatch {
public:
    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            CountElement();
            open_.emplace_back().array = event == Event::array_start;
            break;
        case Event::key: {
            Container& object = open_.back();
            object.key = parsed.get<std::string>();
            if (!object.keys.insert(object.key).second)
                Fail(PathOfOpen(), "項目が重複しています.");
            break;
        }
        case Event::value: CountElement(); break;
        case Event::object_end:
        case Event::array_end: open_.pop_back(); break;
        }
        return true;
    }

private:
    struct Container {
        bool array = false;
        std::size_t elements = 0;
        std::string key; // the member being read
        std::set<std::string> keys;
    };

    void CountElement() {
        if (!open_.empty() && open_.back().array)
            ++open_.back().elements;
    }
    std::string PathOfOpen() const {
        std::string path;
        for (const Container& container : open_)
            path = container.array ? Element(path, container.elements - 1)
                                   : Member(path, container.key);
        return path;
    }

    std::vector<Container> open_;
};

// ----- Header fields ----------------------------------------------------------------------------
using novel_json::HeaderField;
using novel_json::kHeaderFields;
using novel_json::Overloaded;
using novel_json::ShortText;

void HeaderFromJson(const Json& json, const std::string& path, CNovelFileHeader& header) {
    if (!json.is_object())
        Fail(path, "オブジェクトが必要です.");
    for (const auto& [key, value] : json.items()) {
        bool known = false;
        for (const HeaderField& field : kHeaderFields)
            known = known || field.name == key;
        if (!known)
            Fail(Member(path, key), "不明な項目です.");
    }
    for (const HeaderField& field : kHeaderFields) {
        const std::string fieldPath = Member(path, field.name);
        const auto found = json.find(std::string(field.name));
        if (found == json.end())
            Fail(fieldPath, "項目がありません.");
        const Json& value = *found;
        std::visit(Overloaded{
                       [&](const ShortText& text) {
                           header.*text.member = ReadText(value, fieldPath, text.capacity);
                       },
                       [&](std::int32_t CNovelFileHeader::*member) {
                           header.*member = ReadInt32(value, fieldPath);
                       },
                       [&](std::uint8_t CNovelFileHeader::*member) {
                           header.*member = ReadByte(value, fieldPath);
                       },
                       [&](bool CNovelFileHeader::*member) {
                           header.*member = ReadBool(value, fieldPath);
                       },
                   },
                   field.member);
    }
    if (!header.HasNovelMagic())
        Fail(Member(path, "Magic"), "\"Miravo WorkFile\" でなければなりません.");
    // Every version up to 9 opens (below 2 as version 1), so every one is accepted here too.
    if (header.Version > kNovelFileVersion)
        Fail(Member(path, "Version"), "9 以下の整数が必要です.");
}

// ----- Tables -----------------------------------------------------------------------------------
void LinkFromJson(const Json& json, const std::string& path, CNovelLink& link) {
    CheckKeys(json, path,
              {"Enabled", "LinkText", "Target", "UseCounter", "CounterName", "Threshold"});
    link.Enabled = ReadBool(json["Enabled"], Member(path, "Enabled"));
    link.LinkText = ReadText(json["LinkText"], Member(path, "LinkText"));
    link.Target = ReadText(json["Target"], Member(path, "Target"));
    link.UseCounter = ReadBool(json["UseCounter"], Member(path, "UseCounter"));
    link.CounterName = ReadText(json["CounterName"], Member(path, "CounterName"));
    link.Threshold = ReadInt32(json["Threshold"], Member(path, "Threshold"));
}

void ItemFromJson(const Json& json, const std::string& path, CNovelItem& item) {
    CheckKeys(json, path, {"Name", "X", "Y", "LinkType", "Text", "Links"});
    item.Name = ReadText(json["Name"], Member(path, "Name"));
    item.X = ReadInt32(json["X"], Member(path, "X"));
    item.Y = ReadInt32(json["Y"], Member(path, "Y"));
    item.LinkType = ReadByte(json["LinkType"], Member(path, "LinkType"));
    const std::string textPath = Member(path, "Text");
    ReadArray(json["Text"], textPath, std::numeric_limits<std::int32_t>::max(), "",
              [&](const Json& line, const std::string& linePath, std::size_t) {
                  item.Text.push_back(ReadLine(line, linePath));
              });
    const std::string linksPath = Member(path, "Links");
    ReadArray(json["Links"], linksPath, kLinkSlotCount, "リンクは 8 個までです.",
              [&](const Json& link, const std::string& linkPath, std::size_t slot) {
                  LinkFromJson(link, linkPath, item.Links[slot]);
              });
    if (json["Links"].size() != kLinkSlotCount)
        Fail(linksPath, "リンクがちょうど 8 個必要です.");
}

void CounterFromJson(const Json& json, const std::string& path, CNovelCounter& counter) {
    CheckKeys(json, path, {"Name", "InitialValue", "MinValue", "MaxValue", "CarryOver"});
    counter.Name = ReadText(json["Name"], Member(path, "Name"));
    counter.InitialValue = ReadInt32(json["InitialValue"], Member(path, "InitialValue"));
    counter.MinValue = ReadInt32(json["MinValue"], Member(path, "MinValue"));
    counter.MaxValue = ReadInt32(json["MaxValue"], Member(path, "MaxValue"));
    counter.CarryOver = ReadBool(json["CarryOver"], Member(path, "CarryOver"));
}

void WindowFromJson(const Json& json, const std::string& path, CTextWindow& window) {
    CheckKeys(json, path, {"Name", "GraphicFile", "VAlign", "HAlign", "TextRect"});
    window.Name = ReadText(json["Name"], Member(path, "Name"));
    window.GraphicFile = ReadText(json["GraphicFile"], Member(path, "GraphicFile"));
    window.VAlign = ReadText(json["VAlign"], Member(path, "VAlign"));
    window.HAlign = ReadText(json["HAlign"], Member(path, "HAlign"));
    const std::string rectPath = Member(path, "TextRect");
    const Json& rect = json["TextRect"];
    if (!rect.is_array() || rect.size() != 4)
        Fail(rectPath, "[left, top, right, bottom] の 4 個の整数が必要です.");
    window.TextRect = {
        ReadInt32(rect[0], Element(rectPath, 0)), ReadInt32(rect[1], Element(rectPath, 1)),
        ReadInt32(rect[2], Element(rectPath, 2)), ReadInt32(rect[3], Element(rectPath, 3))};
}

} // namespace

void NovelFromJson(std::string_view text, CNovelModel& model) {
    Json json;
    try {
        json = Json::parse(ReadEscapes(text), DuplicateKeyWatch());
    } catch (const Json::parse_error& error) {
        throw JsonFormError("JSON の構文エラーです (" + std::to_string(error.byte) +
                            " バイト目付近).");
    } catch (const Json::exception&) {
        // A number too large even for a double ("1E999") is refused while parsing.
        throw JsonFormError("JSON の数値が大きすぎます.");
    }
    CheckKeys(json, "", {"header", "counters", "textWindows", "items"});
    CNovelModel read;
    HeaderFromJson(json["header"], "header", read.Header);
    ReadArray(json["counters"], "counters", CNovelCounters::kMaxCount,
              "カウンタの最大数 (256) を超えています.",
              [&](const Json& counter, const std::string& path, std::size_t) {
                  CounterFromJson(counter, path, read.Counters.Add());
              });
    ReadArray(json["textWindows"], "textWindows", CTextWindows::kMaxCount,
              "ウインドウの最大数 (256) を超えています.",
              [&](const Json& window, const std::string& path, std::size_t) {
                  WindowFromJson(window, path, read.TextWindows.Add());
              });
    ReadArray(json["items"], "items", CNovelItems::kMaxCount,
              "アイテムの最大数 (2048) を超えています.",
              [&](const Json& item, const std::string& path, std::size_t) {
                  ItemFromJson(item, path, read.Items.Add());
              });
    model = std::move(read);
}

} // namespace miravo
