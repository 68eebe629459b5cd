#include "runtime/ScriptPlayer.h"

#include "novel/CommandParser.h"
#include "novel/ShiftJis.h"
#include "runtime/ScriptCommand.h"

#include <algorithm>

namespace miravo::runtime {
namespace {

// Position of the first single-byte "@" from `from` (a trail byte of that value is part of its
// character), or npos.
std::size_t ClickMarker(std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < line.size(); i += sjis::CharLength(line, i)) {
        if (line[i] == '@' && sjis::CharLength(line, i) == 1)
            return i;
    }
    return std::string_view::npos;
}

Stop StopOf(StopKind kind, int milliseconds = 0) {
    Stop stop;
    stop.kind = kind;
    stop.milliseconds = milliseconds;
    return stop;
}

} // namespace

std::string MissingFileNotice(const std::string& file, std::string_view reason) {
    return sjis::FromUtf8(reason.empty() ? "ファイルが見つかりません: "
                                         : "ファイルを読めません: ") +
           file;
}

ScriptPlayer::ScriptPlayer(const CNovelModel& model, IPlayerEffects& effects, RandomSource random)
    : model_(model), effects_(effects), random_(std::move(random)), counters_(model.Counters) {}

const CNovelItem* ScriptPlayer::CurrentItem() const {
    if (position_.item < 0 || position_.item >= model_.Items.Count())
        return nullptr;
    return &model_.Items[position_.item];
}

FontState ScriptPlayer::DefaultFont() const {
    FontState font;
    font.face = model_.Header.FontKind == 1 ? FontFace::Mincho : FontFace::Gothic;
    font.size = model_.Header.FontSize;
    font.color = std::uint32_t(model_.Header.NormalColor);
    return font;
}

const CTextWindow* ScriptPlayer::TextWindow() const {
    if (scene_.windowHidden)
        return nullptr;
    if (scene_.textWindow >= 0 && scene_.textWindow < model_.TextWindows.Count())
        return &model_.TextWindows[scene_.textWindow];
    return &standardWindow_;
}

const CTextWindow* ScriptPlayer::LinkWindow() const {
    if (scene_.linkWindow >= 0 && scene_.linkWindow < model_.TextWindows.Count())
        return &model_.TextWindows[scene_.linkWindow];
    return nullptr;
}

void ScriptPlayer::StartNewPlay() {
    counters_.NewPlay();
    scene_ = SceneState{};
    scene_.font = DefaultFont();
    offered_.clear();
    state_ = State::Playing;
    ShowScene();
    int start = model_.Items.IndexOf(model_.Header.StartItem);
    if (start < 0 && model_.Items.Count() > 0)
        start = 0;
    EnterItem(start);
}

void ScriptPlayer::Resume(const PlayPosition& position, const SceneState& scene) {
    scene_ = scene;
    offered_.clear();
    state_ = State::Playing;
    unreadText_ = false;
    position_ = position;
    effects_.ClearPage(); // first, so that what the scene says of missing files stays on the page
    ShowScene();
    if (const CNovelItem* item = CurrentItem())
        effects_.ItemStarted(item->Name);
}

void ScriptPlayer::DataFileMissing(const std::string& file, std::string_view reason) {
    effects_.FileMissing(file, reason);
    if (!fileNotices_ || state_ == State::Idle || state_ == State::Ended)
        return;
    // A line of its own on the page, read like text: the page waits for a click before it ends.
    effects_.ShowText(MissingFileNotice(file, reason));
    effects_.EndLine();
    unreadText_ = true;
}

void ScriptPlayer::ShowScene() {
    const ResolvedFade none{FadeNumberOf("NONE"), 1, 0};
    effects_.SetFont(scene_.font);
    effects_.SetTextWindow(TextWindow());
    effects_.SetLinkWindow(LinkWindow());
    if (!scene_.background.empty())
        effects_.LoadGraphic(scene_.background, none);
    if (scene_.filled)
        effects_.FillGraphic(scene_.fill, scene_.fillOpacity, none);
    for (const SceneCharacter& character : scene_.characters)
        effects_.SetCharacter(character.name, character.file, character.vertical,
                              character.horizontal, none);
    if (!scene_.bgm.empty())
        effects_.PlayBgm(scene_.bgm, 0);
    if (!scene_.midi.empty())
        effects_.PlayMidi(scene_.midi);
}

void ScriptPlayer::EnterItem(int index) {
    position_ = PlayPosition{index, 0, 0};
    unreadText_ = false;
    effects_.ClearPage();
    if (const CNovelItem* item = CurrentItem())
        effects_.ItemStarted(item->Name);
}

Stop ScriptPlayer::End() {
    state_ = State::Ended;
    offered_.clear();
    effects_.ClearPage();
    return StopOf(StopKind::Ending);
}

Stop ScriptPlayer::Run() {
    if (state_ != State::Playing) {
        if (state_ == State::Choosing) {
            Stop stop = StopOf(StopKind::Choice);
            stop.choices = offered_;
            return stop;
        }
        return StopOf(StopKind::Ending);
    }
    int itemChanges = 0;
    for (;;) {
        const CNovelItem* item = CurrentItem();
        if (!item)
            return End();
        std::optional<Stop> stop;
        if (position_.line >= item->Text.size()) {
            stop = EndOfItem();
            if (!stop && ++itemChanges > kMaxItemChangesWithoutStop) {
                effects_.CommandSkipped("", "automatic links loop without a stop");
                return End();
            }
        } else {
            const std::string_view line = item->Text[position_.line];
            stop =
                IsCommandLine(line) ? CommandLine(std::string(line)) : TextLine(std::string(line));
        }
        if (stop)
            return *stop;
    }
}

std::optional<Stop> ScriptPlayer::TextLine(const std::string& line) {
    position_.offset = std::min(position_.offset, line.size()); // a saved position may be stale
    const std::size_t marker = ClickMarker(line, position_.offset);
    const std::size_t end = marker == std::string::npos ? line.size() : marker;
    const std::string piece =
        StripTextMarkers(std::string_view(line).substr(position_.offset, end - position_.offset));
    if (!piece.empty()) {
        if (scene_.windowHidden) { // text is never shown into nothing: its window comes back
            scene_.windowHidden = false;
            effects_.SetTextWindow(TextWindow());
        }
        effects_.ShowText(piece);
        unreadText_ = true;
    }
    if (marker != std::string::npos) {
        position_.offset = marker + 1;
        unreadText_ = false;
        effects_.WaitClick();
        return StopOf(StopKind::Click);
    }
    effects_.EndLine();
    ++position_.line;
    position_.offset = 0;
    return std::nullopt;
}

bool ScriptPlayer::NeedsClickBeforePageEnd() {
    if (!unreadText_)
        return false;
    unreadText_ = false;
    effects_.WaitClick();
    return true;
}

ResolvedFade ScriptPlayer::StandardFade(const FadeChoice& written) const {
    const CNovelFileHeader& header = model_.Header;
    ResolvedFade fade;
    if (written.effect >= 1 && written.effect <= 9) {
        fade.effect = written.effect;
        fade.variation = written.variation;
    } else {
        fade.effect = FadeNumberOf(header.FadeName);
        fade.variation = header.FadeVariation;
    }
    if (fade.effect < 1 || fade.effect > 9)
        fade.effect = FadeNumberOf("BLEND");
    fade.variation = std::clamp(fade.variation, 1, std::max(1, FadeVariationCount(fade.effect)));
    fade.speed = std::max(0, written.speed >= 0 ? written.speed : header.FadeSpeed);
    return fade;
}

ResolvedFade ScriptPlayer::CharacterFade() const {
    const CNovelFileHeader& header = model_.Header;
    ResolvedFade fade;
    fade.effect = FadeNumberOf(header.CharFadeName);
    if (fade.effect < 1 || fade.effect > 9)
        fade.effect = FadeNumberOf("NONE");
    fade.variation =
        std::clamp(header.CharFadeVariation, 1, std::max(1, FadeVariationCount(fade.effect)));
    fade.speed = std::max(0, header.CharFadeSpeed);
    return fade;
}

std::optional<Stop> ScriptPlayer::CommandLine(const std::string& line) {
    const ScriptCommand command = ParseScriptCommand(line);
    const std::string& word = command.word;
    if (word == ".CDPLAY" || word == ".CDSTOP") { // no CD audio: read and left alone
        ++position_.line;
        return std::nullopt;
    }
    if (!command.Ok()) {
        effects_.CommandSkipped(line, command.error);
        ++position_.line;
        return std::nullopt;
    }
    const bool endsPage = word == ".NEXTPAGE" || word == ".WINDOWSET" || word == ".WINDOWHIDE";
    if (endsPage && NeedsClickBeforePageEnd())
        return StopOf(StopKind::Click); // the line runs after the click
    auto skip = [&](const std::string& reason) {
        effects_.CommandSkipped(line, reason);
        ++position_.line;
        return std::nullopt;
    };
    const std::vector<std::string>& a = command.arguments;
    auto counterIndex = [&]() { return counters_.IndexOf(a[0]); };
    std::optional<Stop> stop;
    // The script goes on once the picture has changed.
    auto fadeStop = [&](const ResolvedFade& fade) {
        if (fade.speed > 0 && fade.effect != FadeNumberOf("NONE"))
            stop = StopOf(StopKind::Fade, fade.speed);
        return fade;
    };
    if (word == ".NEXTPAGE") {
        effects_.ClearPage();
    } else if (word == ".WAIT") {
        if (command.numbers[0] > 0) {
            effects_.Wait(command.numbers[0]);
            stop = StopOf(StopKind::Wait, command.numbers[0]);
        }
    } else if (word == ".GRAPHLOAD") {
        scene_.background = a[0];
        scene_.filled = false;
        effects_.LoadGraphic(a[0], fadeStop(StandardFade(command.fade)));
    } else if (word == ".GRAPHFILL") {
        scene_.filled = true;
        scene_.fill = Rgb{command.numbers[0], command.numbers[1], command.numbers[2]};
        scene_.fillOpacity = command.numbers[3];
        effects_.FillGraphic(scene_.fill, scene_.fillOpacity, fadeStop(StandardFade(command.fade)));
    } else if (word == ".CHARSET") {
        SceneCharacter character{a[0], a[1], *VerticalPlacementOf(a[2]),
                                 *HorizontalPlacementOf(a[3])};
        auto& shown = scene_.characters;
        const auto same = std::find_if(shown.begin(), shown.end(),
                                       [&](const auto& c) { return c.name == character.name; });
        if (same != shown.end())
            *same = character;
        else
            shown.push_back(character);
        effects_.SetCharacter(character.name, character.file, character.vertical,
                              character.horizontal, fadeStop(CharacterFade()));
    } else if (word == ".CHARDELETE") {
        std::erase_if(scene_.characters, [&](const auto& c) { return c.name == a[0]; });
        effects_.DeleteCharacter(a[0], fadeStop(CharacterFade()));
    } else if (word == ".CHARCLEAR") {
        scene_.characters.clear();
        effects_.ClearCharacters(fadeStop(CharacterFade()));
    } else if (word == ".WINDOWSET" || word == ".LINKWINDOWSET") {
        const int window = model_.TextWindows.IndexOf(a[0]);
        if (window < 0)
            return skip("no text window named " + sjis::ToUtf8(a[0]));
        if (word == ".WINDOWSET") {
            effects_.ClearPage();
            scene_.textWindow = window;
            scene_.windowHidden = false;
            effects_.SetTextWindow(TextWindow());
        } else {
            scene_.linkWindow = window;
            effects_.SetLinkWindow(LinkWindow());
        }
    } else if (word == ".WINDOWHIDE") {
        effects_.ClearPage();
        scene_.windowHidden = true;
        effects_.SetTextWindow(nullptr);
    } else if (word == ".LINKWINDOWDEFAULT") {
        scene_.linkWindow = -1;
        effects_.SetLinkWindow(nullptr);
    } else if (word == ".BGMPLAY") {
        scene_.bgm = a[0];
        effects_.PlayBgm(a[0], command.trailingNumber.value_or(0));
    } else if (word == ".BGMSTOP") {
        scene_.bgm.clear();
        effects_.StopBgm();
    } else if (word == ".BGMFADEOUT") {
        scene_.bgm.clear();
        effects_.FadeOutBgm(command.numbers[0]);
    } else if (word == ".SOUNDPLAY") {
        effects_.PlaySoundEffect(a[0]);
    } else if (word == ".SOUNDSTOP") {
        effects_.StopSoundEffect();
    } else if (word == ".MIDIPLAY") {
        scene_.midi = a[0];
        effects_.PlayMidi(a[0]);
    } else if (word == ".MIDISTOP") {
        scene_.midi.clear();
        effects_.StopMidi();
    } else if (word == ".MIDIFADEOUT") {
        scene_.midi.clear();
        effects_.FadeOutMidi(command.numbers[0]);
    } else if (word.starts_with(".COUNTER")) {
        const int counter = counterIndex();
        if (counter < 0)
            return skip("no counter named " + sjis::ToUtf8(a[0]));
        const std::int32_t n1 = command.numbers[1];
        if (word == ".COUNTERSET")
            counters_.Set(counter, n1);
        else if (word == ".COUNTERPLUS")
            counters_.Add(counter, n1);
        else if (word == ".COUNTERRNDSET")
            counters_.Set(counter, random_(n1, command.numbers[2]));
        else
            counters_.Add(counter, random_(n1, command.numbers[2]));
        effects_.CounterChanged(a[0], counters_.Value(counter));
    } else if (word == ".FONTTYPE") {
        scene_.font.face = sjis::AsciiUpper(a[0]) == "MINCHO" ? FontFace::Mincho : FontFace::Gothic;
        effects_.SetFont(scene_.font);
    } else if (word == ".FONTSIZE") {
        scene_.font.size = command.numbers[0];
        effects_.SetFont(scene_.font);
    } else if (word == ".FONTCOLOR") {
        scene_.font.color = std::uint32_t(command.numbers[0]) |
                            std::uint32_t(command.numbers[1]) << 8 |
                            std::uint32_t(command.numbers[2]) << 16;
        effects_.SetFont(scene_.font);
    } else if (word == ".FONTDEFAULT") {
        scene_.font = DefaultFont();
        effects_.SetFont(scene_.font);
    }
    effects_.CommandDone(line);
    ++position_.line;
    return stop;
}

bool ScriptPlayer::ConditionHolds(const CNovelLink& link) const {
    if (!link.UseCounter)
        return true;
    const int counter = counters_.IndexOf(link.CounterName);
    return counter >= 0 && counters_.Value(counter) >= link.Threshold;
}

bool ScriptPlayer::TargetExists(const CNovelLink& link) const {
    return model_.Items.IndexOf(link.Target) >= 0;
}

std::vector<Choice> ScriptPlayer::MenuChoices(const CNovelItem& item) const {
    std::vector<Choice> choices;
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        const CNovelLink& link = item.Links[std::size_t(slot)];
        if (link.Enabled && ConditionHolds(link) && TargetExists(link))
            choices.push_back(Choice{slot, link.LinkText, link.Target});
    }
    return choices;
}

std::optional<Stop> ScriptPlayer::EndOfItem() {
    const CNovelItem& item = *CurrentItem();
    if (item.LinkType == kLinkMenu) {
        offered_ = MenuChoices(item);
        if (!offered_.empty()) {
            unreadText_ = false;
            state_ = State::Choosing;
            effects_.ShowChoices(offered_);
            Stop stop = StopOf(StopKind::Choice);
            stop.choices = offered_;
            return stop;
        }
    }
    if (NeedsClickBeforePageEnd())
        return StopOf(StopKind::Click);
    if (item.LinkType == kLinkAuto) {
        for (const CNovelLink& link : item.Links) {
            if (link.Enabled && ConditionHolds(link) && TargetExists(link)) {
                EnterItem(model_.Items.IndexOf(link.Target));
                return std::nullopt;
            }
        }
    }
    // An ending, a menu with no choice left, or an automatic link that leads nowhere.
    effects_.EndingReached(item.Name);
    return End();
}

bool ScriptPlayer::Choose(std::size_t index) {
    if (state_ != State::Choosing || index >= offered_.size())
        return false;
    const Choice choice = offered_[index];
    offered_.clear();
    state_ = State::Playing;
    effects_.Chosen(choice);
    EnterItem(model_.Items.IndexOf(choice.target));
    return true;
}

} // namespace miravo::runtime
