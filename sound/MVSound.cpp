// MVSound.mvx: the exported functions over the process-wide engine.
#include "sound/MVSound.h"

#include "sound/SoundEngine.h"

#include <new>

namespace {

// Made when the library is loaded and destroyed when it is unloaded.
vintara::CSoundEngine* engine = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        engine = new (std::nothrow) vintara::CSoundEngine;
        return engine != nullptr;
    case DLL_PROCESS_DETACH:
        // FreeLibrary. Every thread of ours holds a reference on this module up to its last
        // instruction here, so none runs our code any more: after MVSoundFinalize the engine
        // holds nothing, and without it the tracks are released without waiting for a thread
        // (nothing may be waited for under the loader lock) and DirectSound is left to the
        // process (releasing it waits for its mixing thread, whose end needs that lock).
        if (reserved == nullptr && engine) {
            engine->ReleaseForUnload();
            delete engine;
        }
        // When the process is ending (reserved set) its other threads are already gone, perhaps
        // holding locks, and the system takes everything back: nothing is touched.
        engine = nullptr;
        break;
    default: break;
    }
    return TRUE;
}

extern "C" {

int __cdecl MVSoundGetRevision(void) { return MVSOUND_REVISION; }

int __cdecl MVSoundInitialize(HWND window) { return engine->Initialize(window); }

void __cdecl MVSoundFinalize(void) { engine->Finalize(); }

MVSoundErrorHandler __cdecl MVSoundSetErrorHandler(MVSoundErrorHandler handler) {
    return engine->SetErrorHandler(handler);
}

int __cdecl MVSoundPlay(const char* track, const char* path, int fadeIn) {
    return engine->Play(track, path, fadeIn);
}

int __cdecl MVSoundPlayFromFilePartition(const char* track, const char* path, int fadeIn,
                                         int offset, int length) {
    return engine->PlayFromFilePartition(track, path, fadeIn, offset, length);
}

void __cdecl MVSoundStop(const char* track) { engine->Stop(track); }

void __cdecl MVSoundFadeOut(const char* track, int fadeOut) { engine->FadeOut(track, fadeOut); }

int __cdecl MVSoundIsPlaying(const char* track) { return engine->IsPlaying(track); }

void __cdecl MVSoundSetLooping(const char* track, int looping) {
    engine->SetLooping(track, looping);
}

void __cdecl MVSoundSetVolume(const char* track, int volume) { engine->SetVolume(track, volume); }

} // extern "C"
