#pragma once

#include <string>

namespace miravo {

// Everything an operation asks the user modally goes through this one interface, so that
// document operations stay testable without windows: the editor installs an implementation on
// real message boxes and common dialogs; tests install a scripted answerer that records what
// was asked. Texts are UTF-8 (the Win32 implementation converts them for the W interfaces).

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // Closing the box counts as Cancel (or No when there is no Cancel button).
    virtual MessageResult ShowMessage(const MessageRequest& request) = 0;
};

} // namespace miravo
