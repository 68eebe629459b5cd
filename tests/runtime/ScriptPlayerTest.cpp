// The script player without windows: command lines as the player reads them, counters in their
// ranges, the lines and links of items as traces, and the sample novel to each of its endings.
#include "tests/novel/SampleNovels.h"

#include "novel/CommandStrings.h"
#include "novel/PlaytestCommandLine.h"
#include "novel/ShiftJis.h"
#include "runtime/AutoPlay.h"
#include "runtime/PlayTrace.h"
#include "runtime/ScriptCommand.h"
#include "runtime/ScriptPlayer.h"
#include "tools/samplegen/SampleNovel.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace miravo;
using namespace miravo::runtime;
using namespace miravo::test;

namespace {

// Random numbers that are always the low end, or the high end.
RandomSource Low() {
    return [](std::int32_t low, std::int32_t) { return low; };
}
RandomSource High() {
    return [](std::int32_t, std::int32_t high) { return high; };
}

CNovelItem& AddItem(CNovelModel& model, const char* name, CTextLines text,
                    std::uint8_t linkType = kLinkEnding) {
    CNovelItem& item = model.Items.Add();
    item.Name = name;
    item.Text = std::move(text);
    item.LinkType = linkType;
    item.Links[0].Enabled = false;
    return item;
}

void Link(CNovelItem& item, int slot, const char* text, const char* target,
          const char* counter = nullptr, int threshold = 1) {
    CNovelLink& link = item.Links[std::size_t(slot)];
    link.Enabled = true;
    link.LinkText = text;
    link.Target = target;
    link.UseCounter = counter != nullptr;
    link.CounterName = counter ? counter : "";
    link.Threshold = threshold;
}

std::vector<std::string> Played(const CNovelModel& model, const std::vector<int>& choices = {},
                                RandomSource random = Low()) {
    PlayTrace trace;
    ScriptPlayer player(model, trace, std::move(random));
    const AutoPlayResult result = AutoPlay(player, choices, 1000);
    EXPECT_TRUE(result.ended);
    return trace.Lines();
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(ScriptCommand, ReadsWellFormedLinesAndNamesWhatIsWrong) {
    const struct {
        std::string line;
        bool ok;
        std::string errorPart;
    } cases[] = {
        {GraphLoadCommand("bg.jpg", {}), true, ""},
        {GraphLoadCommand("bg.jpg", {4, 1, 750}), true, ""},
        {".graphload \"a b.jpg\" blind 1", true, ""},
        {".GraphLoad \"bg.jpg\" BLEND", false, "number of arguments"},
        {".GraphLoad \"bg.jpg\" SPIN 1", false, "unknown fade effect"},
        {".GraphLoad \"bg.jpg\" BLIND 3", false, "variation"},
        {".GraphLoad \"bg.jpg", false, "unclosed quote"},
        {".GraphFill 1 2 3 101 ", false, "0 to 100"},
        {GraphFillCommand({1, 2, 3}, 50, {9, 1, 250}), true, ""},
        {".CharSet \"n\" \"f.png\" TOP", false, "number of arguments"},
        {".CharSet \"n\" \"f.png\" UP LEFT", false, "TOP, MIDDLE or BOTTOM"},
        {".BGMPlay \"a.ogg\" -5", false, "not a number"},
        {".Wait x", false, "not a number"},
        {".FontSize 300", false, "12 to 200"},
        {".FontType ROMAN", false, "GOTHIC or MINCHO"},
        {".CounterRndSet \"c\" 5 1", false, "low is above high"},
        {".Foo 1", false, "unknown command"},
        {".NextPage", true, ""},
    };
    for (const auto& c : cases) {
        const ScriptCommand command = ParseScriptCommand(c.line);
        EXPECT_EQ(command.Ok(), c.ok) << c.line << ": " << command.error;
        EXPECT_NE(command.error.find(c.errorPart), std::string::npos) << c.line;
    }
    EXPECT_EQ(ParseScriptCommand(".graphload \"a b.jpg\" blind 1").arguments[0], "a b.jpg");
    const ScriptCommand fade = ParseScriptCommand(GraphLoadCommand("bg.jpg", {3, 2, 750}));
    EXPECT_EQ(fade.fade.effect, 3);
    EXPECT_EQ(fade.fade.variation, 2);
    EXPECT_EQ(fade.fade.speed, 750);
}

TEST(PlayerCounters, KeepTheirRangeAndCarryOver) {
    CNovelCounters table;
    CNovelCounter& a = table.Add();
    a.Name = "a";
    a.InitialValue = 5;
    a.MinValue = 0;
    a.MaxValue = 10;
    CNovelCounter& kept = table.Add();
    kept.Name = "kept";
    kept.MinValue = 10; // written upside down
    kept.MaxValue = -10;
    kept.CarryOver = true;
    PlayerCounters counters(table);
    const struct {
        int index;
        bool add;
        std::int64_t value;
        std::int32_t expected;
    } steps[] = {
        {0, true, 7, 10},     {0, true, -25, 0},         {0, false, 3, 3}, {0, true, INT32_MAX, 10},
        {1, false, -99, -10}, {1, true, INT32_MIN, -10}, {1, true, 13, 3},
    };
    for (const auto& s : steps) {
        if (s.add)
            counters.Add(s.index, s.value);
        else
            counters.Set(s.index, s.value);
        EXPECT_EQ(counters.Value(s.index), s.expected);
    }
    counters.NewPlay();
    EXPECT_EQ(counters.Value(0), 5);
    EXPECT_EQ(counters.Value(1), 3);
    counters.Reset();
    EXPECT_EQ(counters.Value(1), 0);
}

TEST(ScriptPlayer, PlaysLinesAsPagesClicksAndCommands) {
    const struct {
        const char* what;
        CTextLines text;
        std::vector<std::string> trace;
        int clicks;
    } cases[] = {
        {"pages",
         {"one@two", "three", ".NextPage", "four", ""},
         {"Item: s", "Page: onetwo / three", "Command: .NextPage", "Page: four", "Ending: s"},
         3},
        // The trail byte of the first ァ is "@"; the free "@" after it is a click.
        {"markers", {"a;b@", "c", Sj("ァ@ァ")}, {"Item: s", "Page: ab / c / ァァ", "Ending: s"}, 3},
        {"skipped and ignored",
         {".Foo 1", ".CDPLAY 3", ".Wait x", ".Wait 0", ".CounterSet \"none\" 1", "t"},
         {"Item: s", "Skipped: .Foo 1 -- unknown command",
          "Skipped: .Wait x -- not a number from 0 to 2147483647: x", "Command: .Wait 0",
          "Skipped: .CounterSet \"none\" 1 -- no counter named none", "Page: t", "Ending: s"},
         1},
        {"window change waits for a click",
         {"a", ".WindowHide", "b", ".WindowSet \"w\"", ".WindowSet \"gone\""},
         {"Item: s", "Page: a", "Command: .WindowHide", "Page: b", "Command: .WindowSet \"w\"",
          "Skipped: .WindowSet \"gone\" -- no text window named gone", "Ending: s"},
         2},
    };
    for (const auto& c : cases) {
        CNovelModel model;
        model.TextWindows.Add().Name = "w";
        AddItem(model, "s", c.text);
        PlayTrace trace;
        ScriptPlayer player(model, trace, Low());
        const AutoPlayResult result = AutoPlay(player, {}, 100);
        EXPECT_TRUE(result.ended) << c.what;
        EXPECT_EQ(result.pages, c.clicks) << c.what;
        // Sj turns the UTF-8 test literal into the Shift-JIS the model holds; the trace is UTF-8.
        std::vector<std::string> expected = c.trace;
        for (auto& line : expected)
            line = sjis::ToUtf8(Sj(line.c_str()));
        EXPECT_EQ(Joined(trace.Lines()), Joined(expected)) << c.what;
    }
}

// Files the novel names but the disk lacks: the play goes on; with "/debug" each is a line of
// the page that waits to be read, without it only the trace lists it.
TEST(ScriptPlayer, MissingFilesAreSaidOnThePageOnlyInDebugMode) {
    // Loads as the window does: whatever is not in `present` is missing; "bad.png" is unreadable.
    struct Loader : PlayTrace {
        ScriptPlayer* player = nullptr;
        void Load(const std::string& file) {
            if (file == "bad.png")
                player->DataFileMissing(file, "not a picture");
            else if (file != "here.png")
                player->DataFileMissing(file, "");
        }
        void LoadGraphic(const std::string& file, const ResolvedFade&) override { Load(file); }
        void SetCharacter(const std::string&, const std::string& file, VerticalPlacement,
                          HorizontalPlacement, const ResolvedFade&) override {
            Load(file);
        }
        void PlayBgm(const std::string& file, int) override { Load(file); }
        void PlaySoundEffect(const std::string& file) override { Load(file); }
        void PlayMidi(const std::string& file) override { Load(file); }
    };
    const CTextLines text = {".GraphLoad \"here.png\"",
                             "one",
                             ".NextPage",
                             ".GraphLoad \"bad.png\"",
                             ".CharSet \"a\" \"gone.png\" MIDDLE CENTER",
                             ".BGMPlay \"gone.ogg\"",
                             ".SoundPlay \"gone.wav\"",
                             ".MidiPlay \"gone.mid\"",
                             ".NextPage",
                             "two"};
    const std::string missing = "Missing: bad.png -- not a picture\nMissing: gone.png\n"
                                "Missing: gone.ogg\nMissing: gone.wav\nMissing: gone.mid\n";
    const struct {
        bool debug;
        int clicks;
        std::string page; // the page between the two .NextPage lines
    } cases[] = {
        {false, 2, ""},
        {true, 3,
         "Page: ファイルを読めません: bad.png / ファイルが見つかりません: gone.png / "
         "ファイルが見つかりません: gone.ogg / ファイルが見つかりません: gone.wav / "
         "ファイルが見つかりません: gone.mid\n"},
    };
    for (const auto& c : cases) {
        CNovelModel model;
        AddItem(model, "s", text);
        Loader loader;
        ScriptPlayer player(model, loader, Low());
        loader.player = &player;
        player.SetFileNotices(c.debug);
        const AutoPlayResult result = AutoPlay(player, {}, 100);
        EXPECT_TRUE(result.ended);
        EXPECT_EQ(result.pages, c.clicks) << c.debug;
        std::string withoutCommands;
        for (const std::string& line : loader.Lines())
            if (!line.starts_with("Command:"))
                withoutCommands += line + "\n";
        EXPECT_EQ(withoutCommands,
                  "Item: s\nPage: one\n" + missing + c.page + "Page: two\nEnding: s\n")
            << c.debug;
    }
}

TEST(ScriptPlayer, CommandsReachTheEffectsWithTheirResolvedFades) {
    struct Recorder : IPlayerEffects {
        std::vector<ResolvedFade> fades;
        std::vector<std::string> sounds;
        FontState font;
        int waited = 0;
        void LoadGraphic(const std::string&, const ResolvedFade& fade) override {
            fades.push_back(fade);
        }
        void SetCharacter(const std::string&, const std::string&, VerticalPlacement,
                          HorizontalPlacement, const ResolvedFade& fade) override {
            fades.push_back(fade);
        }
        void PlayBgm(const std::string& file, int fadeIn) override {
            sounds.push_back(file + " " + std::to_string(fadeIn));
        }
        void SetFont(const FontState& state) override { font = state; }
        void Wait(int ms) override { waited += ms; }
    } recorder;
    CNovelModel model;
    model.Header.FadeName = "SHUTTER";
    model.Header.FadeVariation = 2;
    model.Header.FadeSpeed = 800;
    model.Header.CharFadeName = "bogus";
    AddItem(model, "s",
            {GraphLoadCommand("a.png", {}), GraphLoadCommand("b.png", {2, 1, -1}),
             GraphLoadCommand("c.png", {4, 1, 250}),
             CharSetCommand("n", "c.png", VerticalPlacement::Top, HorizontalPlacement::Left),
             BGMPlayCommand("m.ogg", 1500), BGMPlayCommand("n.ogg", std::nullopt),
             FontSizeCommand(40), FontColorCommand({1, 2, 3}), WaitCommand(1000)});
    ScriptPlayer player(model, recorder, Low());
    player.StartNewPlay();
    Stop stop = player.Run();
    // Each picture change with a fade lets the script go on once it has finished.
    for (const int fade : {800, 800, 250}) {
        EXPECT_EQ(stop.kind, StopKind::Fade);
        EXPECT_EQ(stop.milliseconds, fade);
        stop = player.Run();
    }
    EXPECT_EQ(stop.kind, StopKind::Wait);
    EXPECT_EQ(stop.milliseconds, 1000);
    const std::vector<ResolvedFade> fades{{3, 2, 800}, {2, 1, 800}, {4, 1, 250}, {1, 1, 500}};
    EXPECT_EQ(recorder.fades, fades);
    EXPECT_EQ(recorder.sounds, (std::vector<std::string>{"m.ogg 1500", "n.ogg 0"}));
    EXPECT_EQ(recorder.font.size, 40);
    EXPECT_EQ(recorder.font.color, 0x030201u);
    EXPECT_EQ(player.Scene().background, "c.png");
    EXPECT_EQ(player.Scene().characters.size(), 1u);
    EXPECT_EQ(player.Scene().bgm, "n.ogg");
    EXPECT_EQ(player.Run().kind, StopKind::Ending);
}

TEST(ScriptPlayer, LinksOfferWhatHoldsAndFollowTheFirstThatDoes) {
    CNovelModel model;
    CNovelCounter& c = model.Counters.Add();
    c.Name = "c";
    c.MaxValue = 10;
    CNovelItem& menu = AddItem(model, "menu", {"m", ".CounterPlus \"c\" 2"}, kLinkMenu);
    Link(menu, 0, "needs 3", "x", "c", 3);
    Link(menu, 1, "to nowhere", "gone");
    Link(menu, 2, "auto", "auto");
    Link(menu, 5, "needs 2", "x", "c", 2);
    Link(menu, 6, "unknown counter", "x", "nope", 0);
    CNovelItem& automatic = AddItem(model, "auto", {}, kLinkAuto);
    Link(automatic, 1, "", "gone");
    Link(automatic, 3, "", "x", "c", 5);
    Link(automatic, 4, "", "empty menu");
    Link(automatic, 5, "", "x");
    CNovelItem& emptyMenu = AddItem(model, "empty menu", {"e"}, kLinkMenu);
    Link(emptyMenu, 0, "", "gone");
    AddItem(model, "x", {"end"});
    model.Header.StartItem = "no such item"; // the first item then

    const auto first = Played(model, {2});
    EXPECT_TRUE(Has(first, "Choices: 1.auto | 2.needs 2")) << Joined(first);
    EXPECT_TRUE(Has(first, "Item: x"));
    const auto second = Played(model, {1});
    EXPECT_TRUE(Has(second, "Item: empty menu")) << Joined(second);
    EXPECT_TRUE(Has(second, "Ending: empty menu"));

    // An automatic link that leads back to its own item without a stop ends the play.
    CNovelModel loop;
    Link(AddItem(loop, "loop", {}, kLinkAuto), 0, "", "loop");
    const auto looped = Played(loop);
    EXPECT_TRUE(Has(looped, "Skipped:  -- automatic links loop without a stop"));
}

TEST(ScriptPlayer, SamplePlaysToEachEnding) {
    CNovelModel model;
    samplegen::BuildSampleNovel(model);
    const struct {
        std::vector<int> choices;
        const char* ending;
    } plays[] = {
        {{2}, "帰り道"},
        {{1, 1, 2}, "ノーマルエンド"},
        {{1, 2, 1, 1}, "ハッピーエンド"},
        {{1, 1, 1, 1}, "エピローグ"},
    };
    for (const auto& play : plays) {
        const auto lines = Played(model, play.choices, High());
        EXPECT_TRUE(Has(lines, std::string("Ending: ") + play.ending)) << Joined(lines);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const auto& l) { return l.starts_with("Skipped:"); }),
                  0)
            << Joined(lines);
    }
}

TEST(RuntimeArguments, TraceAutoAndShots) {
    const RuntimeArguments read = ParseRuntimeArguments(
        "run.exe \"/trace:C:\\a b\\t.txt\" /auto:2,1 /shot:3:C:\\s.png /shot:x:y n.mve");
    EXPECT_EQ(read.traceFile, "C:\\a b\\t.txt");
    EXPECT_TRUE(read.autoPlay);
    EXPECT_EQ(read.autoChoices, "2,1");
    ASSERT_EQ(read.shots.size(), 1u);
    EXPECT_EQ(read.shots[0].page, 3);
    EXPECT_EQ(read.shots[0].file, "C:\\s.png");
    EXPECT_EQ(read.unknown, std::vector<std::string>{"/shot:x:y"});
    EXPECT_EQ(read.novelFile, "n.mve");
    EXPECT_EQ(ParseAutoChoices("2,x,,13"), (std::vector<int>{2, 13}));

    CNovelModel model;
    model.Header.Title = "T";
    AddItem(model, "s", {"a"});
    const AutoRun run = RunAutomatically(model, "", Low());
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.trace, "Title: T\nItem: s\nPage: a\nEnding: s\nTitle: T\n");
}
