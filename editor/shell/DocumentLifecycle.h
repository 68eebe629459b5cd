#pragma once

#include "editor/shell/UiText.h"

#include "MiravoVersion.h"

#include <filesystem>
#include <optional>
#include <string>

namespace miravo {

struct CNovelModel;
class EditorSession;

// The window title and the novel title label.
class ITitleView {
public:
    virtual ~ITitleView() = default;
    virtual void UpdateTitle() = 0;
};

// Version of this editor as its title and about box show it.
inline constexpr int kMajorVersion = MIRAVO_VERSION_MAJOR;
inline constexpr int kMinorVersion = MIRAVO_VERSION_MINOR;
std::string VersionText(); // "R.9.7"

// UTF-8 names of the document.
inline constexpr const char* kUntitledName = "無題";
inline constexpr const char* kScratchFileName = "$testplay.tmp";

// The two text exports.
enum class TextExportKind { Script, PlainText };

// The document lifecycle over the model and the editor state: new, open, save, save as, the
// question before changes are dropped, the title and the text exports. Operations raise
// EditorError (or its file errors) with the message to show; the caller's default handler shows
// it.
class DocumentLifecycle {
public:
    explicit DocumentLifecycle(EditorSession& session);

    // File name, " *" when modified, " - Miravo ", version.
    std::string WindowTitle() const;

    void NewNovel();
    // Asks about unsaved changes; true when the caller may drop the document.
    bool CheckSave();

    // "開く": the save question, the open dialog, then the chosen file by its extension.
    void OpenWithDialog();
    // A new novel, then ".mve" as a novel file and ".mvw" as an alpha-1 file, in any letter case;
    // any other extension leaves the new novel.
    void OpenByExtension(const std::filesystem::path& path);
    // A novel file whatever its extension (the command line). The file is read into a model of
    // its own: the document changes only once the file was read and every window shows it, and
    // otherwise it is a new novel, so that a failed open can never be saved over the file.
    void OpenNovelFile(const std::filesystem::path& path);
    void OpenAlphaFile(const std::filesystem::path& path);
    // A recent file: the save question, then as OpenByExtension.
    void OpenRecentFile(const std::filesystem::path& path);

    // "上書き保存": save-as while the novel has no file name.
    void Save();
    // True when the file was saved, false when the dialog was cancelled.
    bool SaveAs();

    void ExportText(TextExportKind kind);
    // The chart picture's file, asked in the novel folder; nothing when cancelled.
    std::optional<std::filesystem::path> AskChartBitmapFile();

private:
    // How an opened file names the document.
    struct OpenedFile {
        std::filesystem::path currentFilePath;
        std::filesystem::path novelFolder;
        bool remember = true;     // a recent file
        bool refreshLists = true; // the counter and text-window lists
        bool named = true;        // false: untitled, so that a save asks for a name
    };
    // The read model becomes the document and every window shows it; a window that cannot show
    // it leaves a new novel and its error.
    void TakeOpenedNovel(CNovelModel&& loaded, const OpenedFile& file);
    void AfterNamedSave(const std::filesystem::path& path);
    void WriteNovel(const std::filesystem::path& path);

    EditorSession& session_;
};

} // namespace miravo
