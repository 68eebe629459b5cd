#pragma once

#include "runtime/NovelSource.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

// The novel's sound: BGM and sound effects through MVSound.mvx (from the program folder, or
// taken out of the package of a single-file program), packed sounds played from their byte
// window; MIDI through the system's MCI sequencer. Whatever fails is not heard and never stops
// the play.
namespace miravo::runtime {

// Told of a sound or MIDI file that is not there (`reason` empty) or that cannot be played.
using MissingFileReport = std::function<void(const std::string& name, std::string_view reason)>;

class SoundPlayer {
public:
    SoundPlayer(HWND window, const LoadedNovel& novel, IBuildFileSystem& files,
                MissingFileReport missing);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    bool Active() const { return active_; }
    // Names are Shift-JIS, as the script writes them.
    void PlayBgm(const std::string& name, int fadeIn); // looped
    void StopBgm();
    void FadeOutBgm(int milliseconds);
    void PlaySoundEffect(const std::string& name);
    void StopSoundEffect();
    void PlayMidi(const std::string& name);
    void StopMidi();

private:
    bool Load(const std::filesystem::path& library);
    bool Play(const char* track, const std::string& name, int fadeIn);

    struct LibraryFreer {
        void operator()(HMODULE library) const { FreeLibrary(library); }
    };
    HWND window_;
    const LoadedNovel& novel_;
    IBuildFileSystem& files_;
    MissingFileReport missing_;
    std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer> library_;
    std::filesystem::path scratch_; // a folder of our own for files taken out of the package
    bool active_ = false;
    bool midiOpen_ = false;

    using PlayFunction = int (*)(const char*, const char*, int);
    using PartitionFunction = int (*)(const char*, const char*, int, int, int);
    using TrackFunction = void (*)(const char*);
    using TrackIntFunction = void (*)(const char*, int);
    int (*initialize_)(HWND) = nullptr;
    void (*finalize_)() = nullptr;
    PlayFunction play_ = nullptr;
    PartitionFunction playPartition_ = nullptr;
    TrackFunction stop_ = nullptr;
    TrackIntFunction fadeOut_ = nullptr;
    TrackIntFunction setLooping_ = nullptr;
};

} // namespace miravo::runtime
