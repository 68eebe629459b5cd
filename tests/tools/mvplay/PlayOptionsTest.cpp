#include "tools/mvplay/PlayOptions.h"

#include <gtest/gtest.h>

using namespace mvplay;

namespace {

std::optional<PlayOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    auto options = ParseOptions(args, message);
    if (error)
        *error = message;
    return options;
}

} // namespace

TEST(PlayOptions, EveryOptionAndTheDefaults) {
    const auto plain = Parse({"bgm.ogg"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->file, "bgm.ogg");
    EXPECT_EQ(plain->track, "mvplay");
    EXPECT_EQ(plain->fadeIn, 0);
    EXPECT_FALSE(plain->loop || plain->volume || plain->window || plain->seconds || plain->fadeOut);

    const auto all = Parse({"--track", "bgm", "--fade-in", "1500", "--fade-out-at", "4000:800",
                            "--loop", "--volume", "-5000", "--window", "1024", "65536", "--seconds",
                            "2.5", "C:\\data\\game.exe"});
    ASSERT_TRUE(all);
    EXPECT_EQ(all->file, "C:\\data\\game.exe");
    EXPECT_EQ(all->track, "bgm");
    EXPECT_EQ(all->fadeIn, 1500);
    EXPECT_EQ(all->fadeOut->at, 4000);
    EXPECT_EQ(all->fadeOut->length, 800);
    EXPECT_TRUE(all->loop);
    EXPECT_EQ(*all->volume, -5000);
    EXPECT_EQ(all->window->offset, 1024);
    EXPECT_EQ(all->window->length, 65536);
    EXPECT_DOUBLE_EQ(*all->seconds, 2.5);
}

TEST(PlayOptions, MistakesSayWhatIsWrong) {
    std::string error;
    EXPECT_FALSE(Parse({}, &error));
    EXPECT_EQ(error, "no file given");
    EXPECT_FALSE(Parse({"a.wav", "b.wav"}, &error));
    EXPECT_EQ(error, "more than one file: b.wav");
    EXPECT_FALSE(Parse({"a.wav", "--fade-in"}, &error));
    EXPECT_EQ(error, "--fade-in needs milliseconds");
    EXPECT_FALSE(Parse({"a.wav", "--fade-in", "1.5"}, &error));
    EXPECT_FALSE(Parse({"a.wav", "--fade-out-at", "1000"}, &error));
    EXPECT_FALSE(Parse({"a.wav", "--volume", "100"}, &error));
    EXPECT_FALSE(Parse({"a.wav", "--window", "10"}, &error));
    EXPECT_FALSE(Parse({"a.wav", "--seconds", "-1"}, &error));
    EXPECT_FALSE(Parse({"a.wav", "--speed", "2"}, &error));
    EXPECT_EQ(error, "unknown option --speed");
}
