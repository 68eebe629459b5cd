#pragma once

#include "editor/shell/Settings.h"

#include <string>

namespace miravo {

// The settings file through the Windows profile-file functions (the W ones). Before the first
// write the file is made a UTF-16 file (byte-order mark; an existing ANSI file is converted once
// with the code page it was written in), so that paths with Japanese names survive a restart on
// any system code page: the profile functions would otherwise store them in the ANSI code page
// and lose every character it lacks.
class IniProfileFile : public IProfileFile {
public:
    explicit IniProfileFile(std::wstring path);

    const std::wstring& Path() const { return path_; }

    std::optional<std::u16string> ReadString(std::string_view section,
                                             std::string_view key) const override;
    // Raise FileWriteError when the file cannot be written (a read-only folder, a full disk).
    void WriteString(std::string_view section, std::string_view key,
                     std::u16string_view value) override;
    void EraseSection(std::string_view section) override;

private:
    void PrepareForWriting();

    std::wstring path_;
    bool preparedForWriting_ = false;
};

// programFolder (with or without a trailing separator) + "MiravoEditor.ini".
std::wstring SettingsFilePath(std::wstring programFolder);

} // namespace miravo
