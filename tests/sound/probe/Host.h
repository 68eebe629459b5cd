#pragma once

#include "tools/mvplay/SoundLibrary.h"

#include <string>
#include <vector>

namespace probe {

// MVSound.mvx loaded and initialized as a host does it, with an error handler that keeps the
// reports.
class CHost {
public:
    bool Open(const std::string& library);
    ~CHost();

    mvplay::CSoundLibrary& Sound() { return library_; }
    void Finalize();
    bool Reinitialize();
    // Sleeps while handling the window's messages.
    void Sleep(double seconds);
    // Seconds until IsPlaying(track) is 0, polled every millisecond; -1 after `limit` seconds.
    double WaitUntilStopped(const char* track, double limit);
    static double Now();

    static std::vector<std::string>& Reports();

private:
    mvplay::CSoundLibrary library_;
    mvplay::CHiddenWindow window_;
    bool initialized_ = false;
};

// CPU time of the process so far.
double ProcessCpuSeconds();

} // namespace probe
