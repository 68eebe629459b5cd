#pragma once

#include "novel/EditorError.h"

namespace miravo {

// A picture file that cannot be shown: damaged, of a kind we do not read, or too large. The
// message names the file and is final (UTF-8), like every editor error.
class PictureError : public EditorError {
public:
    using EditorError::EditorError;
};

} // namespace miravo
