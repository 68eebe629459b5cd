#pragma once

#include <string>

namespace miravo {

// What loading a novel has to tell the person who opened it, in the order it happens (the
// old-format notice comes before a read error that follows it). The core asks nothing of a
// user: the editor shows each notice in a message box, mvtool prints it. Texts are UTF-8.
enum class NoticeKind {
    Information, // the file is loaded; the author should know something about it
    Refusal,     // the file is not loaded (wrong kind, too new)
    ReadError,   // reading stopped (damaged, or a table over its limit); what was read is kept.
                 // The text is the error's message; there is no caption of its own.
};

struct LoadNotice {
    std::string text;
    std::string caption;
    NoticeKind kind = NoticeKind::Information;
};

class ILoadNotices {
public:
    virtual ~ILoadNotices() = default;
    virtual void Notice(const LoadNotice& notice) = 0;
};

} // namespace miravo
