#pragma once

// Files and windows for the tests under Wine.

#include "tests/sound/support/SoundSamples.h"
#include "vintara/Win32.h"

#include <string>

namespace soundtest {

// A file in the temp folder with the given bytes, removed afterwards.
class CTempFile {
public:
    explicit CTempFile(const Bytes& bytes, const char* prefix = "snd");
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A top-level window that is never shown.
class CTestWindow {
public:
    CTestWindow();
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

int ThreadsOfThisProcess();
int HandlesOfThisProcess();

} // namespace soundtest
