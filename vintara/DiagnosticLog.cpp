#include "vintara/DiagnosticLog.h"

#include "vintara/Stream.h"

#include <cstdio>

namespace vintara {

void CDiagnosticLog::SetSink(IStream* sink) {
    std::lock_guard lock(mutex_);
    sink_ = sink;
}

void CDiagnosticLog::SetEcho(bool echo) {
    std::lock_guard lock(mutex_);
    echo_ = echo;
}

void CDiagnosticLog::Write(std::string_view line) {
    std::lock_guard lock(mutex_);
    if (sink_)
        sink_->Write(line.data(), int(line.size()));
    if (echo_)
        std::fwrite(line.data(), 1, line.size(), stdout);
}

CDiagnosticLog& DiagnosticLog() {
    static CDiagnosticLog log;
    return log;
}

std::string FormatFailureLine(std::string_view text, std::string_view unit, int line) {
    return "ERROR: \n\t" + std::string(text) + "\n\t" + std::string(unit) + "(" +
           std::to_string(line) + ")\n";
}

std::string FormatDirectXFailure(long result, std::string_view unit, int line) {
    char text[32];
    std::snprintf(text, sizeof text, "DirectX Error: 0x%08X", static_cast<unsigned>(result));
    return FormatFailureLine(text, unit, line);
}

std::string FormatErrorLine(std::string_view message) {
    return "ERROR: " + std::string(message) + "\n";
}

} // namespace vintara
