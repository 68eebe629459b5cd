#include "editor/shell/SettingsIniFile.h"

#include "novel/EditorError.h"
#include "vintara/Win32.h"

#include <memory>
#include <vector>

namespace miravo {

namespace {

constexpr char kWriteFailed[] = "設定ファイル MiravoEditor.ini に書き込めません.";

// Returned for an absent key: no ini value can hold these control characters.
constexpr wchar_t kAbsent[] = L"\x1F\x1E\x1F";

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD creation) {
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool ReadWholeFile(const std::wstring& path, std::vector<char>& bytes) {
    FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 16 * 1024 * 1024)
        return false;
    bytes.resize(std::size_t(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool WriteWholeFile(const std::wstring& path, const std::wstring& text) {
    FileHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file)
        return false;
    const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    if (!WriteFile(file.get(), bom, 2, &written, nullptr) || written != 2)
        return false;
    DWORD size = DWORD(text.size() * sizeof(wchar_t));
    return size == 0 || (WriteFile(file.get(), text.data(), size, &written, nullptr) &&
                         written == size && FlushFileBuffers(file.get()));
}

// The text of an ini file that has no UTF-16 byte-order mark, decoded the way the profile
// functions read it: UTF-8 after its byte-order mark, else the ANSI code page.
std::wstring DecodeNarrowFile(const std::vector<char>& bytes) {
    UINT codePage = CP_ACP;
    std::size_t start = 0;
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB &&
        static_cast<unsigned char>(bytes[2]) == 0xBF) {
        codePage = CP_UTF8;
        start = 3;
    }
    int length = int(bytes.size() - start);
    if (length == 0)
        return {};
    int wideLength = MultiByteToWideChar(codePage, 0, bytes.data() + start, length, nullptr, 0);
    std::wstring text(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data() + start, length, text.data(), wideLength);
    return text;
}

bool IsUtf16File(const std::vector<char>& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

} // namespace

IniProfileFile::IniProfileFile(std::wstring path) : path_(std::move(path)) {}

std::optional<std::u16string> IniProfileFile::ReadString(std::string_view section,
                                                         std::string_view key) const {
    const std::wstring wideSection = Wide(section);
    const std::wstring wideKey = Wide(key);
    // The function cuts a value that does not fit and returns size - 1 then: grow and ask again.
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), kAbsent,
                                                buffer.data(), DWORD(buffer.size()), path_.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 1u << 20) {
            std::wstring value(buffer.data(), length);
            if (value == kAbsent)
                return std::nullopt;
            return std::u16string(value.begin(), value.end());
        }
        buffer.resize(buffer.size() * 4);
    }
}

void IniProfileFile::WriteString(std::string_view section, std::string_view key,
                                 std::u16string_view value) {
    PrepareForWriting();
    if (!WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                    path_.c_str()))
        throw FileWriteError(kWriteFailed);
}

void IniProfileFile::EraseSection(std::string_view section) {
    PrepareForWriting();
    // Erasing a section that is not there is not a failure; a file that cannot be written shows
    // at the next WriteString.
    WritePrivateProfileStringW(Wide(section).c_str(), nullptr, nullptr, path_.c_str());
}

void IniProfileFile::PrepareForWriting() {
    if (preparedForWriting_)
        return;
    std::vector<char> bytes;
    if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!WriteWholeFile(path_, L""))
            throw FileWriteError(kWriteFailed);
    } else if (ReadWholeFile(path_, bytes) && !IsUtf16File(bytes)) {
        // Written through a temporary file so that a failed conversion leaves the old file.
        const std::wstring temporary = path_ + L".tmp";
        if (!WriteWholeFile(temporary, DecodeNarrowFile(bytes)) ||
            !MoveFileExW(temporary.c_str(), path_.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileW(temporary.c_str());
            throw FileWriteError(kWriteFailed);
        }
    }
    preparedForWriting_ = true;
}

std::wstring SettingsFilePath(std::wstring programFolder) {
    if (!programFolder.empty() && programFolder.back() != L'\\' && programFolder.back() != L'/')
        programFolder += L'\\';
    return programFolder + std::wstring(kSettingsFileName.begin(), kSettingsFileName.end());
}

} // namespace miravo
