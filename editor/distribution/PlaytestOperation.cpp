#include "editor/distribution/PlaytestOperation.h"

#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"

#include <algorithm>

namespace miravo {

namespace {

// A path as the runtime reads it: ANSI text with backslashes. A folder ends in a backslash,
// added before the conversion (a Shift-JIS trail byte may be a backslash); an unset folder stays
// empty.
std::string AnsiPath(const std::filesystem::path& path, bool folder = false) {
    std::string utf8 = PathToUtf8(path);
    std::replace(utf8.begin(), utf8.end(), '/', '\\');
    if (folder && !utf8.empty() && utf8.back() != '\\')
        utf8 += '\\';
    return sjis::FromUtf8(utf8);
}

std::string AnsiFolder(const std::filesystem::path& folder) { return AnsiPath(folder, true); }

} // namespace

std::string StartPlaytest(EditorSession& session, const PlaytestOptions& options,
                          IProgramLauncher& launcher) {
    const EditorState& state = session.State();
    session.Views().Notify(&ICurrentItemView::StoreToItem);
    SaveNovelFile(session.Model(), state.dataFolder / kPlaytestFileName);
    const std::string commandLine = PlaytestCommandLine(
        AnsiFolder(state.programFolder), AnsiFolder(state.dataFolder),
        AnsiFolder(state.novelFolder), AnsiPath(state.currentFilePath), options);
    if (launcher.Start(commandLine) < kFirstSuccessfulStart) {
        session.Ui().ShowMessage({.text = "テストプレイの実行に失敗しました.\rMiravo "
                                          "が正しくインストールされているか確認してください.",
                                  .caption = "エラー",
                                  .buttons = MessageButtons::Ok,
                                  .icon = MessageIcon::Error});
    }
    return commandLine;
}

} // namespace miravo
