#pragma once

#include "runtime/ScriptPlayer.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// "/auto:<choices>": a play without a reader. Clicks and waits pass at once; each menu takes
// the next listed choice (1-based, as the menu numbers them) and, once the list is used up or a
// number is not offered, the first.
namespace miravo::runtime {

// "2,1,3" -> {2, 1, 3}; words that are not numbers are left out.
std::vector<int> ParseAutoChoices(std::string_view text);

struct AutoPlayResult {
    int pages = 0; // clicks answered
    int menus = 0;
    bool ended = false; // reached an ending (false: the step limit stopped it)
};

// Plays from the start item (a new play, unless `started`) to an ending, at most `maxStops`
// stops.
AutoPlayResult AutoPlay(ScriptPlayer& player, const std::vector<int>& choices,
                        std::size_t maxStops = 1000000, bool started = false);

} // namespace miravo::runtime

namespace miravo {
struct CNovelModel;
}

namespace miravo::runtime {

struct SaveData;

// The whole "/auto" run of a program: the title screen, one play from its start, and back to
// the title; the trace of it ("Title: <title>" before and after the play).
struct AutoRun {
    std::string trace; // UTF-8 lines
    bool ended = false;
};
// With `saves`, the play starts with the counters they carry and leaves its own in them.
AutoRun RunAutomatically(const CNovelModel& model, std::string_view choices,
                         RandomSource random = DefaultRandomSource(), SaveData* saves = nullptr);

} // namespace miravo::runtime
