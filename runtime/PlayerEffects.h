#pragma once

#include "novel/CommandStrings.h"
#include "novel/NovelData.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the script player asks of whoever shows the novel: the window, the trace of a test run,
// or a test's recorder. Every default does nothing. Text and names are Shift-JIS; file names
// are as written in the script (relative to the novel folder).
namespace miravo::runtime {

// A fade with nothing left to the standard: effect 1 to 9, variation 1-based, milliseconds.
struct ResolvedFade {
    int effect = 1;
    int variation = 1;
    int speed = 0;
    bool operator==(const ResolvedFade&) const = default;
};

struct FontState {
    FontFace face = FontFace::Gothic;
    int size = 28;
    std::uint32_t color = 0xFFFFFF; // 0x00BBGGRR
    bool operator==(const FontState&) const = default;
};

struct Choice {
    int slot = 0;       // the link slot, 0 to 7
    std::string text;   // the link's text
    std::string target; // the item it leads to
};

class IPlayerEffects {
public:
    virtual ~IPlayerEffects() = default;

    virtual void ItemStarted(const std::string& /*name*/) {}
    virtual void CommandDone(std::string_view /*line*/) {}
    // An unknown command or a malformed argument, left out; `reason` is UTF-8.
    virtual void CommandSkipped(std::string_view /*line*/, std::string_view /*reason*/) {}
    // A picture, sound or MIDI file that is not there (`reason` empty) or cannot be read
    // (`reason` says why, UTF-8); the play goes on without it.
    virtual void FileMissing(const std::string& /*file*/, std::string_view /*reason*/) {}

    virtual void ClearPage() {}
    virtual void ShowText(std::string_view /*text*/) {} // a piece of one line, markers removed
    virtual void EndLine() {}
    virtual void WaitClick() {} // the text so far is shown in full; a click or key goes on
    virtual void Wait(int /*milliseconds*/) {}

    virtual void LoadGraphic(const std::string& /*file*/, const ResolvedFade& /*fade*/) {}
    virtual void FillGraphic(Rgb /*colour*/, int /*opacityPercent*/, const ResolvedFade&) {}
    virtual void SetCharacter(const std::string& /*name*/, const std::string& /*file*/,
                              VerticalPlacement, HorizontalPlacement, const ResolvedFade&) {}
    virtual void DeleteCharacter(const std::string& /*name*/, const ResolvedFade&) {}
    virtual void ClearCharacters(const ResolvedFade&) {}
    virtual void SetTextWindow(const CTextWindow* /*window*/) {} // null: hidden
    virtual void SetLinkWindow(const CTextWindow* /*window*/) {} // null: the text window
    virtual void SetFont(const FontState&) {}

    virtual void PlayBgm(const std::string& /*file*/, int /*fadeInMilliseconds*/) {}
    virtual void StopBgm() {}
    virtual void FadeOutBgm(int /*milliseconds*/) {}
    virtual void PlaySoundEffect(const std::string& /*file*/) {}
    virtual void StopSoundEffect() {}
    virtual void PlayMidi(const std::string& /*file*/) {}
    virtual void StopMidi() {}
    virtual void FadeOutMidi(int /*milliseconds*/) {}

    virtual void CounterChanged(const std::string& /*name*/, std::int32_t /*value*/) {}
    virtual void ShowChoices(const std::vector<Choice>& /*choices*/) {}
    virtual void Chosen(const Choice& /*choice*/) {}
    virtual void EndingReached(const std::string& /*itemName*/) {}
};

} // namespace miravo::runtime
