// mvplay: plays a sound file through MVSound.mvx from the console. For authors ("does my file
// play?") and as a driver of the engine's tests.
#include "tools/mvplay/PlayOptions.h"
#include "tools/mvplay/SoundLibrary.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD) {
    interrupted = true;
    return TRUE;
}

void __cdecl PrintReport(const char* report) {
    std::fprintf(stderr, "%s\n", report);
    std::fflush(stderr);
}

int Run(const mvplay::PlayOptions& options) {
    mvplay::CSoundLibrary library;
    std::string error;
    if (!library.Load(mvplay::ProgramFolder() + "MVSound.mvx", error)) {
        std::fprintf(stderr, "mvplay: %s\n", error.c_str());
        return 1;
    }
    const int revision = library.GetRevision();
    if (revision != MVSOUND_REVISION) {
        std::fprintf(stderr, "mvplay: MVSound.mvx has revision %d, mvplay needs %d\n", revision,
                     MVSOUND_REVISION);
        return 1;
    }
    library.SetErrorHandler(PrintReport);
    mvplay::CHiddenWindow window;
    if (!library.Initialize(window.Handle())) {
        std::fprintf(stderr, "mvplay: MVSoundInitialize failed (no sound device?)\n");
        return 1;
    }

    const char* track = options.track.c_str();
    library.SetLooping(track, options.loop ? 1 : 0);
    if (options.volume)
        library.SetVolume(track, *options.volume);
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const int played =
        options.window
            ? library.PlayFromFilePartition(track, options.file.c_str(), options.fadeIn,
                                            options.window->offset, options.window->length)
            : library.Play(track, options.file.c_str(), options.fadeIn);
    if (!played) {
        library.Finalize();
        return 1;
    }

    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    int playing = -1;
    bool fadeStarted = false;
    for (;;) {
        const double now = elapsed();
        const int state = library.IsPlaying(track);
        if (state != playing) {
            std::printf("%.3f IsPlaying %d\n", now, state);
            std::fflush(stdout);
            playing = state;
        }
        if (options.fadeOut && !fadeStarted && now * 1000 >= options.fadeOut->at) {
            library.FadeOut(track, options.fadeOut->length);
            std::printf("%.3f FadeOut %d\n", now, options.fadeOut->length);
            std::fflush(stdout);
            fadeStarted = true;
        }
        if (state == 0 || interrupted || (options.seconds && now >= *options.seconds))
            break;
        window.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    library.Finalize();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options =
        mvplay::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "mvplay: %s\n%s", error.c_str(), mvplay::kUsage);
        return 2;
    }
    return Run(*options);
}
