#include "tests/sound/probe/Host.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace probe {

std::vector<std::string>& CHost::Reports() {
    static std::vector<std::string> reports;
    return reports;
}

namespace {

void __cdecl KeepReport(const char* report) {
    CHost::Reports().emplace_back(report);
    std::printf("report: %s\n", report);
}

} // namespace

bool CHost::Open(const std::string& library) {
    std::string error;
    if (!library_.Load(library, error)) {
        std::printf("%s\n", error.c_str());
        return false;
    }
    if (library_.GetRevision() != MVSOUND_REVISION)
        return false;
    library_.SetErrorHandler(KeepReport);
    initialized_ = library_.Initialize(window_.Handle()) != 0;
    if (!initialized_) {
        std::printf("MVSoundInitialize failed\n");
        return false;
    }
    // Let the output stream settle: its very first moments are not representative.
    Sleep(0.3);
    return true;
}

CHost::~CHost() { Finalize(); }

bool CHost::Reinitialize() {
    Finalize();
    initialized_ = library_.Initialize(window_.Handle()) != 0;
    return initialized_;
}

void CHost::Finalize() {
    if (initialized_)
        library_.Finalize();
    initialized_ = false;
}

double CHost::Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void CHost::Sleep(double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
        window_.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

double CHost::WaitUntilStopped(const char* track, double limit) {
    const double start = Now();
    while (library_.IsPlaying(track)) {
        if (Now() - start > limit)
            return -1;
        window_.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Now() - start;
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1;
    auto seconds = [](const FILETIME& time) {
        return (double(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

} // namespace probe
