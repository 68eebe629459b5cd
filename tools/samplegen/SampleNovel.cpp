#include "tools/samplegen/SampleNovel.h"

#include "novel/CommandStrings.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"

#include <initializer_list>
#include <string>

namespace miravo::samplegen {

namespace {

// Sources are UTF-8; the novel holds Shift-JIS.
std::string S(std::string_view utf8) { return sjis::FromUtf8(utf8); }

// Fade effects by their keyword numbers.
constexpr int kBlind = 2, kShutter = 3, kBlend = 4, kCrossline = 9;

struct LinkPlan {
    const char* text; // UTF-8; empty for an automatic link
    const char* target;
    const char* counter = nullptr; // the condition's counter, if any
    int threshold = 1;
};

class NovelBuilder {
public:
    explicit NovelBuilder(CNovelModel& model) : model_(model) {}

    // Adds an item; lines are UTF-8 and already in their written form.
    CNovelItem& Item(const char* name, int x, int y, std::uint8_t linkType,
                     std::initializer_list<std::string> lines,
                     std::initializer_list<LinkPlan> links = {}) {
        CNovelItem& item = model_.Items.Add();
        item.Name = S(name);
        item.X = x;
        item.Y = y;
        item.LinkType = linkType;
        for (const std::string& line : lines)
            item.Text.push_back(S(line));
        item.Text.push_back(""); // as the editor holds every script after loading
        int slot = 0;
        for (const LinkPlan& plan : links) {
            CNovelLink& link = item.Links[std::size_t(slot++)];
            link.Enabled = true;
            link.LinkText = S(plan.text);
            link.Target = S(plan.target);
            if (plan.counter) {
                link.UseCounter = true;
                link.CounterName = S(plan.counter);
                link.Threshold = plan.threshold;
            }
        }
        return item;
    }

private:
    CNovelModel& model_;
};

// Command lines in UTF-8, built by the same functions as the editor's command dialogs.
std::string U(const std::string& shiftJis) { return sjis::ToUtf8(shiftJis); }
std::string GraphLoad(const char* file, FadeChoice fade = {}) {
    return U(GraphLoadCommand(file, fade));
}
std::string CharSet(const char* name, const char* file, VerticalPlacement v,
                    HorizontalPlacement h) {
    return U(CharSetCommand(S(name), file, v, h));
}
std::string WindowSet(const char* window) { return U(WindowSetCommand(S(window))); }
std::string CounterPlus(const char* counter, int amount) {
    return U(CounterPlusCommand(S(counter), amount));
}

void AddCounters(CNovelModel& model) {
    struct CounterPlan {
        const char* name;
        int initial, min, max;
        bool carryOver;
    };
    for (const CounterPlan& plan :
         {CounterPlan{"好感度", 0, 0, 10, false}, CounterPlan{"手がかり", 0, 0, 5, false},
          CounterPlan{"周回", 0, 0, 99, true}}) {
        CNovelCounter& counter = model.Counters.Add();
        counter.Name = S(plan.name);
        counter.InitialValue = plan.initial;
        counter.MinValue = plan.min;
        counter.MaxValue = plan.max;
        counter.CarryOver = plan.carryOver;
    }
}

void AddTextWindows(CNovelModel& model) {
    CTextWindow& message = model.TextWindows.Add();
    message.Name = S("会話");
    message.GraphicFile = "window\\message.png";
    message.VAlign = "BOTTOM";
    message.HAlign = "CENTER";
    message.TextRect = {40, 350, 600, 460};
    CTextWindow& diary = model.TextWindows.Add();
    diary.Name = S("日記");
    diary.GraphicFile = "window\\diary.png";
    diary.VAlign = "MIDDLE";
    diary.HAlign = "CENTER";
    diary.TextRect = {100, 90, 540, 400};
}

void SetHeader(CNovelFileHeader& header) {
    header.SetDefaults();
    header.ChartWidth = 1000;
    header.ChartHeight = 1200;
    header.Title = S("夏の終わりの図書室");
    header.StartItem = S("プロローグ");
    header.LogoGraphic = "system\\logo.png";
    header.LogoWave = S("se\\チャイム.wav");
    header.TitleGraphic = "system\\title.jpg";
    header.TitleWave = "bgm\\title.ogg";
    header.MessageSpeed = 30;
    header.FadeName = "BLEND";
    header.FadeSpeed = 800;
}

} // namespace

void BuildSampleNovel(CNovelModel& model) {
    using V = VerticalPlacement;
    using H = HorizontalPlacement;
    model.Reset();
    SetHeader(model.Header);
    AddCounters(model);
    AddTextWindows(model);
    NovelBuilder novel(model);

    novel.Item("プロローグ", 40, 40, kLinkAuto,
               {GraphLoad("bg\\corridor.jpg", {kBlend, 1}),
                U(BGMPlayCommand("bgm\\afternoon.ogg", 2000)), WindowSet("会話"),
                CounterPlus("周回", 1), "八月の終わり。夏休みの校舎は、しんと静まり返っていた。@",
                "補習の帰り、僕はなぜか図書室のほうへ足を向けていた。@",
                U(SoundPlayCommand("se\\steps.wav")), U(WaitCommand(1500)), U(NextPageCommand()),
                "廊下のいちばん奥。図書室の扉が、少しだけ開いている。"},
               {{"", "図書室の前"}});

    novel.Item("図書室の前", 40, 136, kLinkMenu,
               {"扉の向こうから、ページをめくる音が聞こえる。@", "誰かいるのだろうか。"},
               {{"扉を開ける", "図書室"}, {"今日は帰る", "帰り道"}});

    novel.Item("帰り道", 240, 136, kLinkEnding,
               {U(BGMFadeoutCommand(2000)), GraphLoad("bg\\sunset.png", {kBlind, 2, 1000}),
                "結局、僕は図書室に入らなかった。@", "夏休みは、何事もなく終わっていった。",
                U(WaitCommand(2000)), U(NextPageCommand()), "【エンド１　：　何もなかった夏】"});

    novel.Item("図書室", 40, 232, kLinkMenu,
               {U(SoundPlayCommand("se\\door.wav")), GraphLoad("bg\\library.bmp", {kShutter, 1}),
                CharSet("ハル", "chara\\haru.png", V::Bottom, H::Center),
                "「……あ。こんな時期にお客さんなんて、珍しい」@",
                "図書委員の春川ハルだった。同じクラスなのに、ほとんど話したことがない。@",
                CharSet("ハル", "chara\\haru_smile.png", V::Bottom, H::Center),
                "「何か探しもの？　よかったら手伝うよ」"},
               {{"本棚を見て回る", "本棚"}, {"ハルと話す", "会話"}});

    novel.Item("本棚", 40, 328, kLinkAuto,
               {U(CharDeleteCommand(S("ハル"))), U(SoundPlayCommand(S("se\\表紙をめくる.ogg"))),
                "郷土史の棚の奥に、背表紙のない古いノートが挟まっていた。@",
                "表紙には、三十年前の日付が書かれている。", CounterPlus("手がかり", 1)},
               {{"", "古い日記"}});

    novel.Item("会話", 240, 328, kLinkMenu,
               {CounterPlus("好感度", 1), "「夏休みの間、ずっとここにいるの？」@",
                "「うん。図書室、好きだから。……それに、探してるものがあって」@",
                U(FontColorCommand({255, 220, 120})), "「昔この学校にいた人の、日記なんだって」",
                U(FontDefaultCommand())},
               {{"一緒に探そうか", "手伝い"},
                {"日記なら見つけたよ", "古い日記", "手がかり", 1},
                {"そろそろ帰るよ", "夕暮れ"}});

    novel.Item("手伝い", 440, 328, kLinkAuto,
               {CounterPlus("好感度", 2), U(CounterRndPlusCommand(S("手がかり"), 0, 1)),
                U(GraphFillCommand({255, 200, 150}, 30, {kBlend, 1})),
                "二人で、端から本棚を調べていく。@", "「ありがとう。一人だと、途方に暮れてたかも」",
                U(SoundPlayCommand(S("se\\チャイム.wav"))), U(WaitCommand(3000))},
               {{"", "夕暮れ"}});

    novel.Item("古い日記", 240, 424, kLinkMenu,
               {WindowSet("日記"), U(SoundPlayCommand(S("se\\表紙をめくる.ogg"))),
                U(FontTypeCommand(FontFace::Mincho)), U(FontSizeCommand(24)), "７月３１日　晴れ。@",
                "図書室の窓から見る夕焼けが、今日もきれいだった。@",
                "いつか、この景色を誰かと見られたらいい。", U(FontDefaultCommand()),
                U(WindowHideCommand()), WindowSet("会話"), CounterPlus("手がかり", 1)},
               {{"ハルに見せる", "夕暮れ"}, {"そっと棚に戻す", "ノーマルエンド"}});

    novel.Item("夕暮れ", 440, 424, kLinkMenu,
               {U(BGMFadeoutCommand(2000)), GraphLoad("bg\\sunset.png", {kCrossline, 1, 1500}),
                U(BGMPlayCommand("bgm\\evening.wav", std::nullopt)),
                CharSet("ハル", "chara\\haru.png", V::Bottom, H::Right),
                "窓の外が、いつの間にか茜色に染まっていた。@", "「もう、こんな時間……」",
                U(LinkWindowSetCommand(S("会話")))},
               {{"一緒に帰ろう", "ハッピーエンド", "好感度", 3},
                {"日記の続きを読もう", "真相", "手がかり", 2},
                {"また明日", "ノーマルエンド"}});

    novel.Item("ノーマルエンド", 640, 424, kLinkEnding,
               {U(LinkWindowDefaultCommand()), U(CharClearCommand()), "「また明日ね」@",
                "ハルは小さく手を振った。明日もきっと、図書室は開いている。",
                U(BGMFadeoutCommand(3000)), U(NextPageCommand()), "【エンド２　：　また明日】"});

    novel.Item("真相", 440, 520, kLinkAuto,
               {U(GraphFillCommand({0, 0, 0}, 60, {})), U(CounterRndSetCommand(S("好感度"), 3, 5)),
                "日記の最後のページに、小さな文字で名前が書かれていた。@", "春川　ナツ。@",
                "「……これ、おばあちゃんの名前だ」", U(WaitCommand(1000))},
               {{"", "エピローグ"}});

    novel.Item("ハッピーエンド", 640, 520, kLinkEnding,
               {GraphLoad("bg\\night.jpg", {kBlend, 1, 2000}),
                CharSet("ハル", "chara\\haru_smile.png", V::Bottom, H::Center),
                "校門を出ると、空にはもう星が出ていた。@",
                "「ねえ。夏休みが終わっても、図書室に来てくれる？」@", U(NextPageCommand()),
                "【エンド３　：　星の帰り道】"});

    novel.Item("エピローグ", 440, 616, kLinkEnding,
               {U(BGMStopCommand()), U(SoundStopCommand()), GraphLoad("bg\\night.jpg"),
                U(BGMPlayCommand("bgm\\title.ogg", 1000)),
                "三十年前と同じ窓から、僕たちは同じ夕焼けを見ていたのかもしれない。@",
                U(NextPageCommand()), "【トゥルーエンド　：　夏の終わりの図書室】"});
}

} // namespace miravo::samplegen
