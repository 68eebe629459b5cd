#pragma once

#include <functional>
#include <map>

namespace miravo {

// The editor's commands by id: what each does and when it can run. Menus, accelerators and tool
// buttons carry only the id. The main window declares every command with its predicate over the
// document state; the window that carries out a command gives its action once it exists (a
// command without an action is never enabled). The update pass (WM_INITMENUPOPUP for menus, the
// idle message loop for tool buttons) asks IsEnabled; WM_COMMAND goes through Run, so a
// disabled command does nothing whichever way it arrives. Items of a menu merged into the main
// menu (the text editor's "編集(&E)") are commands of this table like any other.
class CommandTable {
public:
    using Action = std::function<void()>;
    using Predicate = std::function<bool()>;

    // Declares or replaces a command. An empty predicate: enabled whenever it has an action.
    void Add(int id, Action action, Predicate enabled = {});
    // Gives a declared command its action (the window that carries it has just been created);
    // an undeclared id is added, enabled whenever it has an action.
    void SetAction(int id, Action action);

    bool Has(int id) const { return commands_.contains(id); }
    bool IsEnabled(int id) const;
    // Runs an enabled command; false when the id is unknown or the command is disabled.
    bool Run(int id) const;

private:
    struct Command {
        Action action;
        Predicate enabled;
    };
    std::map<int, Command> commands_;
};

} // namespace miravo
