#include "editor/script/CommandDialogSet.h"

#include "editor/widgets/BuiltinPictureResource.h"

namespace miravo {

TCommandDialogs::TCommandDialogs(IUserInteraction& ui, TMVSoundEngine* engine)
    : soundPlayer_(engine), fade_(ui, LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster,
                                  LoadBuiltinPicture(BuiltinPicture::FadeSampleB).raster),
      graphic_(ui, fade_), fill_(ui, forward_, fade_),
      character_(ui, LoadBuiltinPicture(BuiltinPicture::SampleScreen).raster),
      characterDelete_(ui, forward_), font_(ui, forward_), window_(ui, forward_),
      sound_(ui, soundPlayer_), midi_(ui, midiPlayer_), wait_(ui, forward_), fadeout_(ui, forward_),
      counterSet_(ui, forward_), counterPlus_(ui, forward_), counterRndSet_(ui, forward_),
      counterRndPlus_(ui, forward_) {}

void TCommandDialogs::Prepare(const CommandDialogContext& context) {
    graphic_.SetNovelFolder(context.novelFolder);
    character_.SetNovelFolder(context.novelFolder);
    sound_.SetNovelFolder(context.novelFolder);
    midi_.SetNovelFolder(context.novelFolder);
    if (context.header)
        fade_.SetNovelDefault(
            {context.header->FadeName, context.header->FadeVariation, context.header->FadeSpeed});
    counters_.clear();
    if (context.counters)
        for (int i = 0; i < context.counters->Count(); ++i)
            counters_.push_back((*context.counters)[i]);
    windows_.clear();
    if (context.windows)
        for (int i = 0; i < context.windows->Count(); ++i)
            windows_.push_back((*context.windows)[i]);
    for (TComCtSetForm* counter : {&counterSet_, static_cast<TComCtSetForm*>(&counterPlus_),
                                   static_cast<TComCtSetForm*>(&counterRndSet_),
                                   static_cast<TComCtSetForm*>(&counterRndPlus_)})
        counter->SetCounters(&counters_);
    window_.SetTextWindows(&windows_);
}

bool TCommandDialogs::Run(CommandDialog which, HWND owner, const CommandDialogContext& context,
                          ICommandOut& out) {
    Prepare(context);
    forward_.target = &out;
    const auto confirmed = [&](Dialog& dialog) { return dialog.ShowModal(owner) == IDOK; };
    const std::string word(ResultCommandWord(which));
    bool ok = false;
    switch (which) {
    case CommandDialog::Wait: ok = confirmed(wait_); break;
    case CommandDialog::GraphLoad:
        if ((ok = confirmed(graphic_)))
            out.CommandOut(word + graphic_.Result());
        break;
    case CommandDialog::GraphFill: ok = confirmed(fill_); break;
    case CommandDialog::CharSet:
        if ((ok = confirmed(character_))) {
            out.CommandOut(word + character_.Result());
            characterDelete_.SetName(character_.Name());
        }
        break;
    case CommandDialog::CharDelete: ok = confirmed(characterDelete_); break;
    case CommandDialog::Font: ok = confirmed(font_); break;
    case CommandDialog::WindowSet:
        window_.SetWindowMode();
        ok = confirmed(window_);
        break;
    case CommandDialog::LinkWindowSet:
        window_.SetLinkWindowMode();
        ok = confirmed(window_);
        break;
    case CommandDialog::SoundPlay:
    case CommandDialog::BGMPlay:
        if (which == CommandDialog::BGMPlay)
            sound_.SetBGMMode();
        else
            sound_.SetSoundEffectMode();
        if ((ok = confirmed(sound_)))
            out.CommandOut(word + sound_.Result());
        break;
    case CommandDialog::MidiPlay:
        if ((ok = confirmed(midi_)))
            out.CommandOut(word + midi_.Result());
        break;
    case CommandDialog::BGMFadeout:
        fadeout_.SetBGMMode();
        ok = confirmed(fadeout_);
        break;
    case CommandDialog::MidiFadeout:
        fadeout_.SetMidiMode();
        ok = confirmed(fadeout_);
        break;
    case CommandDialog::CounterSet: ok = confirmed(counterSet_); break;
    case CommandDialog::CounterPlus: ok = confirmed(counterPlus_); break;
    case CommandDialog::CounterRndSet: ok = confirmed(counterRndSet_); break;
    case CommandDialog::CounterRndPlus: ok = confirmed(counterRndPlus_); break;
    }
    forward_.target = nullptr;
    return ok;
}

} // namespace miravo
