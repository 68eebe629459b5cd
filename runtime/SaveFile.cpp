#include "runtime/SaveFile.h"

#include "novel/FileAccess.h"
#include "novel/ScriptSyntax.h"

#include <charconv>

namespace miravo::runtime {
namespace {

constexpr std::string_view kMagic = "MiravoSave 1";
constexpr std::size_t kMaxEntries = 4096;

std::string Hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out = "x"; // never an empty word
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::optional<std::string> Unhex(std::string_view word) {
    if (word.empty() || word[0] != 'x' || word.size() % 2 != 1 || word.size() > 1025)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < word.size(); i += 2) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(word.data() + i, word.data() + i + 2, value, 16);
        if (error != std::errc() || end != word.data() + i + 2)
            return std::nullopt;
        out += char(value);
    }
    return out;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const std::size_t blank = line.find(' ');
        words.push_back(line.substr(0, blank));
        line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    }
    return words;
}

std::optional<std::int32_t> Number(std::string_view word) { return ParseScriptNumber(word); }

template <class T>
std::optional<T> Within(std::string_view word, std::int32_t low, std::int32_t high) {
    const auto value = Number(word);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return T(*value);
}

} // namespace

std::string WriteSaveData(const SaveData& data) {
    std::string text = std::string(kMagic) + "\n";
    for (const auto& [name, value] : data.carried)
        text += "carry " + std::to_string(value) + " " + Hex(name) + "\n";
    if (const auto& mark = data.bookmark) {
        text += "bookmark " + Hex(mark->item) + " " + std::to_string(mark->line) + " " +
                std::to_string(mark->offset) + "\n";
        for (const auto& [name, value] : mark->counters)
            text += "counter " + std::to_string(value) + " " + Hex(name) + "\n";
        const SceneState& scene = mark->scene;
        if (!scene.background.empty())
            text += "background " + Hex(scene.background) + "\n";
        if (scene.filled)
            text += "fill " + std::to_string(scene.fill.red) + " " +
                    std::to_string(scene.fill.green) + " " + std::to_string(scene.fill.blue) + " " +
                    std::to_string(scene.fillOpacity) + "\n";
        for (const SceneCharacter& c : scene.characters)
            text += "character " + std::to_string(int(c.vertical)) + " " +
                    std::to_string(int(c.horizontal)) + " " + Hex(c.name) + " " + Hex(c.file) +
                    "\n";
        text += "window " + std::to_string(scene.textWindow) + " " +
                std::to_string(int(scene.windowHidden)) + " " + std::to_string(scene.linkWindow) +
                "\n";
        text += "font " + std::to_string(int(scene.font.face)) + " " +
                std::to_string(scene.font.size) + " " + std::to_string(scene.font.color) + "\n";
        if (!scene.bgm.empty())
            text += "bgm " + Hex(scene.bgm) + "\n";
        if (!scene.midi.empty())
            text += "midi " + Hex(scene.midi) + "\n";
    }
    text += "end\n";
    return text;
}

std::optional<SaveData> ReadSaveData(std::string_view text) {
    if (text.size() > kMaxSaveFileBytes)
        return std::nullopt;
    SaveData data;
    bool first = true;
    bool ended = false;
    std::size_t entries = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        if (newline == std::string_view::npos)
            return std::nullopt; // every line ends: a cut file is damaged
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline + 1);
        if (ended || ++entries > kMaxEntries)
            return std::nullopt;
        if (first) {
            if (line != kMagic)
                return std::nullopt;
            first = false;
            continue;
        }
        const std::vector<std::string_view> w = Words(line);
        if (w.empty())
            return std::nullopt;
        const std::string_view kind = w[0];
        Bookmark* mark = data.bookmark ? &*data.bookmark : nullptr;
        if (kind == "end" && w.size() == 1) {
            ended = true;
        } else if ((kind == "carry" || kind == "counter") && w.size() == 3) {
            const auto value = Number(w[1]);
            const auto name = Unhex(w[2]);
            if (!value || !name || (kind == "counter" && !mark))
                return std::nullopt;
            (kind == "carry" ? data.carried : mark->counters).emplace_back(*name, *value);
        } else if (kind == "bookmark" && w.size() == 4 && !mark) {
            const auto item = Unhex(w[1]);
            const auto line_ = Within<std::size_t>(w[2], 0, INT32_MAX);
            const auto offset = Within<std::size_t>(w[3], 0, INT32_MAX);
            if (!item || !line_ || !offset)
                return std::nullopt;
            data.bookmark = Bookmark{*item, *line_, *offset, {}, {}};
        } else if (!mark) {
            return std::nullopt;
        } else if ((kind == "background" || kind == "bgm" || kind == "midi") && w.size() == 2) {
            const auto file = Unhex(w[1]);
            if (!file)
                return std::nullopt;
            (kind == "background" ? mark->scene.background
             : kind == "bgm"      ? mark->scene.bgm
                                  : mark->scene.midi) = *file;
        } else if (kind == "fill" && w.size() == 5) {
            const auto r = Within<int>(w[1], 0, 255), g = Within<int>(w[2], 0, 255),
                       b = Within<int>(w[3], 0, 255), a = Within<int>(w[4], 0, 100);
            if (!r || !g || !b || !a)
                return std::nullopt;
            mark->scene.filled = true;
            mark->scene.fill = Rgb{*r, *g, *b};
            mark->scene.fillOpacity = *a;
        } else if (kind == "character" && w.size() == 5) {
            const auto v = Within<int>(w[1], 0, 2), h = Within<int>(w[2], 0, 2);
            const auto name = Unhex(w[3]), file = Unhex(w[4]);
            if (!v || !h || !name || !file || mark->scene.characters.size() >= 256)
                return std::nullopt;
            mark->scene.characters.push_back(
                {*name, *file, VerticalPlacement(*v), HorizontalPlacement(*h)});
        } else if (kind == "window" && w.size() == 4) {
            const auto text_ = Within<int>(w[1], -1, 255), hidden = Within<int>(w[2], 0, 1),
                       link = Within<int>(w[3], -1, 255);
            if (!text_ || !hidden || !link)
                return std::nullopt;
            mark->scene.textWindow = *text_;
            mark->scene.windowHidden = *hidden == 1;
            mark->scene.linkWindow = *link;
        } else if (kind == "font" && w.size() == 4) {
            const auto face = Within<int>(w[1], 0, 1), size = Within<int>(w[2], 1, 1000);
            const auto colour = Within<std::int64_t>(w[3], 0, 0xFFFFFF);
            if (!face || !size || !colour)
                return std::nullopt;
            mark->scene.font = FontState{FontFace(*face), *size, std::uint32_t(*colour)};
        } else {
            return std::nullopt;
        }
    }
    if (!ended)
        return std::nullopt;
    return data;
}

SaveData LoadSaveFile(const std::filesystem::path& path, bool& damaged) {
    damaged = false;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    try {
        if (std::filesystem::file_size(path) <= kMaxSaveFileBytes) {
            if (std::optional<SaveData> read = ReadSaveData(ReadWholeFile(path)))
                return std::move(*read);
        }
    } catch (const std::exception&) {
    }
    damaged = true;
    return {};
}

void StoreSaveFile(const std::filesystem::path& path, const SaveData& data) {
    WriteFileAtomically(path, WriteSaveData(data));
}

SaveData SaveDataOf(const ScriptPlayer& player, const CNovelModel& model, bool withBookmark) {
    SaveData data;
    const PlayerCounters& counters = player.Counters();
    for (int i = 0; i < counters.Count(); ++i) {
        if (counters.Record(i).CarryOver)
            data.carried.emplace_back(counters.Record(i).Name, counters.Value(i));
    }
    const CNovelItem* item = player.CurrentItem();
    if (withBookmark && item) {
        Bookmark mark{
            item->Name, player.Position().line, player.Position().offset, {}, player.Scene()};
        for (int i = 0; i < counters.Count(); ++i)
            mark.counters.emplace_back(counters.Record(i).Name, counters.Value(i));
        data.bookmark = std::move(mark);
    }
    (void)model;
    return data;
}

bool ApplySaveData(const SaveData& data, ScriptPlayer& player, const CNovelModel& model,
                   bool resume) {
    PlayerCounters& counters = player.Counters();
    for (const auto& [name, value] : data.carried) {
        const int index = counters.IndexOf(name);
        if (index >= 0 && counters.Record(index).CarryOver)
            counters.Set(index, value);
    }
    if (!resume || !data.bookmark)
        return false;
    const Bookmark& mark = *data.bookmark;
    const int item = model.Items.IndexOf(mark.item);
    if (item < 0)
        return false;
    for (const auto& [name, value] : mark.counters) {
        const int index = counters.IndexOf(name);
        if (index >= 0)
            counters.Set(index, value);
    }
    SceneState scene = mark.scene;
    if (scene.textWindow >= model.TextWindows.Count())
        scene.textWindow = -1;
    if (scene.linkWindow >= model.TextWindows.Count())
        scene.linkWindow = -1;
    player.Resume(PlayPosition{item, mark.line, mark.offset}, scene);
    return true;
}

} // namespace miravo::runtime
