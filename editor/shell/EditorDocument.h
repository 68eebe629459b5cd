#pragma once

#include "editor/chart/ChartGeometry.h"
#include "editor/shell/EditorState.h"

#include "MiravoVersion.h"

#include <filesystem>
#include <optional>
#include <string>

namespace miravo {

struct CNovelModel;
class IUserInteraction;

// The windows that show the document. The document operations call them at fixed moments; the
// main window implements this over its child windows, tests record the calls.
class IDocumentViews {
public:
    virtual ~IDocumentViews() = default;
    // The item text editor writes its edits into the current item / loads the current item.
    virtual void StoreToItem() = 0;
    virtual void ChangeText() = 0;
    // The chart takes the novel's chart size / drops its multi-selection / repaints.
    virtual void ResizeChart() = 0;
    virtual void EndMultiSelection() = 0;
    virtual void DrawChart() = 0;
    // The chart's scroll position, where new items are placed.
    virtual ChartPoint ChartScrollPosition() const = 0;
    // The settings window's counter and text-window lists follow the model.
    virtual void RefreshLists() = 0;
    // The window title and the novel title label.
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
// question before changes are dropped, the title, the text exports and the chart's new-item
// operation. Operations raise EditorError (or its file errors) with the message to show; the
// caller's default handler shows it.
class EditorDocument {
public:
    EditorDocument(CNovelModel& model, EditorState& state, IUserInteraction& ui,
                   IDocumentViews& views);

    CNovelModel& Model() { return model_; }
    IDocumentViews& Views() { return views_; }
    const EditorState& State() const { return state_; }
    EditorState& State() { return state_; }

    void SetModified();
    void ClearModified();
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
    // A novel file whatever its extension (the command line).
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

    // The chart's new-item operation; returns the new item's index, now current.
    int NewItem();
    // Makes item n current: the text editor stores the old one and loads n.
    void SelectItem(int index);

private:
    void AfterNamedSave(const std::filesystem::path& path);
    void WriteNovel(const std::filesystem::path& path);

    CNovelModel& model_;
    EditorState& state_;
    IUserInteraction& ui_;
    IDocumentViews& views_;
};

} // namespace miravo
