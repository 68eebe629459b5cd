#pragma once

#include "novel/BuildFileSystem.h"

#include <algorithm>
#include <string>
#include <string_view>

// Files in memory: the package reader over bytes (fuzzing, tests) and writing into a string.
namespace miravo {

class MemoryInputFile : public IInputFile {
public:
    explicit MemoryInputFile(std::string_view bytes) : bytes_(bytes) {}
    std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
    void Seek(std::int64_t position) override {
        position_ = static_cast<std::size_t>(std::clamp<std::int64_t>(position, 0, Size()));
    }
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t got = std::min(size, bytes_.size() - position_);
        std::copy_n(bytes_.data() + position_, got, buffer);
        position_ += got;
        return got;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

class MemoryOutputFile : public IOutputFile {
public:
    void Write(const char* data, std::size_t size) override { bytes_.append(data, size); }
    std::int64_t Position() override { return static_cast<std::int64_t>(bytes_.size()); }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

} // namespace miravo
