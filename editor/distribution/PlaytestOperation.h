#pragma once

#include "novel/PlaytestCommandLine.h"

#include <string>

namespace miravo {

class EditorSession;

// Starts a program without waiting for it. The editor's is WinExec; tests record.
class IProgramLauncher {
public:
    virtual ~IProgramLauncher() = default;
    // The command line is ANSI text (Shift-JIS). Returns what WinExec returns: above 31 when
    // the program started.
    virtual unsigned Start(const std::string& commandLine) = 0;
};

inline constexpr unsigned kFirstSuccessfulStart = 32;

// The playtest: the current item's edits stored, the novel written to the scratch file in the
// data folder (its file name and modified state untouched), then the runtime from the program
// folder started with the playtest command line. A start that fails is told in the failure box;
// the scratch file stays. A scratch file that cannot be written raises its write error and
// nothing is started. Returns the command line it started (or tried to).
std::string StartPlaytest(EditorSession& session, const PlaytestOptions& options,
                          IProgramLauncher& launcher);

} // namespace miravo
