#include "tools/mvplay/PlayOptions.h"

#include <charconv>
#include <cstdlib>

namespace mvplay {

const char* const kUsage =
    "usage: mvplay FILE [--track NAME] [--fade-in MS] [--fade-out-at MS:LEN] [--loop]\n"
    "              [--volume V] [--window OFFSET LENGTH] [--seconds S]\n"
    "Plays a WAVE or Ogg Vorbis file (or a byte window of a file) through MVSound.mvx for S\n"
    "seconds or until it ends, and prints when MVSoundIsPlaying changes.\n"
    "  --track NAME           track name (default mvplay)\n"
    "  --fade-in MS           fade in over MS milliseconds\n"
    "  --fade-out-at MS:LEN   start a fade-out of LEN milliseconds MS milliseconds in\n"
    "  --loop                 loop the sound\n"
    "  --volume V             volume, -10000 (silent) to 0 (full)\n"
    "  --window OFFSET LENGTH play LENGTH bytes of the file from byte OFFSET\n"
    "  --seconds S            stop after S seconds\n";

namespace {

bool ToInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && !text.empty();
}

bool ToSeconds(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value >= 0;
}

} // namespace

std::optional<PlayOptions> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    PlayOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = arg + " needs " + what;
                return nullptr;
            }
            return &args[++i];
        };
        auto number = [&](const char* what, int& out) {
            const std::string* text = value(what);
            if (!text)
                return false;
            if (!ToInt(*text, out)) {
                error = arg + ": not a whole number: " + *text;
                return false;
            }
            return true;
        };
        if (arg == "--track") {
            const std::string* text = value("a name");
            if (!text)
                return std::nullopt;
            options.track = *text;
        } else if (arg == "--fade-in") {
            if (!number("milliseconds", options.fadeIn))
                return std::nullopt;
        } else if (arg == "--fade-out-at") {
            const std::string* text = value("MS:LEN");
            if (!text)
                return std::nullopt;
            const auto colon = text->find(':');
            FadeOutAt fade;
            if (colon == std::string::npos || !ToInt(text->substr(0, colon), fade.at) ||
                !ToInt(text->substr(colon + 1), fade.length) || fade.at < 0) {
                error = "--fade-out-at: expected MS:LEN, got " + *text;
                return std::nullopt;
            }
            options.fadeOut = fade;
        } else if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--volume") {
            int volume = 0;
            if (!number("a volume", volume))
                return std::nullopt;
            if (volume < -10000 || volume > 0) {
                error = "--volume: from -10000 to 0";
                return std::nullopt;
            }
            options.volume = volume;
        } else if (arg == "--window") {
            FileWindow window;
            if (!number("an offset", window.offset) || !number("a length", window.length))
                return std::nullopt;
            options.window = window;
        } else if (arg == "--seconds") {
            const std::string* text = value("seconds");
            double seconds = 0;
            if (!text)
                return std::nullopt;
            if (!ToSeconds(*text, seconds)) {
                error = "--seconds: not a number of seconds: " + *text;
                return std::nullopt;
            }
            options.seconds = seconds;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (!haveFile) {
            options.file = arg;
            haveFile = true;
        } else {
            error = "more than one file: " + arg;
            return std::nullopt;
        }
    }
    if (!haveFile) {
        error = "no file given";
        return std::nullopt;
    }
    return options;
}

} // namespace mvplay
