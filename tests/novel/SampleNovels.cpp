#include "SampleNovels.h"

#include "novel/ByteStream.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"

namespace miravo::test {

std::string Sj(const char* utf8) { return sjis::FromUtf8(utf8); }

void FillFullNovel(CNovelModel& model) {
    model.Reset();
    CNovelFileHeader& h = model.Header;
    h.ChartWidth = 1600;
    h.ChartHeight = -1200;
    h.StartItem = Sj("はじまり");
    h.LogoGraphic = "logo\\logo.png";
    h.TitleGraphic = Sj("画像\\タイトル.jpg"); // 表-like trail bytes 0x5C
    h.TitleMidi = "title.mid";
    h.TitleWave = "title.ogg";
    h.ReservedString = Sj("予約");
    h.ReservedInt = -123456789;
    h.ReservedByte = 0xAB;
    h.Title = Sj("能登の表ソ十構");
    h.LogoMidi = "logo.mid";
    h.LogoWave = "logo.wav";
    h.MessageSpeed = 35;
    h.LegacyFadeNumber = 7;
    h.FadeVariation = 3;
    h.FadeSpeed = 1250;
    h.SaveMode = 1;
    h.ReservedByte2 = 0xCD;
    h.FontKind = 1;
    h.FontSize = 40;
    h.FontStyle = 1;
    h.FontAntialias = false;
    h.NormalColor = 0x00123456;
    h.ShadowColor = 0x00654321;
    h.SelectColor = 0x0000FF00;
    h.TipColor = static_cast<std::int32_t>(0x80FFFFFF);
    h.FadeName = "CROSSLINE";
    h.CharFadeName = "R-SUTTER";
    h.CharFadeVariation = 2;
    h.CharFadeSpeed = 20000;
    h.DisplayMode = 0;
    h.ReservedByte3 = 0xEF;
    h.ReservedByte4 = 0x42;
    h.MidiQuickStart = false;
    h.MidiGMReset = true;
    h.MidiGSReset = true;
    h.SkipMode = 1;
    h.UsesMp3 = true;
    h.SelectionNumbering = 2;

    CNovelCounter& flag = model.Counters.Add();
    flag.Name = Sj("好感度");
    flag.InitialValue = -5;
    flag.MinValue = -100;
    flag.MaxValue = 100;
    flag.CarryOver = true;
    model.Counters.Add().Name = "plain";

    CTextWindow& window = model.TextWindows.Add();
    window.Name = Sj("会話");
    window.GraphicFile = "win\\talk.png";
    window.VAlign = "BOTTOM";
    window.HAlign = "LEFT";
    window.TextRect = {8, 320, 632, 472};
    model.TextWindows.Add();

    CNovelItem& start = model.Items.Add();
    start.Name = Sj("はじまり");
    start.X = 16;
    start.Y = 24;
    start.Text = {".GraphLoad \"bg\\room.jpg\" BLIND 2 1000", Sj("ソ十表の@文章;です@"),
                  Sj("　全角の空白で始まる行"), ".Wait 500", ""};
    start.LinkType = kLinkMenu;
    start.Links[0] = {true, Sj("右へ"), Sj("右の部屋"), false, "", 1};
    start.Links[1] = {true, Sj("左へ"), Sj("左の部屋"), true, Sj("好感度"), -3};
    start.Links[7] = {false, "hidden", "nowhere", true, "plain", 0};

    CNovelItem& right = model.Items.Add();
    right.Name = Sj("右の部屋");
    right.X = -8;
    right.Y = 2000;
    right.Text = {"a", "", "b", ""};
    right.LinkType = kLinkAuto;
    right.Links[0].Target = Sj("左の部屋");

    CNovelItem& left = model.Items.Add();
    left.Name = Sj("左の部屋");
    left.LinkType = kLinkEnding;
    left.Links[0].Enabled = false;
}

void FillLargeNovel(CNovelModel& model, int itemCount, int linesPerItem) {
    model.Reset();
    model.Header.Title = Sj("長い物語");
    model.Header.StartItem = Sj("場面0");
    for (int c = 0; c < 16; ++c)
        model.Counters.Add().Name = Sj("カウンタ") + std::to_string(c);
    const std::string story =
        Sj("吹き抜ける風が、古い校舎の窓をかたかたと鳴らしていた。表ソ十能予構@");
    for (int i = 0; i < itemCount; ++i) {
        CNovelItem& item = model.Items.Add();
        item.Name = Sj("場面") + std::to_string(i);
        item.X = (i % 40) * 160;
        item.Y = (i / 40) * 40;
        item.Text.reserve(static_cast<std::size_t>(linesPerItem) + 1, 0);
        for (int line = 0; line < linesPerItem; ++line) {
            switch (line % 8) {
            case 0:
                item.Text.push_back(".GraphLoad \"bg\\scene" + std::to_string(i) +
                                    ".jpg\" BLEND 1");
                break;
            case 3:
                item.Text.push_back(".CharSet \"" + Sj("少女") +
                                    "\" \"chr\\girl.png\" MIDDLE CENTER");
                break;
            case 5: item.Text.push_back(".BGMPlay \"bgm\\theme.ogg\" 2000"); break;
            default: item.Text.push_back(story); break;
            }
        }
        item.Text.push_back("");
        item.LinkType = static_cast<std::uint8_t>(i % 3);
        for (int slot = 0; slot < 3; ++slot) {
            CNovelLink& link = item.Links[static_cast<std::size_t>(slot)];
            link.Enabled = true;
            link.LinkText = Sj("選択肢") + std::to_string(slot);
            link.Target = Sj("場面") + std::to_string((i + slot + 1) % itemCount);
            link.UseCounter = slot == 2;
            link.CounterName = slot == 2 ? Sj("カウンタ3") : "";
        }
    }
}

std::string OldFormatFile(CNovelModel& model, int version) {
    ByteWriter header;
    model.Header.SaveToStream(header);
    std::size_t size = kHeaderSizeV1;
    if (version >= 8)
        size = kHeaderSizeV8;
    else if (version == 7)
        size = kHeaderSizeV7;
    else if (version == 6)
        size = kHeaderSizeV6;
    else if (version >= 4)
        size = kHeaderSizeV4;
    else if (version >= 2)
        size = kHeaderSizeV2;
    std::string bytes = header.Bytes().substr(0, size);
    ByteWriter patch;
    patch.WriteInt32(version);
    bytes.replace(33, 4, patch.Bytes());

    ByteWriter blocks;
    if (version == 3 || version == 4) {
        blocks.WriteInt32(model.Counters.Count());
        for (int i = 0; i < model.Counters.Count(); ++i) {
            const CNovelCounter& counter = model.Counters[i];
            blocks.WriteString(counter.Name);
            blocks.WriteInt32(counter.InitialValue);
            blocks.WriteInt32(counter.MinValue);
            blocks.WriteInt32(counter.MaxValue);
        }
    } else if (version >= 5) {
        model.Counters.SaveToStream(blocks);
    }
    if (version >= 9)
        model.TextWindows.SaveToStream(blocks);
    model.Items.SaveToStream(blocks);
    return bytes + blocks.Bytes();
}

} // namespace miravo::test
