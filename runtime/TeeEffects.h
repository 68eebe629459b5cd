#pragma once

#include "runtime/PlayerEffects.h"

// Hands every effect to two receivers in turn: the window and the trace of "/trace:".
namespace miravo::runtime {

class TeeEffects : public IPlayerEffects {
public:
    TeeEffects(IPlayerEffects& first, IPlayerEffects& second) : a_(first), b_(second) {}

#define MIRAVO_TEE(name, params, args)                                                             \
    void name params override {                                                                    \
        a_.name args;                                                                              \
        b_.name args;                                                                              \
    }
    MIRAVO_TEE(ItemStarted, (const std::string& n), (n))
    MIRAVO_TEE(CommandDone, (std::string_view l), (l))
    MIRAVO_TEE(CommandSkipped, (std::string_view l, std::string_view r), (l, r))
    MIRAVO_TEE(FileMissing, (const std::string& f, std::string_view r), (f, r))
    MIRAVO_TEE(ClearPage, (), ())
    MIRAVO_TEE(ShowText, (std::string_view t), (t))
    MIRAVO_TEE(EndLine, (), ())
    MIRAVO_TEE(WaitClick, (), ())
    MIRAVO_TEE(Wait, (int ms), (ms))
    MIRAVO_TEE(LoadGraphic, (const std::string& f, const ResolvedFade& d), (f, d))
    MIRAVO_TEE(FillGraphic, (Rgb c, int o, const ResolvedFade& d), (c, o, d))
    MIRAVO_TEE(SetCharacter,
               (const std::string& n, const std::string& f, VerticalPlacement v,
                HorizontalPlacement h, const ResolvedFade& d),
               (n, f, v, h, d))
    MIRAVO_TEE(DeleteCharacter, (const std::string& n, const ResolvedFade& d), (n, d))
    MIRAVO_TEE(ClearCharacters, (const ResolvedFade& d), (d))
    MIRAVO_TEE(SetTextWindow, (const CTextWindow* w), (w))
    MIRAVO_TEE(SetLinkWindow, (const CTextWindow* w), (w))
    MIRAVO_TEE(SetFont, (const FontState& f), (f))
    MIRAVO_TEE(PlayBgm, (const std::string& f, int ms), (f, ms))
    MIRAVO_TEE(StopBgm, (), ())
    MIRAVO_TEE(FadeOutBgm, (int ms), (ms))
    MIRAVO_TEE(PlaySoundEffect, (const std::string& f), (f))
    MIRAVO_TEE(StopSoundEffect, (), ())
    MIRAVO_TEE(PlayMidi, (const std::string& f), (f))
    MIRAVO_TEE(StopMidi, (), ())
    MIRAVO_TEE(FadeOutMidi, (int ms), (ms))
    MIRAVO_TEE(CounterChanged, (const std::string& n, std::int32_t v), (n, v))
    MIRAVO_TEE(ShowChoices, (const std::vector<Choice>& c), (c))
    MIRAVO_TEE(Chosen, (const Choice& c), (c))
    MIRAVO_TEE(EndingReached, (const std::string& n), (n))
#undef MIRAVO_TEE

private:
    IPlayerEffects& a_;
    IPlayerEffects& b_;
};

} // namespace miravo::runtime
