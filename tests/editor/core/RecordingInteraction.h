#pragma once

#include "editor/UserInteraction.h"

#include <vector>

namespace miravo::test {

// Answers every message box with OK and remembers what was shown.
class RecordingInteraction : public IUserInteraction {
public:
    MessageResult ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return MessageResult::Ok;
    }

    std::vector<MessageRequest> messages;
};

} // namespace miravo::test
