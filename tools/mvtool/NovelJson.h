#pragma once

#include "novel/EditorError.h"
#include "novel/NovelData.h"

#include <functional>
#include <string>
#include <string_view>

// A lossless JSON form of a novel, for keeping novels in version control. Keys are the model's
// field names; strings are UTF-8, and a byte that is no Shift-JIS character is written as the
// escape "\udcXX" (XX the byte) and read back as that byte.
namespace miravo {

// Bad JSON or a value that the novel cannot hold; the message starts with the offending path
// (e.g. "items[3].Links[8]: ...").
class JsonFormError : public EditorError {
public:
    using EditorError::EditorError;
};

// Pretty-printed, fields in model order, ending with a line break; the same model always gives
// the same bytes. WriteNovelJson hands the text to `sink` in pieces as it goes, so that a large
// novel is never held as a whole document.
using JsonSink = std::function<void(std::string_view piece)>;
void WriteNovelJson(const CNovelModel& model, const JsonSink& sink);
std::string NovelToJson(const CNovelModel& model);

// Fills `model` (reset first) only when the whole text is valid; raises JsonFormError otherwise
// and leaves `model` as it was.
void NovelFromJson(std::string_view json, CNovelModel& model);

} // namespace miravo
