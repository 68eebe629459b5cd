#pragma once

// The exported interface of MVSound.mvx, revision 1: eleven functions with C linkage and the C
// calling convention, exported by their plain names. Hosts load the library at run time and
// resolve these names (the Proc types); strings are zero-terminated ANSI (Shift-JIS) strings the
// caller owns. All calls come from one host thread.
//
// Unloading: a host calls MVSoundFinalize before FreeLibrary. Each playing or fading track's
// threads hold a reference on the library, so without it a library "unloaded" while a track
// plays stays loaded, and the track plays on, until its threads end: a non-looping track at its
// end, a looping one only with the process. Once no track plays the library unloads and
// releases every track and its engine; DirectSound itself, which MVSoundFinalize releases, then
// stays with the process. Nothing of this can be done from the unload itself: it runs under the
// loader lock, where no thread may be waited for.

#include "vintara/Win32.h"

#ifdef MVSOUND_BUILDING
#define MVSOUND_API __declspec(dllexport)
#else
#define MVSOUND_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define MVSOUND_REVISION 1

// Receives the error report (three lines: kind, source, message), valid during the call only.
typedef void(__cdecl* MVSoundErrorHandler)(const char* report);

MVSOUND_API int __cdecl MVSoundGetRevision(void);
MVSOUND_API int __cdecl MVSoundInitialize(HWND window);
MVSOUND_API void __cdecl MVSoundFinalize(void);
MVSOUND_API MVSoundErrorHandler __cdecl MVSoundSetErrorHandler(MVSoundErrorHandler handler);
MVSOUND_API int __cdecl MVSoundPlay(const char* track, const char* path, int fadeIn);
MVSOUND_API int __cdecl MVSoundPlayFromFilePartition(const char* track, const char* path,
                                                     int fadeIn, int offset, int length);
MVSOUND_API void __cdecl MVSoundStop(const char* track);
MVSOUND_API void __cdecl MVSoundFadeOut(const char* track, int fadeOut);
MVSOUND_API int __cdecl MVSoundIsPlaying(const char* track);
MVSOUND_API void __cdecl MVSoundSetLooping(const char* track, int looping);
MVSOUND_API void __cdecl MVSoundSetVolume(const char* track, int volume);

typedef int(__cdecl* MVSoundGetRevisionProc)(void);
typedef int(__cdecl* MVSoundInitializeProc)(HWND);
typedef void(__cdecl* MVSoundFinalizeProc)(void);
typedef MVSoundErrorHandler(__cdecl* MVSoundSetErrorHandlerProc)(MVSoundErrorHandler);
typedef int(__cdecl* MVSoundPlayProc)(const char*, const char*, int);
typedef int(__cdecl* MVSoundPlayFromFilePartitionProc)(const char*, const char*, int, int, int);
typedef void(__cdecl* MVSoundStopProc)(const char*);
typedef void(__cdecl* MVSoundFadeOutProc)(const char*, int);
typedef int(__cdecl* MVSoundIsPlayingProc)(const char*);
typedef void(__cdecl* MVSoundSetLoopingProc)(const char*, int);
typedef void(__cdecl* MVSoundSetVolumeProc)(const char*, int);

#ifdef __cplusplus
}
#endif
