#pragma once

#include "editor/shell/UserInteraction.h"

#include <deque>
#include <filesystem>
#include <functional>
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
    std::vector<std::uint32_t> colorDialogs; // the initial colour of each
    std::deque<std::optional<std::uint32_t>> colorAnswers;
    std::vector<ReplaceQuestion> replaceQuestions;
    std::deque<ReplaceAnswer> replaceAnswers; // none left: Cancel

    // Called as each message appears, e.g. to see what is on screen then.
    std::function<void(const MessageRequest&)> onMessage;

    MessageResult ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (onMessage) {
            onMessage(request);
        }
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

    std::optional<std::uint32_t> AskColor(std::uint32_t initial) override {
        colorDialogs.push_back(initial);
        return Next(colorAnswers);
    }

    ReplaceAnswer AskReplace(const ReplaceQuestion& question) override {
        replaceQuestions.push_back(question);
        if (replaceAnswers.empty()) {
            return ReplaceAnswer::Cancel;
        }
        const ReplaceAnswer answer = replaceAnswers.front();
        replaceAnswers.pop_front();
        return answer;
    }

private:
    template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace miravo::test
