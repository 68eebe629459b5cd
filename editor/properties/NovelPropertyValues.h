#pragma once

#include "novel/NovelData.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The state of the novel properties dialog and its mappings to and from the header, without
// windows. Texts are Shift-JIS, as the header holds them.
namespace miravo {

// A working fade of the dialog: effect number 0 to 9 (the order of the effect keywords).
struct WorkingFade {
    int effect = 0;
    int variation = 0;
    int speed = 0;
    bool operator==(const WorkingFade&) const = default;
};

// The radio groups of the dialog, each a list of buttons in the order they stand on their page.
enum class PropertyGroup {
    SaveMode,           // 手動セーブ, 使用しない, オートセーブ
    FontKind,           // ゴシック, 明朝
    FontStyle,          // ふち付き, 影付き
    DisplayMode,        // フルスクリーン, ウインドウモード
    SkipMode,           // 選択肢で停止, アイテムの終わりで停止
    SelectionNumbering, // なし, 数字, アルファベット
};
inline constexpr int kPropertyGroupCount = 6;
inline constexpr int kNoButton = -1;

struct NovelPropertyValues {
    std::string title;
    std::vector<std::string> itemNames; // the start-item list, in item order
    int startItem = kNoButton;          // selected entry of the list
    int messageSpeed = 18;
    WorkingFade fade{4, 0, 500};
    WorkingFade charFade{1, 0, 500};
    // The checked button of each group, by its position in the group; the groups start as a new
    // novel's header would show them.
    std::array<int, kPropertyGroupCount> checked{0, 0, 0, 1, 0, 1};
    int fontSize = 28;
    bool fontAntialias = true;
    std::uint32_t normalColor = 0xFFFFFF;
    std::uint32_t shadowColor = 0x000000;
    std::uint32_t selectColor = 0x0000FF;
    std::uint32_t tipColor = 0xFFFF00;
    std::string logoGraphic, logoMidi, logoWave;
    std::string titleGraphic, titleMidi, titleWave;
    bool midiGMReset = false;
    bool midiGSReset = false;
    bool midiQuickStart = true;

    int& Checked(PropertyGroup group) { return checked[static_cast<int>(group)]; }
    int Checked(PropertyGroup group) const { return checked[static_cast<int>(group)]; }
};

// The dialog's showing: every field from the header, the list from the item names with the
// first name equal to StartItem (letter case aside) selected. A group whose header value is
// none of its buttons' keeps the button it had.
void ShowHeader(const CNovelFileHeader& header, std::vector<std::string> itemNames,
                NovelPropertyValues& values);

// OK: every field back into the header, texts cut to their short strings' capacities. A group
// without a checked button leaves its field as it was (the font and style groups and the screen
// mode take their "else" value instead). LegacyFadeNumber, UsesMp3, the chart size and the
// reserved fields are not touched.
void WriteHeader(const NovelPropertyValues& values, CNovelFileHeader& header);

// The first entry equal to `name` with ASCII letters compared without case, or kNoButton.
int FindNameIgnoringCase(const std::vector<std::string>& names, std::string_view name);

// `text` cut to at most `capacity` bytes, never inside a double-byte character.
std::string CutToCapacity(std::string_view text, std::size_t capacity);

// "初期値に戻す(&D)": quick start on, the two resets off.
void ResetMidiOptions(NovelPropertyValues& values);

// The labels of a working fade (UTF-8): the effect's display name, "バリエーション : <n>" and
// "スピード : <n>ミリ秒".
struct WorkingFadeTexts {
    std::string type;
    std::string variation;
    std::string speed;
};
WorkingFadeTexts WorkingFadeTextsOf(const WorkingFade& fade);

// Where a picture goes in a preview panel: as wide as the panel, or as high when that is too
// tall, proportions kept, centred (halves rounded toward zero).
struct PreviewFit {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PreviewFit&) const = default;
};
PreviewFit FitPreview(int pictureWidth, int pictureHeight, int panelWidth, int panelHeight);
// The panel's text when the file is not there (UTF-8): "(画像なし)" for an empty field,
// "(ファイルが見つかりません)" otherwise.
std::string_view MissingPictureText(std::string_view fieldText);

} // namespace miravo
