#include "editor/shell/CommandTable.h"

namespace miravo {

void CommandTable::Add(int id, Action action, Predicate enabled) {
    commands_[id] = {std::move(action), std::move(enabled)};
}

void CommandTable::SetAction(int id, Action action) { commands_[id].action = std::move(action); }

bool CommandTable::IsEnabled(int id) const {
    const auto found = commands_.find(id);
    return found != commands_.end() && found->second.action &&
           (!found->second.enabled || found->second.enabled());
}

bool CommandTable::Run(int id) const {
    if (!IsEnabled(id)) {
        return false;
    }
    // A copy: the action may replace its own entry.
    const Action action = commands_.at(id).action;
    action();
    return true;
}

} // namespace miravo
