#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace vintara {

class IStream;

// Failures the library swallows are written here. Nothing is attached by default and the echo
// flag is off, so the log has no visible effect unless a host or a test attaches a sink.
class CDiagnosticLog {
public:
    void SetSink(IStream* sink);
    void SetEcho(bool echo);
    void Write(std::string_view line);

private:
    std::mutex mutex_;
    IStream* sink_ = nullptr;
    bool echo_ = false;
};

CDiagnosticLog& DiagnosticLog();

// "ERROR: \n\t<text>\n\t<unit>(<line>)\n"
std::string FormatFailureLine(std::string_view text, std::string_view unit, int line);
// "DirectX Error: 0x%08X" as the text of a failure line.
std::string FormatDirectXFailure(long result, std::string_view unit, int line);
// "ERROR: <message>\n"
std::string FormatErrorLine(std::string_view message);

#ifdef _WIN32
// Logs GetLastError()'s system text; keeps the last-error value intact for the caller.
void LogWin32Failure(const char* unit, int line);
#define VINTARA_LOG_WIN32_FAILURE() ::vintara::LogWin32Failure(__FILE__, __LINE__)
#endif

} // namespace vintara
