#pragma once

#include "novel/BuildFileSystem.h"
#include "novel/ExeBuild.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miravo::test {

// The smallest Windows program image the package reader accepts: DOS header, PE signature, one
// section of `sectionSize` bytes at 512, optionally a COFF symbol table after it. Stands in for
// the runtime.
inline std::string FakeProgramImage(std::uint32_t sectionSize = 100, bool symbols = false) {
    std::string image = std::string(512, '\0') + std::string(sectionSize, '\x90');
    auto put = [&image](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            image[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
    };
    image.replace(0, 2, "MZ");
    put(0x3C, 64, 4);
    image.replace(64, 4, std::string("PE\0\0", 4));
    put(64 + 6, 1, 2);  // one section
    put(64 + 20, 0, 2); // no optional header
    put(88 + 16, sectionSize, 4);
    put(88 + 20, 512, 4);
    if (symbols) { // 2 symbols of 18 bytes, then a string table of 10 bytes
        put(64 + 12, 512 + sectionSize, 4);
        put(64 + 16, 2, 4);
        image += std::string(36, 's');
        image += std::string("\x0A\0\0\0abcdef", 10);
    }
    return image;
}

// Records what a build shows.
class RecordingBuildView : public IExeBuildView {
public:
    void SetProgress(int position, int maximum) override {
        progress.push_back(position);
        this->maximum = maximum;
    }
    void SetDescription(const std::string& text) override { description = text; }
    void Log(const std::string& line) override { log.push_back(line); }
    void ProcessMessages() override { ++pumps; }
    void ShowError(const std::string& message) override { errors.push_back(message); }

    bool Logged(const std::string& line) const {
        for (const std::string& entry : log)
            if (entry == line)
                return true;
        return false;
    }

    std::vector<int> progress;
    int maximum = 0;
    std::string description;
    std::vector<std::string> log;
    int pumps = 0;
    std::vector<std::string> errors;
};

} // namespace miravo::test
