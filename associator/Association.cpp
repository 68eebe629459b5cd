#include "associator/Association.h"

#include "vintara/Text.h"

namespace vintara {
namespace {

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }

// Index just after the last path separator (or drive colon), stepping over double-byte
// characters whose second byte may be 0x5C; 0 when there is none.
std::size_t FolderLength(const std::string& path) {
    std::size_t folderLength = 0;
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(byte) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        ++i;
        if (byte == '\\' || byte == '/' || byte == ':')
            folderLength = i;
    }
    return folderLength;
}

void WriteDefault(CRegistry& registry, const std::string& key, const std::string& value) {
    registry.OpenKey(HKEY_CLASSES_ROOT, key, true);
    registry.WriteString("", value);
    registry.CloseKey();
}

} // namespace

std::string EditorPathBeside(const std::string& toolPath) {
    std::string folder = toolPath.substr(0, FolderLength(toolPath));
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder + "Miravo.exe";
}

void RegisterNovelFileType(CRegistry& registry, const std::string& editorPath) {
    WriteDefault(registry, ".mve", "Miravo_mve");
    WriteDefault(registry, "Miravo_mve", Utf8ToAnsi("Miravo 編集用ファイル"));
    WriteDefault(registry, "Miravo_mve\\DefaultIcon", editorPath + ",1");
    WriteDefault(registry, "Miravo_mve\\Shell\\open\\command", "\"" + editorPath + "\" \"%1\"");
}

std::string ErrorBoxText(const EException& error) {
    const std::string unknown = Utf8ToAnsi("不明");
    auto orUnknown = [&](std::string text) { return text.empty() ? unknown : text; };
    return Utf8ToAnsi("アプリケーション例外が発生しました.\n実行を中止します.\n\n詳細: ") +
           orUnknown(error.GetMessage()) + Utf8ToAnsi("\n\n例外: ") +
           orUnknown(ClassNameOf(error)) + Utf8ToAnsi("\n発生元: ") + orUnknown(error.GetSource());
}

std::string ProgramTitle(const std::string& programPath) {
    std::string name = programPath.substr(FolderLength(programPath));
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

std::string LowerCaseAnsi(const std::string& text) {
    std::string lowered = text;
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        const auto byte = static_cast<unsigned char>(lowered[i]);
        if (IsLeadByte(byte))
            ++i;
        else if (byte >= 'A' && byte <= 'Z')
            lowered[i] = char(byte - 'A' + 'a');
    }
    return lowered;
}

} // namespace vintara
