#pragma once

#include "vintara/Win32.h"

// The sound engine's exports as the editor calls them: C calling convention, ANSI strings owned
// by the caller. The editor resolves them by name at run time and never links against the engine.
namespace miravo::mvsound {

// The interface revision the editor is built for.
inline constexpr int kRequiredRevision = 1;

extern "C" {
using GetRevisionFunction = int (*)();
using InitializeFunction = int (*)(HWND window);
using FinalizeFunction = void (*)();
using PlayFunction = int (*)(const char* track, const char* path, int fadeInTime);
using PlayFromFilePartitionFunction = int (*)(const char* track, const char* path, int fadeInTime,
                                              int offset, int length);
using SetLoopingFunction = void (*)(const char* track, int looping);
using SetVolumeFunction = void (*)(const char* track, int volume);
using StopFunction = void (*)(const char* track);
using FadeOutFunction = void (*)(const char* track, int fadeOutTime);
using IsPlayingFunction = int (*)(const char* track);
}

} // namespace miravo::mvsound
