#include "editor/shell/DocumentLifecycle.h"

#include "editor/shell/UserInteraction.h"
#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelData.h"
#include "novel/NovelDocument.h"
#include "novel/NovelExport.h"
#include "novel/ShiftJis.h"

namespace miravo {

namespace fs = std::filesystem;

namespace {

constexpr int kNewChartWidth = 1000;
constexpr int kNewChartHeight = 1200;

const char* const kNovelFilter = "編集用ノベルファイル (*.mve)|*.mve";
const char* const kOpenFilter =
    "編集用ノベルファイル (*.mve)|*.mve|α１ノベルファイル (*.mvw)|*.mvw";
const char* const kTextFilter = "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*";
const char* const kBitmapFilter = "ビットマップファイル(*.bmp)|*.bmp|すべてのファイル(*.*)|*.*";

std::string LowerExtension(const fs::path& path) {
    return sjis::AsciiLower(PathToUtf8(path.extension()));
}

// Loading notices become the boxes the author sees, in the order loading gives them.
class NoticeBoxes : public ILoadNotices {
public:
    explicit NoticeBoxes(IUserInteraction& ui) : ui_(ui) {}
    void Notice(const LoadNotice& notice) override {
        ui_.ShowMessage({.text = notice.text,
                         .caption = notice.caption,
                         .buttons = MessageButtons::Ok,
                         .icon = notice.kind == NoticeKind::Refusal ? MessageIcon::Error
                                                                    : MessageIcon::Information});
    }

private:
    IUserInteraction& ui_;
};

} // namespace

std::string VersionText() {
    return "R." + std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

EditorDocument::EditorDocument(CNovelModel& model, EditorState& state, IUserInteraction& ui,
                               IDocumentViews& views)
    : model_(model), state_(state), ui_(ui), views_(views) {}

void EditorDocument::SetModified() {
    state_.modified = true;
    views_.UpdateTitle();
}

void EditorDocument::ClearModified() {
    state_.modified = false;
    views_.UpdateTitle();
}

std::string EditorDocument::WindowTitle() const {
    std::string title = PathToUtf8(state_.currentFilePath.filename());
    if (state_.modified) {
        title += " *";
    }
    return title + " - Miravo " + VersionText();
}

void EditorDocument::NewNovel() {
    model_.Reset();
    state_.newNames = {};
    state_.currentFilePath = PathFromUtf8(kUntitledName);
    state_.hasFileName = false;
    model_.Header.ChartWidth = kNewChartWidth;
    model_.Header.ChartHeight = kNewChartHeight;
    views_.ResizeChart();
    views_.EndMultiSelection();
    NewItem();
    views_.DrawChart();
    views_.ChangeText();
    views_.RefreshLists();
    ClearModified();
}

bool EditorDocument::CheckSave() {
    if (!state_.modified) {
        return true;
    }
    const MessageResult answer =
        ui_.ShowMessage({.text = PathToUtf8(state_.currentFilePath.filename()) +
                                 " は変更されています.\r\n保存しますか？",
                         .caption = "保存の確認",
                         .buttons = MessageButtons::YesNoCancel,
                         .icon = MessageIcon::Question});
    switch (answer) {
    case MessageResult::Yes:
        if (state_.hasFileName) {
            WriteNovel(state_.currentFilePath);
            ClearModified();
            return true;
        }
        return SaveAs();
    case MessageResult::No: return true;
    default: return false;
    }
}

void EditorDocument::OpenWithDialog() {
    if (!CheckSave()) {
        return;
    }
    const auto path = ui_.AskOpenFile({.title = "開く...",
                                       .filter = kOpenFilter,
                                       .defaultExtension = "mve",
                                       .initialFolder = state_.programFolder});
    if (path) {
        OpenByExtension(*path);
    }
}

void EditorDocument::OpenByExtension(const fs::path& path) {
    NewNovel();
    // Letter case is ignored, so "STORY.MVE" opens as the novel file it is.
    const std::string extension = LowerExtension(path);
    if (extension == ".mve") {
        OpenNovelFile(path);
    } else if (extension == ".mvw") {
        OpenAlphaFile(path);
    }
}

void EditorDocument::OpenNovelFile(const fs::path& path) {
    NovelLoadResult result = NovelLoadResult::Rejected;
    try {
        model_.Reset();
        NoticeBoxes notices(ui_);
        result = LoadNovelFile(model_, path, notices);
    } catch (...) {
        // A damaged file leaves a new, clean novel rather than half of one.
        NewNovel();
        throw;
    }
    if (result == NovelLoadResult::Rejected) {
        NewNovel();
        return;
    }
    state_.currentFilePath = path;
    state_.novelFolder = path.parent_path();
    state_.hasFileName = true;
    views_.ResizeChart();
    views_.ChangeText();
    views_.RefreshLists();
    views_.UpdateTitle();
    state_.recentFiles.Add(path.u16string());
}

void EditorDocument::OpenAlphaFile(const fs::path& path) {
    try {
        model_.Reset();
        LoadAlphaFile(model_, path);
    } catch (...) {
        NewNovel();
        throw;
    }
    state_.currentFilePath = fs::path(path).replace_extension(".mve");
    state_.novelFolder = path.parent_path();
    state_.hasFileName = true;
    views_.ResizeChart();
    views_.ChangeText();
    views_.UpdateTitle();
}

void EditorDocument::OpenRecentFile(const fs::path& path) {
    if (CheckSave()) {
        OpenByExtension(path);
    }
}

void EditorDocument::Save() {
    if (!state_.hasFileName) {
        SaveAs();
        return;
    }
    WriteNovel(state_.currentFilePath);
    ClearModified();
    state_.recentFiles.Add(state_.currentFilePath.u16string());
}

bool EditorDocument::SaveAs() {
    const auto path = ui_.AskSaveFile({.title = "名前をつけて保存...",
                                       .filter = kNovelFilter,
                                       .defaultExtension = "mve",
                                       .initialFolder = state_.novelFolder,
                                       .overwritePrompt = true,
                                       .hideReadOnly = true});
    if (!path) {
        return false;
    }
    WriteNovel(*path);
    AfterNamedSave(*path);
    return true;
}

void EditorDocument::AfterNamedSave(const fs::path& path) {
    state_.currentFilePath = path;
    state_.novelFolder = path.parent_path();
    state_.hasFileName = true;
    ClearModified();
    state_.recentFiles.Add(path.u16string());
}

void EditorDocument::WriteNovel(const fs::path& path) {
    views_.StoreToItem();
    SaveNovelFile(model_, path);
}

void EditorDocument::ExportText(TextExportKind kind) {
    views_.StoreToItem();
    const auto path = ui_.AskSaveFile(
        {.title = "テキストファイルに書き出し",
         .filter = kTextFilter,
         .defaultExtension = "txt",
         .initialFolder = state_.novelFolder,
         .fileName = fs::path(state_.currentFilePath.filename()).replace_extension(".txt"),
         .overwritePrompt = true});
    if (!path) {
        return;
    }
    WriteTextLinesFile(*path, kind == TextExportKind::Script ? ScriptExportLines(model_.Items)
                                                             : PlainTextExportLines(model_.Items));
}

std::optional<fs::path> EditorDocument::AskChartBitmapFile() {
    const fs::path stem = state_.currentFilePath.filename().stem();
    return ui_.AskSaveFile({.title = "チャートのBMP保存",
                            .filter = kBitmapFilter,
                            .defaultExtension = "bmp",
                            .initialFolder = state_.novelFolder,
                            .fileName = PathFromUtf8(PathToUtf8(stem) + "のチャート.bmp"),
                            .overwritePrompt = true});
}

int EditorDocument::NewItem() {
    CNovelItem& item = model_.Items.Add();
    const int index = model_.Items.Count() - 1;
    ++state_.newNames.item;
    item.Name = sjis::FromUtf8("新規アイテム") + std::to_string(state_.newNames.item);
    // Parked off the chart, so that the search does not find the new box itself.
    item.X = -kItemBoxWidth;
    item.Y = -kItemBoxHeight;
    const ChartPoint place = ClampToChart(FindFreePlace(model_.Items, views_.ChartScrollPosition()),
                                          model_.Header.ChartWidth, model_.Header.ChartHeight);
    item.X = static_cast<std::int32_t>(place.x);
    item.Y = static_cast<std::int32_t>(place.y);
    SelectItem(index);
    SetModified();
    return index;
}

void EditorDocument::SelectItem(int index) {
    if (index == state_.currentItem) {
        return;
    }
    // After a new or opened novel the old current index may lie past the list: nothing to store.
    if (state_.currentItem >= 0 && state_.currentItem < model_.Items.Count()) {
        views_.StoreToItem();
    }
    state_.currentItem = index;
    views_.DrawChart();
    views_.ChangeText();
}

} // namespace miravo
