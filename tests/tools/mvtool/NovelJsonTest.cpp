#include "tests/novel/RecordingInteraction.h"
#include "tests/novel/SampleNovels.h"

#include "novel/NovelDocument.h"
#include "tools/mvtool/NovelJson.h"

#include <gtest/gtest.h>

#include <regex>

using namespace miravo;
using namespace miravo::test;

namespace {

std::string ErrorOf(const std::string& json) {
    CNovelModel model;
    model.Items.Add().Name = "kept";
    try {
        NovelFromJson(json, model);
    } catch (const JsonFormError& error) {
        EXPECT_EQ(model.Items.Count(), 1); // nothing changed
        return error.what();
    }
    return "(accepted)";
}

std::string FullJson() {
    CNovelModel model;
    FillFullNovel(model);
    return NovelToJson(model);
}

// The JSON text with the first occurrence of `from` replaced.
std::string Patched(std::string json, const std::string& from, const std::string& to) {
    const std::size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return json.replace(at, from.size(), to);
}

} // namespace

TEST(NovelJson, BothRoundTripsAreExact) {
    CNovelModel model;
    FillFullNovel(model);
    model.Items[1].Text = {"no trailing empty line"};
    model.Items[2].Name =
        std::string("\x80\xFF\x87\x90\x81", 5) + "\"\\\t"; // escapes, JSON escapes
    const std::string json = NovelToJson(model);
    CNovelModel read;
    NovelFromJson(json, read);
    EXPECT_EQ(read, model);
    EXPECT_EQ(NovelToJson(read), json);

    // The novel file made from the JSON is the file the JSON was made from.
    const std::string file = SerializeNovel(model);
    EXPECT_EQ(SerializeNovel(read), file);
}

TEST(NovelJson, Shape) {
    CNovelModel model;
    FillFullNovel(model);
    model.Items[2].Name = "\x80z";
    const std::string json = NovelToJson(model);
    EXPECT_EQ(json.substr(0, 40), "{\n  \"header\": {\n    \"Magic\": \"Miravo Wor");
    EXPECT_NE(json.find("\"Title\": \"能登の表ソ十構\""), std::string::npos);
    EXPECT_NE(json.find("\"FontAntialias\": false"), std::string::npos);
    EXPECT_NE(json.find("\"TipColor\": -2130706433"), std::string::npos);
    EXPECT_NE(json.find("\"TextRect\": [\n        8,\n        320,"), std::string::npos);
    EXPECT_NE(json.find("\"Name\": \"\\udc80z\""), std::string::npos);
    EXPECT_EQ(json.back(), '\n');
    const auto order = {"\"header\"", "\"counters\"", "\"textWindows\"", "\"items\""};
    std::size_t last = 0;
    for (const char* key : order) {
        const std::size_t at = json.find(key);
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST(NovelJson, EscapesInInput) {
    CNovelModel model;
    model.Items.Add().Name = "x";
    const std::string json = NovelToJson(model);
    CNovelModel read;
    // Upper-case hex, a real surrogate pair next to an escape, an escaped backslash before "u".
    NovelFromJson(Patched(json, "\"Name\": \"x\"", "\"Name\": \"\\uDCFFa\\\\udc80\""), read);
    EXPECT_EQ(read.Items[0].Name, "\xFF"
                                  "a\\udc80");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Name\": \"x\"", "\"Name\": \"\\ud83d\\ude00\"")),
              "items[0].Name: Shift-JIS にない文字が含まれています.");
    EXPECT_TRUE(ErrorOf(Patched(json, "\"Name\": \"x\"", "\"Name\": \"\\udc41\""))
                    .starts_with("JSON の構文エラーです"));
    // The carrier of a byte written directly, as UTF-8 or as a pair, is no byte.
    for (const char* carrier : {"\xF4\x8F\xB2\x80", "\\udbff\\udc80", "\\uDBFF\\uDCFF"})
        EXPECT_EQ(
            ErrorOf(Patched(json, "\"Name\": \"x\"", std::string("\"Name\": \"") + carrier + "\"")),
            "items[0].Name: Shift-JIS にない文字が含まれています.")
            << carrier;
}

TEST(NovelJson, ErrorsNameTheOffendingPath) {
    const std::string json = FullJson();
    EXPECT_EQ(ErrorOf("{"), "JSON の構文エラーです (2 バイト目付近).");
    EXPECT_EQ(ErrorOf("[]"), "(全体): オブジェクトが必要です.");
    EXPECT_EQ(ErrorOf("777776E777"), "JSON の数値が大きすぎます.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"header\"", "\"Header\"")), "Header: 不明な項目です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"SaveMode\": 1", "\"SaveMode\": 256")),
              "header.SaveMode: 0 から 255 の整数が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"FontSize\": 40", "\"FontSize\": 4.5")),
              "header.FontSize: -2147483648 から 2147483647 の整数が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"FontSize\": 40", "\"FontSize\": 2147483648")),
              "header.FontSize: -2147483648 から 2147483647 の整数が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"UsesMp3\": true", "\"UsesMp3\": 1")),
              "header.UsesMp3: true か false が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Magic\": \"Miravo WorkFile\"", "\"Magic\": \"Other\"")),
              "header.Magic: \"Miravo WorkFile\" でなければなりません.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Version\": 9", "\"Version\": 10")),
              "header.Version: 9 以下の整数が必要です.");
    for (const char* version : {"0", "-5"}) { // the reader opens them as version 1
        CNovelModel read;
        NovelFromJson(Patched(json, "\"Version\": 9", std::string("\"Version\": ") + version),
                      read);
        EXPECT_EQ(read.Header.Version, std::stoi(version));
    }
    // A repeated key, at any depth, is refused rather than the later one winning.
    EXPECT_EQ(ErrorOf(Patched(json, "\"items\": [", "\"items\": [], \"items\": [")),
              "items: 項目が重複しています.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Threshold\": -3", "\"Threshold\": -3, \"Target\": \"\"")),
              "items[0].Links[1].Target: 項目が重複しています.");
    // Names, link texts and header strings are one line each.
    for (const auto& [from, path] : std::vector<std::pair<std::string, std::string>>{
             {"\"Title\": \"", "header.Title"},
             {"\"LinkText\": \"", "items[0].Links[0].LinkText"},
             {"\"Name\": \"", "counters[0].Name"}})
        for (const char* character : {"\\r", "\\n", "\\u0000"})
            EXPECT_EQ(ErrorOf(Patched(json, from, from + character)),
                      path + ": 改行文字やゼロ文字は使えません.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"FadeName\": \"CROSSLINE\"",
                              "\"FadeName\": \"" + std::string(33, 'F') + "\"")),
              "header.FadeName: Shift-JIS で 32 バイトを超えています.");
    EXPECT_EQ(ErrorOf(std::regex_replace(json, std::regex(",\\s*\"CarryOver\": true"), "")),
              "counters[0].CarryOver: 項目がありません.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"CarryOver\": true", "\"Carry\": true")),
              "counters[0].Carry: 不明な項目です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"TextRect\": [", "\"TextRect\": [1, ")),
              "textWindows[0].TextRect: [left, top, right, bottom] の 4 個の整数が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Text\": [", "\"Text\": [\"a\\r\\nb\", ")),
              "items[0].Text[0]: 行の中に改行文字やゼロ文字は使えません.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"Enabled\": true", "\"Enabled\": null")),
              "items[0].Links[0].Enabled: true か false が必要です.");
    EXPECT_EQ(ErrorOf(Patched(json, "\"counters\": [", "\"counters\": [[], ")),
              "counters[0]: オブジェクトが必要です.");

    // A ninth link slot is named by its index; a missing one by the list.
    const std::string link = "{\"Enabled\": false, \"LinkText\": \"\", \"Target\": \"\", "
                             "\"UseCounter\": false, \"CounterName\": \"\", \"Threshold\": 1}";
    std::string nine = json;
    const std::size_t items = nine.find("\"items\"");
    const std::size_t links = nine.find("\"Links\": [", items) + 10;
    nine.insert(links, link + ",");
    EXPECT_EQ(ErrorOf(nine), "items[0].Links[8]: リンクは 8 個までです.");
    std::string seven = json;
    const std::size_t firstLink = seven.find('{', seven.find("\"Links\": [", items));
    seven.erase(firstLink, seven.find('}', firstLink) - firstLink + 2);
    EXPECT_EQ(ErrorOf(seven), "items[0].Links: リンクがちょうど 8 個必要です.");
}

TEST(NovelJson, TableLimits) {
    CNovelModel model;
    for (int i = 0; i < 256; ++i)
        model.Counters.Add();
    std::string json = NovelToJson(model);
    CNovelModel read;
    NovelFromJson(json, read);
    EXPECT_EQ(read.Counters.Count(), 256);
    const std::size_t at = json.find("\"counters\": [") + 13;
    json.insert(at, "{\"Name\": \"x\", \"InitialValue\": 0, \"MinValue\": 0, \"MaxValue\": 1, "
                    "\"CarryOver\": false},");
    EXPECT_EQ(ErrorOf(json), "counters[256]: カウンタの最大数 (256) を超えています.");
}
