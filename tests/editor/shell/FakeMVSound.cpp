// Stand-ins for the sound engine, one build per way that loading it can fail. Each records the
// calls it receives, so that tests can see what the editor's binding did:
//   FAKE_REVISION              what MVSoundGetRevision reports (1 by default)
//   FAKE_INITIALIZE_RESULT     what MVSoundInitialize returns (1 by default)
//   FAKE_WITHOUT_GET_REVISION  leaves out MVSoundGetRevision
//   FAKE_WITHOUT_IS_PLAYING    leaves out MVSoundIsPlaying
#include "vintara/Win32.h"

#include <string>

#ifndef FAKE_REVISION
#define FAKE_REVISION 1
#endif
#ifndef FAKE_INITIALIZE_RESULT
#define FAKE_INITIALIZE_RESULT 1
#endif

#define FAKE_EXPORT extern "C" __declspec(dllexport)

namespace {

std::string& Log() {
    static std::string log;
    return log;
}

void Record(const std::string& call) { Log() += call + ";"; }

} // namespace

FAKE_EXPORT const char* FakeCallLog() { return Log().c_str(); }

#ifndef FAKE_WITHOUT_GET_REVISION
FAKE_EXPORT int MVSoundGetRevision() {
    Record("GetRevision");
    return FAKE_REVISION;
}
#endif

FAKE_EXPORT int MVSoundInitialize(HWND window) {
    Record(std::string("Initialize(") + (IsWindow(window) ? "window" : "no window") + ")");
    return FAKE_INITIALIZE_RESULT;
}

FAKE_EXPORT void MVSoundFinalize() { Record("Finalize"); }

FAKE_EXPORT void* MVSoundSetErrorHandler(void* handler) {
    Record("SetErrorHandler");
    return handler;
}

FAKE_EXPORT int MVSoundPlay(const char* track, const char* path, int fadeIn) {
    Record(std::string("Play(") + track + "|" + path + "|" + std::to_string(fadeIn) + ")");
    return 0; // as if the file could not be played: the editor does not look
}

FAKE_EXPORT int MVSoundPlayFromFilePartition(const char*, const char*, int, int, int) {
    Record("PlayFromFilePartition");
    return 0;
}

FAKE_EXPORT void MVSoundSetLooping(const char*, int) { Record("SetLooping"); }
FAKE_EXPORT void MVSoundSetVolume(const char*, int) { Record("SetVolume"); }
FAKE_EXPORT void MVSoundStop(const char* track) { Record(std::string("Stop(") + track + ")"); }
FAKE_EXPORT void MVSoundFadeOut(const char*, int) { Record("FadeOut"); }

#ifndef FAKE_WITHOUT_IS_PLAYING
FAKE_EXPORT int MVSoundIsPlaying(const char*) {
    Record("IsPlaying");
    return 0;
}
#endif
