#include "editor/script/CommandDialogOpener.h"

#include "editor/script/CommandDialogSet.h"
#include "editor/shell/EditorSession.h"

namespace miravo {

namespace {

// The dialogs write whole lines; the text editor takes them as they come.
class SinkOut : public ICommandOut {
public:
    explicit SinkOut(ICommandSink& sink) : sink_(sink) {}
    void CommandOut(const std::string& line) override { sink_.CommandOut(line); }

private:
    ICommandSink& sink_;
};

} // namespace

TCommandDialogOpener::TCommandDialogOpener(EditorSession& session, HWND owner,
                                           std::function<TMVSoundEngine*()> engine)
    : session_(session), owner_(owner), engine_(std::move(engine)),
      registration_(session.Views().Add<ICommandDialogs>(*this)) {}

TCommandDialogOpener::~TCommandDialogOpener() = default;

TCommandDialogs& TCommandDialogOpener::Dialogs() {
    if (!dialogs_)
        dialogs_ = std::make_unique<TCommandDialogs>(session_.Ui(), engine_ ? engine_() : nullptr);
    return *dialogs_;
}

bool TCommandDialogOpener::OpenCommandDialog(CommandDialog dialog, ICommandSink& sink) {
    Dialogs();
    const EditorState& state = session_.State();
    const CNovelModel& model = session_.Model();
    const CommandDialogContext context{.novelFolder = state.hasFileName
                                                          ? state.currentFilePath.parent_path()
                                                          : std::filesystem::path(),
                                       .header = &model.Header,
                                       .counters = &model.Counters,
                                       .windows = &model.TextWindows};
    SinkOut out(sink);
    return dialogs_->Run(dialog, owner_, context, out);
}

} // namespace miravo
