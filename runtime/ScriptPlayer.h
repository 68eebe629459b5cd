#pragma once

#include "novel/NovelData.h"
#include "runtime/PlayerCounters.h"
#include "runtime/PlayerEffects.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The script player: runs the items' lines, keeps the counters and the scene, follows the links
// at the end of an item, and tells an IPlayerEffects what to show. It never waits itself: Run
// returns at every point where time or the reader has to answer, so the window paces it and a
// test runs it straight through.
namespace miravo::runtime {

enum class StopKind {
    Click,  // text shown in full; a click or key goes on
    Wait,   // .Wait: go on after `milliseconds`
    Fade,   // a picture changes through a fade of `milliseconds`: go on when it has finished
    Choice, // the menu is offered; Choose, then Run
    Ending, // the play is over: back to the title screen
};

struct Stop {
    StopKind kind = StopKind::Ending;
    int milliseconds = 0;
    std::vector<Choice> choices;
};

// Where the play stands: an item, a line of it and a byte offset inside a text line (after an
// "@"). A play saved at a stop goes on from here.
struct PlayPosition {
    int item = -1;
    std::size_t line = 0;
    std::size_t offset = 0;
    bool operator==(const PlayPosition&) const = default;
};

// What is on the screen and playing, so that a saved play can be shown again as it was.
struct SceneCharacter {
    std::string name;
    std::string file;
    VerticalPlacement vertical = VerticalPlacement::Middle;
    HorizontalPlacement horizontal = HorizontalPlacement::Center;
    bool operator==(const SceneCharacter&) const = default;
};

struct SceneState {
    std::string background; // the last .GraphLoad's file
    bool filled = false;    // a .GraphFill after it
    Rgb fill{};
    int fillOpacity = 100;
    std::vector<SceneCharacter> characters;
    int textWindow = -1; // index into the text windows; -1: the standard window
    bool windowHidden = false;
    int linkWindow = -1; // -1: the text window
    FontState font;
    std::string bgm;  // playing, looped
    std::string midi; // playing
};

// The page line that says a data file is missing (`reason` empty) or unreadable; Shift-JIS.
std::string MissingFileNotice(const std::string& file, std::string_view reason);

class ScriptPlayer {
public:
    ScriptPlayer(const CNovelModel& model, IPlayerEffects& effects,
                 RandomSource random = DefaultRandomSource());

    // A new play from the start item (StartItem, or the first item when no item has that
    // name); counters start anew except those carried over.
    void StartNewPlay();
    // Runs until the next stop.
    Stop Run();
    // Takes choice `index` (0-based) of the last Choice stop; false when there is no such one.
    bool Choose(std::size_t index);

    // With "/debug" a missing or unreadable file is said on the page; otherwise it is left
    // out without a word (the trace lists it either way).
    void SetFileNotices(bool shown) { fileNotices_ = shown; }
    // Whoever loads the files tells of one that failed (Shift-JIS name; `reason` as for
    // IPlayerEffects::FileMissing).
    void DataFileMissing(const std::string& file, std::string_view reason);

    // An automatic link that loops without a stop ends the play after this many item changes.
    static constexpr int kMaxItemChangesWithoutStop = 100000;

    const PlayPosition& Position() const { return position_; }
    const SceneState& Scene() const { return scene_; }
    PlayerCounters& Counters() { return counters_; }
    const PlayerCounters& Counters() const { return counters_; }
    // The item being played, or null.
    const CNovelItem* CurrentItem() const;

    // Resumes a saved play: shows the scene again and goes on from the position (an item that
    // is no longer there ends the play at the next Run).
    void Resume(const PlayPosition& position, const SceneState& scene);

private:
    enum class State { Idle, Playing, Choosing, Ended };

    std::optional<Stop> EndOfItem();
    std::optional<Stop> TextLine(const std::string& line);
    std::optional<Stop> CommandLine(const std::string& line);
    // A command that ends the page waits for a click first while text is unread.
    bool NeedsClickBeforePageEnd();
    void EnterItem(int index);
    Stop End();
    std::vector<Choice> MenuChoices(const CNovelItem& item) const;
    bool ConditionHolds(const CNovelLink& link) const;
    bool TargetExists(const CNovelLink& link) const;
    ResolvedFade StandardFade(const FadeChoice& written) const;
    ResolvedFade CharacterFade() const;
    FontState DefaultFont() const;
    const CTextWindow* TextWindow() const;
    const CTextWindow* LinkWindow() const;
    void ShowScene();

    const CNovelModel& model_;
    IPlayerEffects& effects_;
    RandomSource random_;
    PlayerCounters counters_;
    CTextWindow standardWindow_;
    State state_ = State::Idle;
    PlayPosition position_;
    SceneState scene_;
    bool unreadText_ = false; // text shown since the last click
    bool fileNotices_ = false;
    std::vector<Choice> offered_;
};

} // namespace miravo::runtime
