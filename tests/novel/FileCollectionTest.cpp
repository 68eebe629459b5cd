// Collecting the data files of a novel and checking that they can be opened.
#include "SampleNovels.h"

#include "novel/FileCollection.h"
#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

#include <map>

using namespace miravo;
using namespace miravo::test;

namespace {

// A novel folder in memory that records every name it was asked about.
class FakeFolder : public INovelFolderFiles {
public:
    explicit FakeFolder(std::map<std::string, std::int64_t> files) : files_(std::move(files)) {}
    bool Exists(std::string_view name) override {
        asked.emplace_back(name);
        return files_.count(LocaleLower(name)) > 0;
    }
    std::optional<std::int64_t> SizeOf(std::string_view name) override {
        asked.emplace_back(name);
        const auto found = files_.find(LocaleLower(name));
        if (found == files_.end())
            return std::nullopt;
        return found->second;
    }
    std::vector<std::string> asked;

private:
    std::map<std::string, std::int64_t> files_;
};

} // namespace

TEST(FileCollection, CollectsEveryReferenceOnceInFirstMetOrder) {
    CNovelModel model;
    model.Header.LogoGraphic = "System\\Logo.PNG";
    model.Header.TitleWave = "system\\logo.png"; // the same file in other letters
    model.Header.TitleMidi = "title.mid";
    model.TextWindows.Add().GraphicFile = Sj("窓\\表.png");
    model.TextWindows.Add(); // no picture
    model.Items.Add().Text = CTextLines{
        ".graphload \"my picture.bmp\"",           // lower case, quoted with a space
        "Story text .GraphLoad story.bmp",         // story text
        " .GraphLoad indented.bmp",                // a blank first: story text
        ".CharSet girl chara\\g.png TOP",          // too few words
        ".CharSet\tgirl,chara\\girl.png,TOP,LEFT", // tabs and commas separate
        ".MidiPlay a.mid",
        ".GraphLoad", // too few words
        ".Wait 100",
    };
    model.Items.Add().Text = CTextLines{
        ".BGMPlay title",    // only title.ogg exists
        ".BGMPlay none",     // no form exists
        ".SoundPlay se.mp3", // se.ogg exists: collected instead, and MP3 still noted
        ".SoundPlay bgm\\a.ogg",
        ".GRAPHLOAD \"MY PICTURE.BMP\"",
        ".SoundPlay ..\\..\\Users\\me\\secret.wav",
        ".GraphLoad C:\\secret.txt",
        ".MidiPlay \\\\host\\share\\x.mid",
    };
    FakeFolder folder({{"title.ogg", 1}, {"se.ogg", 1}, {"bgm\\a.ogg", 1}});
    std::vector<std::string> list{"stale"};
    std::vector<int> progress;
    CollectReferencedFiles(model, folder, list, [&](int position, int maximum) {
        progress.push_back(position);
        EXPECT_EQ(maximum, 1);
    });
    const std::vector<std::string> expected{"system\\logo.png",
                                            "title.mid",
                                            Sj("窓\\表.png"),
                                            "my picture.bmp",
                                            "chara\\girl.png",
                                            "a.mid",
                                            "title.ogg",
                                            "none",
                                            "se.ogg",
                                            "bgm\\a.ogg",
                                            "..\\..\\users\\me\\secret.wav",
                                            "c:\\secret.txt",
                                            "\\\\host\\share\\x.mid"};
    EXPECT_EQ(list, expected);
    EXPECT_TRUE(model.Header.UsesMp3);
    EXPECT_EQ(progress, (std::vector<int>{0, 1}));
    for (const std::string& name : folder.asked)
        EXPECT_TRUE(IsSafeName(name)) << name << " was looked up";
}

TEST(FileCollection, SoundRuleTriesOggWavMp3) {
    const struct {
        const char* command;
        std::map<std::string, std::int64_t> files;
        const char* collected;
        bool usesMp3;
    } cases[] = {
        {".BGMPlay t", {{"t.wav", 1}, {"t.mp3", 1}}, "t.wav", false},
        {".BGMPlay t", {{"t.mp3", 1}}, "t.mp3", true},
        {".SoundPlay T.Wav", {{"t.wav", 1}, {"t.ogg", 1}}, "t.wav", false},
        {".SoundPlay x.mp3", {}, "x.mp3", true},
        {".SoundPlay ..\\t", {{"..\\t.ogg", 1}}, "..\\t", false},
    };
    for (const auto& c : cases) {
        CNovelModel model;
        model.Items.Add().Text = CTextLines{c.command};
        FakeFolder folder(c.files);
        std::vector<std::string> list;
        CollectReferencedFiles(model, folder, list);
        EXPECT_EQ(list, std::vector<std::string>{c.collected}) << c.command;
        EXPECT_EQ(model.Header.UsesMp3, c.usesMp3) << c.command;
    }
}

TEST(FileCollection, CheckSizesListsUnusableFilesAndGoesOn) {
    FakeFolder folder({{"a.png", 1000}, {"b.ogg", 24}, {"c.wav", 5}});
    std::vector<UnusableFile> unusable;
    std::vector<int> progress;
    const auto step = [&](int position, int) { progress.push_back(position); };
    EXPECT_EQ(CheckFileSizes({"a.png", "b.ogg"}, folder, unusable, step), 1024);
    EXPECT_TRUE(unusable.empty());
    EXPECT_EQ(CheckFileSizes({}, folder, unusable), 0);

    folder.asked.clear();
    progress.clear();
    EXPECT_EQ(
        CheckFileSizes({"a.png", "missing.bmp", "..\\x.png", "c.wav"}, folder, unusable, step), -1);
    EXPECT_EQ(unusable, (std::vector<UnusableFile>{{"missing.bmp", NameSafety::Safe},
                                                   {"..\\x.png", NameSafety::Parent}}));
    EXPECT_EQ(folder.asked, (std::vector<std::string>{"a.png", "missing.bmp", "c.wav"}));
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(UnusableFileLine(unusable[0]), "missing.bmp");
    EXPECT_EQ(UnusableFileLine(unusable[1]),
              "..\\x.png  (" + NameSafetyReason(NameSafety::Parent) + ")");
}
