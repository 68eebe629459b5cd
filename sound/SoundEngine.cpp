#include "sound/SoundEngine.h"

#include "vintara/Exception.h"
#include "vintara/FileStream.h"
#include "vintara/Text.h"
#include "vintara/TypeName.h"

#include <exception>

namespace vintara {
namespace {

// Null strings from a host are taken as empty ones.
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

// The report of an exception from outside the library's family, in the same three lines.
std::string ForeignReport(const std::string& kind, const std::string& message) {
    const std::string unknown = Utf8ToAnsi("不明");
    return Utf8ToAnsi("例外: ") + (kind.empty() ? unknown : kind) + Utf8ToAnsi("\n発生元: ") +
           unknown + Utf8ToAnsi("\n詳細: ") + (message.empty() ? unknown : message);
}

} // namespace

template <class Result, class Body> Result CSoundEngine::Guarded(Result onFailure, Body body) {
    try {
        return body();
    } catch (const EException& error) {
        try {
            Report(ErrorReport(error));
        } catch (...) {
        }
    } catch (const std::exception& error) {
        try {
            Report(ForeignReport(ClassNameOf(error), error.what()));
        } catch (...) {
        }
    } catch (...) {
        try {
            Report(ForeignReport("", ""));
        } catch (...) {
        }
    }
    return onFailure;
}

void CSoundEngine::Report(const std::string& report) {
    if (!handler_)
        return;
    try {
        handler_(report.c_str());
    } catch (...) {
        // Whatever a host's handler throws stays on this side too.
    }
}

int CSoundEngine::Initialize(HWND window) {
    return Guarded(0, [&] {
        device_.SetWindow(window);
        device_.SetSoftwareBuffers(true);
        if (!device_.Initialize())
            throw EException(device_, device_.Failure());
        return 1;
    });
}

void CSoundEngine::Finalize() {
    Guarded(0, [&] {
        tracks_.Clear();
        device_.Finalize();
        return 0;
    });
}

MVSoundErrorHandler CSoundEngine::SetErrorHandler(MVSoundErrorHandler handler) {
    handler_ = handler;
    return handler;
}

int CSoundEngine::PlayOnTrack(const std::string& name,
                              const std::function<std::unique_ptr<IStream>()>& open, int fadeIn) {
    if (!device_.IsInitialized())
        throw EException(device_, Utf8ToAnsi("サウンドデバイスが初期化されていません."));
    // The call's own stream, closed on return; the sound keeps a clone of it.
    const std::unique_ptr<IStream> stream = open();
    auto* track = tracks_.Get(name);
    track->sound.Create(device_, *stream);
    tracks_.ApplyVolume(name);
    if (fadeIn <= 0)
        track->sound.Play();
    else
        track->sound.FadeIn(fadeIn);
    return 1;
}

int CSoundEngine::Play(const char* track, const char* path, int fadeIn) {
    return Guarded(0, [&] {
        return PlayOnTrack(
            Text(track),
            [&] { return std::make_unique<CFileStream>(Text(path), kAccessRead, kShareRead); },
            fadeIn);
    });
}

int CSoundEngine::PlayFromFilePartition(const char* track, const char* path, int fadeIn, int offset,
                                        int length) {
    return Guarded(0, [&] {
        return PlayOnTrack(
            Text(track),
            [&] {
                return std::make_unique<CFilePartitionStream>(offset, length, Text(path),
                                                              kAccessRead, kShareRead);
            },
            fadeIn);
    });
}

void CSoundEngine::Stop(const char* track) {
    Guarded(0, [&] {
        tracks_.Get(Text(track))->sound.Stop();
        return 0;
    });
}

void CSoundEngine::FadeOut(const char* track, int milliseconds) {
    Guarded(0, [&] {
        auto& sound = tracks_.Get(Text(track))->sound;
        try {
            sound.FadeOut(milliseconds);
        } catch (...) {
            // No thread for the fade: the host asked for the sound to end, so it ends now.
            sound.Stop();
            throw;
        }
        return 0;
    });
}

int CSoundEngine::IsPlaying(const char* track) {
    return Guarded(0, [&] { return tracks_.Get(Text(track))->sound.IsPlaying() ? 1 : 0; });
}

void CSoundEngine::SetLooping(const char* track, int looping) {
    Guarded(0, [&] {
        tracks_.Get(Text(track))->sound.SetLooping(looping != 0);
        return 0;
    });
}

void CSoundEngine::ReleaseForUnload() {
    try {
        tracks_.ClearAfterThreadsEnded();
    } catch (...) {
    }
    device_.Abandon();
}

void CSoundEngine::SetVolume(const char* track, int volume) {
    Guarded(0, [&] {
        tracks_.SetVolume(Text(track), volume);
        return 0;
    });
}

} // namespace vintara
