#pragma once

#include "editor/script/CharacterForms.h"
#include "editor/script/CommandDialogValues.h"
#include "editor/script/CounterForms.h"
#include "editor/script/DisplayForms.h"
#include "editor/script/FadeForm.h"
#include "editor/script/GraphicForms.h"
#include "editor/script/SoundForms.h"
#include "editor/script/TimeForms.h"
#include "novel/NovelData.h"

#include <filesystem>
#include <memory>

// Every command dialog, created once at start-up: the command menu opens one by its entry and
// hands it the sink for its lines; the novel properties dialog borrows the fade, graphic, sound
// and MIDI dialogs.
namespace miravo {

class TMVSoundEngine;

// What a dialog reads from the open novel when it opens.
struct CommandDialogContext {
    std::filesystem::path novelFolder;
    const CNovelFileHeader* header = nullptr;
    const CNovelCounters* counters = nullptr;
    const CTextWindows* windows = nullptr;
};

class TCommandDialogs {
public:
    // The built-in pictures come from the program's resources; `engine` may be null.
    TCommandDialogs(IUserInteraction& ui, TMVSoundEngine* engine);

    // Opens the dialog of `which` modally; a confirmed dialog writes its line (or, for the
    // returning ones, its command word and result) to `out`. True when confirmed. The caller
    // applies the save-first rule (NeedsSavedNovel) before.
    bool Run(CommandDialog which, HWND owner, const CommandDialogContext& context,
             ICommandOut& out);

    TComFadeForm& Fade() { return fade_; }
    TComBackgraphForm& Graphic() { return graphic_; }
    TComSoundForm& Sound() { return sound_; }
    TComMidiForm& Midi() { return midi_; }

private:
    // The writing dialogs are bound to this sink, which passes lines to the caller of Run.
    struct Forward : ICommandOut {
        ICommandOut* target = nullptr;
        void CommandOut(const std::string& line) override {
            if (target)
                target->CommandOut(line);
        }
    };
    void Prepare(const CommandDialogContext& context);

    Forward forward_;
    EngineTestPlayer soundPlayer_;
    MciMidiPlayer midiPlayer_;
    std::vector<CNovelCounter> counters_;
    std::vector<CTextWindow> windows_;
    TComFadeForm fade_;
    TComBackgraphForm graphic_;
    TComFillForm fill_;
    TComCharSetForm character_;
    TComCharDeleteForm characterDelete_;
    TComFontForm font_;
    TComWindowSetForm window_;
    TComSoundForm sound_;
    TComMidiForm midi_;
    TComWaitForm wait_;
    TComMidiFadeoutForm fadeout_;
    TComCtSetForm counterSet_;
    TComCtPlusForm counterPlus_;
    TComCtRndSetForm counterRndSet_;
    TComCtRndPlusForm counterRndPlus_;
};

} // namespace miravo
