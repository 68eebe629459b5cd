#include "runtime/SoundPlayer.h"

#include "novel/FileAccess.h"
#include "novel/PackageReader.h"
#include "novel/ShiftJis.h"

#include <mmsystem.h>

namespace miravo::runtime {
namespace {

constexpr char kBgmTrack[] = "bgm";
constexpr char kSoundTrack[] = "se";
constexpr int kRequiredRevision = 1;

// The engine takes strings in the system's ANSI code page.
std::string Ansi(const std::filesystem::path& path) {
    const std::wstring wide = path.wstring();
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), int(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string ansi(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), int(wide.size()), ansi.data(), length, nullptr,
                        nullptr);
    return ansi;
}

template <class Function> bool Resolve(HMODULE library, const char* name, Function& function) {
    const FARPROC address = GetProcAddress(library, name);
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    return address != nullptr;
}

} // namespace

SoundPlayer::SoundPlayer(HWND window, const LoadedNovel& novel, IBuildFileSystem& files,
                         MissingFileReport missing)
    : window_(window), novel_(novel), files_(files), missing_(std::move(missing)) {
    std::filesystem::path library = novel.programPath.parent_path() / L"MVSound.mvx";
    std::error_code error;
    if (!std::filesystem::exists(library, error) && novel.package) {
        // A single-file program carries the engine: it is loaded from a copy of its own.
        if (const PackageEntry* entry = novel.package->Find(kSoundEngineName)) {
            try {
                scratch_ = std::filesystem::temp_directory_path() /
                           (L"MiravoRun-" + std::to_wstring(GetCurrentProcessId()));
                std::filesystem::create_directories(scratch_);
                library = scratch_ / L"MVSound.mvx";
                const auto program = files.OpenRead(novel.programPath);
                WriteFileAtomically(library, ReadPackageEntry(*program, *novel.package, *entry));
            } catch (const std::exception&) {
                return;
            }
        }
    }
    if (Load(library))
        active_ = initialize_(window_) != 0;
}

SoundPlayer::~SoundPlayer() {
    StopMidi();
    if (active_)
        finalize_();
    library_.reset();
    if (!scratch_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(scratch_, error);
    }
}

bool SoundPlayer::Load(const std::filesystem::path& library) {
    library_.reset(LoadLibraryW(library.wstring().c_str()));
    if (!library_)
        return false;
    int (*revision)() = nullptr;
    const HMODULE module = library_.get();
    return Resolve(module, "MVSoundGetRevision", revision) && revision() == kRequiredRevision &&
           Resolve(module, "MVSoundInitialize", initialize_) &&
           Resolve(module, "MVSoundFinalize", finalize_) && Resolve(module, "MVSoundPlay", play_) &&
           Resolve(module, "MVSoundPlayFromFilePartition", playPartition_) &&
           Resolve(module, "MVSoundStop", stop_) && Resolve(module, "MVSoundFadeOut", fadeOut_) &&
           Resolve(module, "MVSoundSetLooping", setLooping_);
}

bool SoundPlayer::Play(const char* track, const std::string& name, int fadeIn) {
    // Looked up also without a sound device, so that a missing file is told on every machine.
    const std::optional<FileWindow> file = FindSoundFile(novel_, name, files_);
    if (!file) {
        missing_(name, "");
        return false;
    }
    if (!active_)
        return false;
    const std::string path = Ansi(file->path);
    const bool playing =
        file->length >= 0
            ? playPartition_(track, path.c_str(), fadeIn, int(file->offset), int(file->length)) != 0
            : play_(track, path.c_str(), fadeIn) != 0;
    if (!playing) // the engine is there, so it is the file it could not read
        missing_(name, "the sound engine cannot play it");
    return playing;
}

void SoundPlayer::PlayBgm(const std::string& name, int fadeIn) {
    if (Play(kBgmTrack, name, fadeIn))
        setLooping_(kBgmTrack, 1);
}

void SoundPlayer::StopBgm() {
    if (active_)
        stop_(kBgmTrack);
}

void SoundPlayer::FadeOutBgm(int milliseconds) {
    if (active_)
        fadeOut_(kBgmTrack, milliseconds);
}

void SoundPlayer::PlaySoundEffect(const std::string& name) { Play(kSoundTrack, name, 0); }

void SoundPlayer::StopSoundEffect() {
    if (active_)
        stop_(kSoundTrack);
}

void SoundPlayer::PlayMidi(const std::string& name) {
    StopMidi();
    std::optional<FileWindow> file = FindDataFile(novel_, name, files_);
    if (!file) {
        missing_(name, "");
        return;
    }
    std::filesystem::path path = file->path;
    if (file->length >= 0) { // the sequencer reads whole files only: a copy of the packed one
        try {
            if (scratch_.empty()) {
                scratch_ = std::filesystem::temp_directory_path() /
                           (L"MiravoRun-" + std::to_wstring(GetCurrentProcessId()));
                std::filesystem::create_directories(scratch_);
            }
            path = scratch_ / L"music.mid";
            const auto program = files_.OpenRead(novel_.programPath);
            const PackageEntry* entry = novel_.package->Find(name);
            WriteFileAtomically(path, ReadPackageEntry(*program, *novel_.package, *entry));
        } catch (const std::exception& error) {
            missing_(name, error.what());
            return;
        }
    }
    const std::wstring open = L"open \"" + path.wstring() + L"\" type sequencer alias novelmidi";
    // Only a file the sequencer rejects is told of: a machine without one plays no MIDI at all.
    if (const MCIERROR error = mciSendStringW(open.c_str(), nullptr, 0, nullptr); error != 0) {
        if (error == MCIERR_INVALID_FILE)
            missing_(name, "not a MIDI file the sequencer can play");
        return;
    }
    midiOpen_ = true;
    mciSendStringW(L"play novelmidi", nullptr, 0, nullptr);
}

void SoundPlayer::StopMidi() {
    if (!midiOpen_)
        return;
    mciSendStringW(L"stop novelmidi", nullptr, 0, nullptr);
    mciSendStringW(L"close novelmidi", nullptr, 0, nullptr);
    midiOpen_ = false;
}

} // namespace miravo::runtime
