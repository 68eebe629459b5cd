#pragma once

#include "editor/shell/UserInteraction.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

namespace miravo::test {

// Answers what an operation asks, from a script, and records every question. A question that
// the script did not expect fails the test through the recorded list (Cancel is answered).
class ScriptedInteraction : public IUserInteraction {
public:
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> openDialogs;
    std::vector<FileDialogRequest> saveDialogs;
    std::deque<MessageResult> answers;
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;

    MessageResult ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (answers.empty()) {
            return request.buttons == MessageButtons::Ok ? MessageResult::Ok
                                                         : MessageResult::Cancel;
        }
        const MessageResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> AskOpenFile(const FileDialogRequest& request) override {
        openDialogs.push_back(request);
        return Next(openAnswers);
    }
    std::optional<std::filesystem::path> AskSaveFile(const FileDialogRequest& request) override {
        saveDialogs.push_back(request);
        return Next(saveAnswers);
    }

private:
    static std::optional<std::filesystem::path>
    Next(std::deque<std::optional<std::filesystem::path>>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace miravo::test
