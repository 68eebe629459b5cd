#include "editor/shell/DocumentLifecycle.h"

#include "editor/chart/ChartOperations.h"
#include "editor/properties/CounterOperations.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"
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
// A read error is kept until the windows show what was read, and then raised as any error is.
class NoticeBoxes : public ILoadNotices {
public:
    explicit NoticeBoxes(IUserInteraction& ui) : ui_(ui) {}
    void Notice(const LoadNotice& notice) override {
        if (notice.kind == NoticeKind::ReadError) {
            readError = notice.text;
            return;
        }
        ui_.ShowMessage({.text = UiText::FromUtf8(notice.text),
                         .caption = UiText::FromUtf8(notice.caption),
                         .buttons = MessageButtons::Ok,
                         .icon = notice.kind == NoticeKind::Refusal ? MessageIcon::Error
                                                                    : MessageIcon::Information});
    }

    std::string readError;

private:
    IUserInteraction& ui_;
};

} // namespace

std::string VersionText() {
    return "R." + std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

DocumentLifecycle::DocumentLifecycle(EditorSession& session) : session_(session) {}

std::string DocumentLifecycle::WindowTitle() const {
    const EditorState& state = session_.State();
    std::string title = PathToUtf8(state.currentFilePath.filename());
    if (state.modified) {
        title += " *";
    }
    return title + " - Miravo " + VersionText();
}

void DocumentLifecycle::NewNovel() {
    CNovelModel& model = session_.Model();
    EditorState& state = session_.State();
    ViewRegistry& views = session_.Views();
    model.Reset();
    state.newNames = {};
    state.currentFilePath = PathFromUtf8(kUntitledName);
    state.hasFileName = false;
    model.Header.ChartWidth = kNewChartWidth;
    model.Header.ChartHeight = kNewChartHeight;
    views.Notify(&IChartView::ResizeChart);
    views.Notify(&IChartView::EndMultiSelection);
    session_.Chart().NewItem();
    views.Notify(&IChartView::DrawChart);
    views.Notify(&ICurrentItemView::ChangeText);
    views.Notify(&ICounterListView::RefreshCounters);
    views.Notify(&ITextWindowListView::RefreshTextWindows);
    session_.ClearModified();
}

bool DocumentLifecycle::CheckSave() {
    const EditorState& state = session_.State();
    if (!state.modified) {
        return true;
    }
    const MessageResult answer = session_.Ui().ShowMessage(
        {.text = UiText::FromUtf8(PathToUtf8(state.currentFilePath.filename())) +
                 " は変更されています.\r\n保存しますか？",
         .caption = "保存の確認",
         .buttons = MessageButtons::YesNoCancel,
         .icon = MessageIcon::Question});
    switch (answer) {
    case MessageResult::Yes:
        if (state.hasFileName) {
            WriteNovel(state.currentFilePath);
            session_.ClearModified();
            return true;
        }
        return SaveAs();
    case MessageResult::No: return true;
    default: return false;
    }
}

void DocumentLifecycle::OpenWithDialog() {
    if (!CheckSave()) {
        return;
    }
    const auto path = session_.Ui().AskOpenFile({.title = "開く...",
                                                 .filter = kOpenFilter,
                                                 .defaultExtension = "mve",
                                                 .initialFolder = session_.State().programFolder});
    if (path) {
        OpenByExtension(*path);
    }
}

void DocumentLifecycle::OpenByExtension(const fs::path& path) {
    NewNovel();
    // Letter case is ignored, so "STORY.MVE" opens as the novel file it is.
    const std::string extension = LowerExtension(path);
    if (extension == ".mve") {
        OpenNovelFile(path);
    } else if (extension == ".mvw") {
        OpenAlphaFile(path);
    }
}

void DocumentLifecycle::OpenNovelFile(const fs::path& path) {
    CNovelModel loaded;
    NovelLoadResult result = NovelLoadResult::Rejected;
    NoticeBoxes notices(session_.Ui());
    try {
        result = LoadNovelFile(loaded, path, notices);
    } catch (...) {
        // A file that cannot be opened, or is too short for its header, leaves a new novel.
        NewNovel();
        throw;
    }
    if (result == NovelLoadResult::Rejected) {
        NewNovel();
        return;
    }
    if (result == NovelLoadResult::PartlyRead) {
        // What was read stays, untitled: saving asks for a name and never overwrites the
        // damaged file.
        TakeOpenedNovel(std::move(loaded), {.remember = false, .named = false});
        throw EditorError(notices.readError);
    }
    TakeOpenedNovel(std::move(loaded),
                    {.currentFilePath = path, .novelFolder = path.parent_path()});
}

void DocumentLifecycle::OpenAlphaFile(const fs::path& path) {
    CNovelModel loaded;
    try {
        LoadAlphaFile(loaded, path);
    } catch (...) {
        NewNovel();
        throw;
    }
    TakeOpenedNovel(std::move(loaded), {.currentFilePath = fs::path(path).replace_extension(".mve"),
                                        .novelFolder = path.parent_path(),
                                        .remember = false,
                                        .refreshLists = false});
}

void DocumentLifecycle::TakeOpenedNovel(CNovelModel&& loaded, const OpenedFile& file) {
    ViewRegistry& views = session_.Views();
    session_.Model() = std::move(loaded);
    try {
        views.Notify(&IChartView::ResizeChart);
        views.Notify(&ICurrentItemView::ChangeText);
        if (file.refreshLists) {
            views.Notify(&ICounterListView::RefreshCounters);
            views.Notify(&ITextWindowListView::RefreshTextWindows);
        }
    } catch (...) {
        // The windows would show another novel than the model holds, and a save would write
        // what they show into the file: a new novel is what every window can show.
        NewNovel();
        throw;
    }
    EditorState& state = session_.State();
    if (file.named) {
        state.currentFilePath = file.currentFilePath;
        state.novelFolder = file.novelFolder;
        state.hasFileName = true;
    } else {
        state.currentFilePath = PathFromUtf8(kUntitledName);
        state.hasFileName = false;
    }
    views.Notify(&ITitleView::UpdateTitle);
    if (file.remember) {
        state.recentFiles.Add(file.currentFilePath.u16string());
    }
}

void DocumentLifecycle::OpenRecentFile(const fs::path& path) {
    if (CheckSave()) {
        OpenByExtension(path);
    }
}

void DocumentLifecycle::Save() {
    EditorState& state = session_.State();
    if (!state.hasFileName) {
        SaveAs();
        return;
    }
    WriteNovel(state.currentFilePath);
    session_.ClearModified();
    state.recentFiles.Add(state.currentFilePath.u16string());
}

bool DocumentLifecycle::SaveAs() {
    const auto path = session_.Ui().AskSaveFile({.title = "名前をつけて保存...",
                                                 .filter = kNovelFilter,
                                                 .defaultExtension = "mve",
                                                 .initialFolder = session_.State().novelFolder,
                                                 .overwritePrompt = true,
                                                 .hideReadOnly = true});
    if (!path) {
        return false;
    }
    WriteNovel(*path);
    AfterNamedSave(*path);
    return true;
}

void DocumentLifecycle::AfterNamedSave(const fs::path& path) {
    EditorState& state = session_.State();
    state.currentFilePath = path;
    state.novelFolder = path.parent_path();
    state.hasFileName = true;
    session_.ClearModified();
    state.recentFiles.Add(path.u16string());
}

void DocumentLifecycle::WriteNovel(const fs::path& path) {
    session_.Views().Notify(&ICurrentItemView::StoreToItem);
    SaveNovelFile(session_.Model(), path);
}

void DocumentLifecycle::ExportText(TextExportKind kind) {
    const EditorState& state = session_.State();
    session_.Views().Notify(&ICurrentItemView::StoreToItem);
    const auto path = session_.Ui().AskSaveFile(
        {.title = "テキストファイルに書き出し",
         .filter = kTextFilter,
         .defaultExtension = "txt",
         .initialFolder = state.novelFolder,
         .fileName = fs::path(state.currentFilePath.filename()).replace_extension(".txt"),
         .overwritePrompt = true});
    if (!path) {
        return;
    }
    const CNovelItems& items = session_.Model().Items;
    WriteTextLinesFile(*path, kind == TextExportKind::Script ? ScriptExportLines(items)
                                                             : PlainTextExportLines(items));
}

std::optional<fs::path> DocumentLifecycle::AskChartBitmapFile() {
    const EditorState& state = session_.State();
    const fs::path stem = state.currentFilePath.filename().stem();
    return session_.Ui().AskSaveFile({.title = "チャートのBMP保存",
                                      .filter = kBitmapFilter,
                                      .defaultExtension = "bmp",
                                      .initialFolder = state.novelFolder,
                                      .fileName = PathFromUtf8(PathToUtf8(stem) + "のチャート.bmp"),
                                      .overwritePrompt = true});
}

} // namespace miravo
