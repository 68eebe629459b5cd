#include "vintara/Exception.h"

#include "vintara/Text.h"

namespace vintara {

std::string ErrorReport(const EException& error) {
    const std::string unknown = Utf8ToAnsi("不明");
    auto orUnknown = [&](std::string text) { return text.empty() ? unknown : text; };
    return Utf8ToAnsi("例外: ") + orUnknown(ClassNameOf(error)) + Utf8ToAnsi("\n発生元: ") +
           orUnknown(error.GetSource()) + Utf8ToAnsi("\n詳細: ") + orUnknown(error.GetMessage());
}

} // namespace vintara
