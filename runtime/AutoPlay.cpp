#include "runtime/AutoPlay.h"

#include "novel/NovelData.h"
#include "novel/ScriptSyntax.h"
#include "novel/ShiftJis.h"
#include "runtime/PlayTrace.h"
#include "runtime/SaveFile.h"

namespace miravo::runtime {

std::vector<int> ParseAutoChoices(std::string_view text) {
    std::vector<int> choices;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        if (const auto number = ParseScriptNumber(text.substr(0, comma)))
            choices.push_back(*number);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return choices;
}

AutoPlayResult AutoPlay(ScriptPlayer& player, const std::vector<int>& choices, std::size_t maxStops,
                        bool started) {
    AutoPlayResult result;
    std::size_t next = 0;
    if (!started)
        player.StartNewPlay();
    for (std::size_t stops = 0; stops < maxStops; ++stops) {
        const Stop stop = player.Run();
        switch (stop.kind) {
        case StopKind::Click: ++result.pages; break;
        case StopKind::Wait:
        case StopKind::Fade: break;
        case StopKind::Choice: {
            ++result.menus;
            std::size_t index = 0;
            if (next < choices.size()) {
                const int wanted = choices[next++];
                if (wanted >= 1 && std::size_t(wanted) <= stop.choices.size())
                    index = std::size_t(wanted - 1);
            }
            player.Choose(index);
            break;
        }
        case StopKind::Ending: result.ended = true; return result;
        }
    }
    return result;
}

AutoRun RunAutomatically(const CNovelModel& model, std::string_view choices, RandomSource random,
                         SaveData* saves) {
    PlayTrace trace;
    const std::string title = "Title: " + sjis::ToUtf8(model.Header.Title);
    trace.Note(title);
    ScriptPlayer player(model, trace, std::move(random));
    AutoRun run;
    if (saves) {
        player.StartNewPlay(); // the counters exist before the carried values are set
        ApplySaveData(*saves, player, model, false);
    }
    run.ended = AutoPlay(player, ParseAutoChoices(choices), 1000000, saves != nullptr).ended;
    if (saves) {
        std::optional<Bookmark> bookmark = std::move(saves->bookmark);
        *saves = SaveDataOf(player, model, false);
        saves->bookmark = std::move(bookmark);
    }
    trace.Note(title);
    run.trace = trace.Text();
    return run;
}

} // namespace miravo::runtime
