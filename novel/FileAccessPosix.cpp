#include "novel/FileAccessPlatform.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace miravo::platform {
namespace {

class PosixOutputFile : public OutputFile {
public:
    explicit PosixOutputFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixOutputFile() override {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }

    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t written = ::write(descriptor_, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool FlushAndClose() override {
        const bool synced = ::fsync(descriptor_) == 0;
        const bool closed = ::close(descriptor_) == 0;
        descriptor_ = -1;
        return synced && closed;
    }

private:
    int descriptor_;
};

} // namespace

std::unique_ptr<OutputFile> CreateNewFile(const std::filesystem::path& path, CreateResult& result) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        result = errno == EEXIST ? CreateResult::AlreadyExists : CreateResult::Failed;
        return nullptr;
    }
    result = CreateResult::Created;
    return std::make_unique<PosixOutputFile>(descriptor);
}

namespace {

class PosixInputFile : public InputFile {
public:
    PosixInputFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    ~PosixInputFile() override { ::close(descriptor_); }

    std::uint64_t Size() const override { return size_; }

    bool ReadInto(std::string& out, std::size_t count) override {
        char buffer[1 << 16];
        while (count > 0) {
            const ssize_t got = ::read(descriptor_, buffer, std::min(count, sizeof buffer));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                break;
            out.append(buffer, static_cast<std::size_t>(got));
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int descriptor_;
    std::uint64_t size_;
};

} // namespace

std::unique_ptr<InputFile> OpenInputFile(const std::filesystem::path& path, bool) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return std::make_unique<PosixInputFile>(descriptor, static_cast<std::uint64_t>(status.st_size));
}

namespace {

std::uint32_t SystemRename(const std::filesystem::path& target,
                           const std::filesystem::path& replacement) {
    return ::rename(replacement.c_str(), target.c_str()) == 0 ? 0
                                                              : static_cast<std::uint32_t>(errno);
}

std::uint32_t Unused(const std::filesystem::path&, const std::filesystem::path&) { return EINVAL; }

} // namespace

const ReplaceCalls& SystemReplaceCalls() {
    static const ReplaceCalls calls{&SystemRename, &Unused};
    return calls;
}

ReplaceResult ReplaceTarget(const std::filesystem::path& replacement,
                            const std::filesystem::path& target, const ReplaceCalls& calls) {
    // Keep the permissions of the file being replaced.
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0)
        ::chmod(replacement.c_str(), status.st_mode & 07777);
    // A rename either happens whole or leaves the target as it was.
    if (calls.replaceFile(target, replacement) != 0)
        return ReplaceResult::TargetIntact;
    // Make the new directory entry itself durable.
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return ReplaceResult::Replaced;
}

void RemoveFileQuietly(const std::filesystem::path& path) { ::unlink(path.c_str()); }

} // namespace miravo::platform
