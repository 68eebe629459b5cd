#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mvplay {

struct FadeOutAt {
    int at = 0;     // milliseconds after the start
    int length = 0; // milliseconds
};

struct FileWindow {
    int offset = 0;
    int length = 0;
};

struct PlayOptions {
    std::string file;
    std::string track = "mvplay";
    int fadeIn = 0;
    std::optional<FadeOutAt> fadeOut;
    bool loop = false;
    std::optional<int> volume;
    std::optional<FileWindow> window;
    std::optional<double> seconds;
};

// `args` without the program name. On a mistake: nullopt and `error` says what was wrong.
std::optional<PlayOptions> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

} // namespace mvplay
