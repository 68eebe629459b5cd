#pragma once

#include "novel/LoadNotices.h"

#include <vector>

namespace miravo::test {

// Remembers every notice that loading gave.
class RecordingInteraction : public ILoadNotices {
public:
    void Notice(const LoadNotice& notice) override { messages.push_back(notice); }

    std::vector<LoadNotice> messages;
};

} // namespace miravo::test
