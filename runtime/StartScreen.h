#pragma once

#include "novel/NovelData.h"

#include <string>

// What the first version of the player shows: the title, the start item's name and the first
// page of its story text. A real player replaces this with the script interpreter.
namespace miravo::runtime {

struct StartScreen {
    std::string title;     // Shift-JIS
    std::string itemName;  // the start item; the first item when the header names none found
    std::string firstPage; // story lines up to the first "@" or ".NextPage", CR LF between
};

StartScreen StartScreenOf(const CNovelModel& model);

} // namespace miravo::runtime
