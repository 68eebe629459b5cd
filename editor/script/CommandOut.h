#pragma once

#include <string>

// Where a command dialog writes its lines: the item text editor inserts them into the script;
// tests record them. Lines are Shift-JIS, without a line break.
namespace miravo {

class ICommandOut {
public:
    virtual ~ICommandOut() = default;
    virtual void CommandOut(const std::string& line) = 0;
};

} // namespace miravo
