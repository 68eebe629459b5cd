// The JSON form written as it goes: no document tree, so that a script of millions of lines
// costs no more than its own text. The layout is that of a JSON library's two-space pretty
// printing, so that the same novel always gives the same bytes.
#include "tools/mvtool/NovelJson.h"

#include "novel/ShiftJis.h"
#include "tools/mvtool/NovelJsonFields.h"

#include <cstdio>
#include <vector>

namespace miravo {
namespace {

class PrettyJsonWriter {
public:
    explicit PrettyJsonWriter(const JsonSink& sink) : sink_(sink) {}
    ~PrettyJsonWriter() = default;

    void BeginObject() { Begin('{', false); }
    void EndObject() { End('}'); }
    void BeginArray() { Begin('[', true); }
    void EndArray() { End(']'); }

    void Key(std::string_view key) {
        NextEntry();
        Quoted(key);
        Put(": ");
        afterKey_ = true;
    }
    // Shift-JIS text as UTF-8; a byte that is no Shift-JIS character as "\udcXX".
    void String(std::string_view shiftJis) {
        BeforeValue();
        Put('"');
        const std::string utf8 = sjis::ToUtf8(shiftJis);
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c == 0xED && i + 2 < utf8.size() &&
                (utf8[i + 1] == '\xB2' || utf8[i + 1] == '\xB3')) {
                const int byte = 0x80 + ((utf8[i + 1] & 1) << 6) + (utf8[i + 2] & 0x3F);
                Escape("\\udc", byte);
                i += 2;
            } else {
                Character(c);
            }
        }
        Put('"');
    }
    void Integer(long long value) {
        BeforeValue();
        Put(std::to_string(value));
    }
    void Bool(bool value) {
        BeforeValue();
        Put(value ? "true" : "false");
    }

    void Finish() {
        Put('\n');
        Flush();
    }

private:
    struct Level {
        bool array;
        bool empty = true;
    };

    void Begin(char bracket, bool array) {
        BeforeValue();
        Put(bracket);
        levels_.push_back({array});
    }
    void End(char bracket) {
        const bool empty = levels_.back().empty;
        levels_.pop_back();
        if (!empty) {
            Put('\n');
            Indent();
        }
        Put(bracket);
    }
    void NextEntry() {
        Level& level = levels_.back();
        Put(level.empty ? "\n" : ",\n");
        level.empty = false;
        Indent();
    }
    void BeforeValue() {
        if (afterKey_)
            afterKey_ = false;
        else if (!levels_.empty())
            NextEntry(); // an array element
    }
    void Indent() { buffer_.append(2 * levels_.size(), ' '); }

    void Quoted(std::string_view text) {
        Put('"');
        for (char c : text)
            Character(static_cast<unsigned char>(c));
        Put('"');
    }
    void Character(unsigned char c) {
        switch (c) {
        case '"': Put("\\\""); break;
        case '\\': Put("\\\\"); break;
        case '\b': Put("\\b"); break;
        case '\f': Put("\\f"); break;
        case '\n': Put("\\n"); break;
        case '\r': Put("\\r"); break;
        case '\t': Put("\\t"); break;
        default:
            if (c < 0x20)
                Escape("\\u00", c);
            else
                Put(static_cast<char>(c));
        }
    }
    void Escape(const char* prefix, int byte) {
        static const char kHex[] = "0123456789abcdef";
        Put(prefix);
        Put(kHex[byte >> 4]);
        Put(kHex[byte & 15]);
    }

    void Put(char c) { buffer_ += c; }
    void Put(std::string_view text) {
        buffer_ += text;
        if (buffer_.size() >= kFlushSize)
            Flush();
    }
    void Flush() {
        if (!buffer_.empty())
            sink_(buffer_);
        buffer_.clear();
    }

    static constexpr std::size_t kFlushSize = 1 << 16;

    const JsonSink& sink_;
    std::string buffer_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

void WriteHeader(PrettyJsonWriter& json, const CNovelFileHeader& header) {
    using namespace novel_json;
    json.BeginObject();
    for (const HeaderField& field : kHeaderFields) {
        json.Key(field.name);
        std::visit(Overloaded{
                       [&](const ShortText& text) { json.String(header.*text.member); },
                       [&](bool CNovelFileHeader::*member) { json.Bool(header.*member); },
                       [&](auto member) { json.Integer(header.*member); },
                   },
                   field.member);
    }
    json.EndObject();
}

void WriteCounter(PrettyJsonWriter& json, const CNovelCounter& counter) {
    json.BeginObject();
    json.Key("Name");
    json.String(counter.Name);
    json.Key("InitialValue");
    json.Integer(counter.InitialValue);
    json.Key("MinValue");
    json.Integer(counter.MinValue);
    json.Key("MaxValue");
    json.Integer(counter.MaxValue);
    json.Key("CarryOver");
    json.Bool(counter.CarryOver);
    json.EndObject();
}

void WriteWindow(PrettyJsonWriter& json, const CTextWindow& window) {
    json.BeginObject();
    json.Key("Name");
    json.String(window.Name);
    json.Key("GraphicFile");
    json.String(window.GraphicFile);
    json.Key("VAlign");
    json.String(window.VAlign);
    json.Key("HAlign");
    json.String(window.HAlign);
    json.Key("TextRect");
    json.BeginArray();
    for (std::int32_t side :
         {window.TextRect.Left, window.TextRect.Top, window.TextRect.Right, window.TextRect.Bottom})
        json.Integer(side);
    json.EndArray();
    json.EndObject();
}

void WriteLink(PrettyJsonWriter& json, const CNovelLink& link) {
    json.BeginObject();
    json.Key("Enabled");
    json.Bool(link.Enabled);
    json.Key("LinkText");
    json.String(link.LinkText);
    json.Key("Target");
    json.String(link.Target);
    json.Key("UseCounter");
    json.Bool(link.UseCounter);
    json.Key("CounterName");
    json.String(link.CounterName);
    json.Key("Threshold");
    json.Integer(link.Threshold);
    json.EndObject();
}

void WriteItem(PrettyJsonWriter& json, const CNovelItem& item) {
    json.BeginObject();
    json.Key("Name");
    json.String(item.Name);
    json.Key("X");
    json.Integer(item.X);
    json.Key("Y");
    json.Integer(item.Y);
    json.Key("LinkType");
    json.Integer(item.LinkType);
    json.Key("Text");
    json.BeginArray();
    for (std::string_view line : item.Text)
        json.String(line);
    json.EndArray();
    json.Key("Links");
    json.BeginArray();
    for (const CNovelLink& link : item.Links)
        WriteLink(json, link);
    json.EndArray();
    json.EndObject();
}

} // namespace

void WriteNovelJson(const CNovelModel& model, const JsonSink& sink) {
    PrettyJsonWriter json(sink);
    json.BeginObject();
    json.Key("header");
    WriteHeader(json, model.Header);
    json.Key("counters");
    json.BeginArray();
    for (int i = 0; i < model.Counters.Count(); ++i)
        WriteCounter(json, model.Counters[i]);
    json.EndArray();
    json.Key("textWindows");
    json.BeginArray();
    for (int i = 0; i < model.TextWindows.Count(); ++i)
        WriteWindow(json, model.TextWindows[i]);
    json.EndArray();
    json.Key("items");
    json.BeginArray();
    for (int i = 0; i < model.Items.Count(); ++i)
        WriteItem(json, model.Items[i]);
    json.EndArray();
    json.EndObject();
    json.Finish();
}

std::string NovelToJson(const CNovelModel& model) {
    std::string json;
    WriteNovelJson(model, [&](std::string_view piece) { json += piece; });
    return json;
}

} // namespace miravo
