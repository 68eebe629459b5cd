#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/NovelExport.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {
const std::string kItemSeparator = ".." + std::string(75, '=');
const std::string kTextSeparator = ".." + std::string(75, '-');
} // namespace

TEST(NovelExport, ScriptExport) {
    CNovelModel model;
    FillFullNovel(model);
    const std::string text = ScriptExportLines(model.Items).Joined();
    const std::string expected =
        "MIRAVO_SCRIPT 002\r\n\r\n" + kItemSeparator + "\r\n..Item \"" + Sj("はじまり") +
        "\"\r\n..Position 16 24\r\n"
        "..LinkType Menu\r\n"
        "..Link \"" +
        Sj("右へ") + "\" \"" + Sj("右の部屋") +
        "\"\r\n"
        "..Link \"" +
        Sj("左へ") + "\" \"" + Sj("左の部屋") + "\"  \"" + Sj("好感度") + "\" >= -3\r\n" +
        kTextSeparator +
        "\r\n"
        ".GraphLoad \"bg\\room.jpg\" BLIND 2 1000\r\n" +
        Sj("ソ十表の@文章;です@") + "\r\n" + Sj("　全角の空白で始まる行") +
        "\r\n.Wait 500\r\n\r\n\r\n\r\n\r\n" + kItemSeparator + "\r\n..Item \"" + Sj("右の部屋") +
        "\"\r\n..Position -8 2000\r\n"
        "..LinkType Auto\r\n..Link \"\" \"" +
        Sj("左の部屋") + "\"\r\n" + kTextSeparator + "\r\na\r\n\r\nb\r\n\r\n\r\n\r\n\r\n" +
        kItemSeparator + "\r\n..Item \"" + Sj("左の部屋") +
        "\"\r\n..Position 0 0\r\n"
        "..LinkType Ending\r\n" +
        kTextSeparator + "\r\n\r\n\r\n\r\n";
    EXPECT_EQ(text, expected);
}

TEST(NovelExport, PlainTextExportKeepsStoryLinesOnly) {
    CNovelModel model;
    CNovelItem& item = model.Items.Add();
    item.Name = "a\"b"; // written unchanged
    item.Links[0] = {true, "go", "t", true, "c", 2};
    item.Text = {".Wait 1", " .Wait 2", "", "@", ";@;", "x@y;z", "\x81\x40\x83\x40@", ".", "end"};
    model.Items.Add().Links[0].Enabled = false;
    const std::string text = PlainTextExportLines(model.Items).Joined();
    EXPECT_EQ(text, "Miravo - Plain Text Output\r\n\r\n"
                    "..--------\r\n..Item \"a\"b\"\r\n..LinkType Menu\r\n"
                    "..Link \"go\" \"t\"  \"c\" >= 2\r\n..--------\r\n"
                    " .Wait 2\r\n\r\n\r\nxyz\r\n\x81\x40\x83\x40\r\nend\r\n\r\n\r\n"
                    "..--------\r\n..Item \"NewItem\"\r\n..LinkType Menu\r\n..--------\r\n"
                    "\r\n\r\n");
}

TEST(NovelExport, UnknownLinkTypeAndFile) {
    CNovelModel model;
    model.Items.Add().LinkType = 7;
    const CTextLines lines = ScriptExportLines(model.Items);
    EXPECT_EQ(lines[5], "..LinkType ");

    TempFolder folder;
    const auto path = folder / "out.txt";
    TempFolder::Write(path, std::string(5000, 'o'));
    WriteTextLinesFile(path, {"a", "", Sj("表")});
    EXPECT_EQ(TempFolder::Read(path), "a\r\n\r\n" + Sj("表") + "\r\n"); // no BOM, replaced
}
