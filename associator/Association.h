#pragma once

#include "associator/Registry.h"
#include "vintara/Exception.h"

#include <string>

namespace vintara {

// The editor's path beside the tool: drive and folder of `toolPath`, one backslash, "Miravo.exe".
std::string EditorPathBeside(const std::string& toolPath);

// Writes the four HKEY_CLASSES_ROOT entries that let a double click open a novel in the editor.
void RegisterNovelFileType(CRegistry& registry, const std::string& editorPath);

// The error box's text (Shift-JIS), "不明" for empty parts.
std::string ErrorBoxText(const EException& error);

// A program's file name without folder and extension: the caption of the tool's boxes.
std::string ProgramTitle(const std::string& programPath);

// ASCII letters lowered; double-byte characters stay whole.
std::string LowerCaseAnsi(const std::string& text);

} // namespace vintara
