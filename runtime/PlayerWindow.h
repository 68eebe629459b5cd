#pragma once

#include "novel/PlaytestCommandLine.h"
#include "runtime/NovelSource.h"
#include "runtime/PlayTrace.h"
#include "runtime/SaveFile.h"
#include "runtime/ScriptPlayer.h"
#include "runtime/SoundPlayer.h"
#include "runtime/Stage.h"
#include "runtime/TeeEffects.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The player's 640 x 480 window: the logo and title screens, then the novel. The script player
// runs until it stops; a window timer paces typing, fades and waits, and runs only while
// something moves, so a waiting player uses no processor time.
namespace miravo::runtime {

class PlayerWindow : private IPlayerEffects {
public:
    PlayerWindow(HINSTANCE instance, const LoadedNovel& novel, IBuildFileSystem& files,
                 const RuntimeArguments& arguments);
    ~PlayerWindow() override;
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    bool Created() const { return window_ != nullptr; }
    // Shows the window and runs its message loop until it is closed; returns the exit code.
    int Run(int showCommand);
    const PlayTrace& Trace() const { return trace_; }

private:
    enum class Mode { Logo, Title, Playing };
    // A font command is a line of its own, so each line of a page keeps one font: the one in
    // force when it began. Text above a font change keeps its font.
    struct PageLine {
        std::string text; // Shift-JIS
        FontState font;
    };
    struct Row {
        std::wstring text;
        std::optional<FontState> font; // none: the current font (menus, the title)
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Screens and the player.
    void ShowLogo();
    void ShowTitle();
    void StartPlay(bool resume);
    void ReadSaves();
    void WriteSaves(bool withBookmark);
    void ToggleFullScreen();
    void DrawDebug();
    void Continue(); // runs the player to its next stop
    void Advance();  // a click or key
    void Pick(int index);
    void Tick();
    void UpdateTimer();
    bool TypingDone() const;
    void ReachedPage(); // a page or menu is shown in full: screenshots
    int HitChoice(int x, int y) const;

    // Drawing.
    void Render();
    void DrawRows(const std::vector<Row>& rows, std::size_t firstRow, std::size_t visible,
                  double revealed, const RECT& area, int highlight);
    void DrawString(int x, int y, const std::wstring& text, COLORREF colour);
    void Layout();
    RECT TextArea() const;
    RECT LinkArea() const;
    static int LineHeight(const FontState& font);
    int LineHeight() const { return LineHeight(fontState_); }
    int RowHeight(const Row& row) const { return LineHeight(row.font.value_or(fontState_)); }
    std::size_t VisibleRows() const; // of the page's rows from firstRow_
    HFONT FontFor(const FontState& font);
    void SelectFont(const std::optional<FontState>& font); // none: the current one
    void DropUnusedFonts();
    std::optional<CPicture> Picture(const std::string& name);
    // A data file that is missing or unreadable: on the page while a novel plays, else on the
    // screen (both with "/debug" only), and in the trace.
    void ReportMissing(const std::string& name, std::string_view reason);
    void SaveShot(const std::string& file);

    // IPlayerEffects: what the script asks to show.
    void ClearPage() override;
    void ShowText(std::string_view text) override;
    void EndLine() override;
    void LoadGraphic(const std::string& file, const ResolvedFade& fade) override;
    void FillGraphic(Rgb colour, int opacity, const ResolvedFade& fade) override;
    void SetCharacter(const std::string& name, const std::string& file, VerticalPlacement v,
                      HorizontalPlacement h, const ResolvedFade& fade) override;
    void DeleteCharacter(const std::string& name, const ResolvedFade& fade) override;
    void ClearCharacters(const ResolvedFade& fade) override;
    void SetTextWindow(const CTextWindow* window) override;
    void SetLinkWindow(const CTextWindow* window) override;
    void SetFont(const FontState& font) override;
    void ShowChoices(const std::vector<Choice>& choices) override;
    void ItemStarted(const std::string& name) override;
    void CommandSkipped(std::string_view line, std::string_view reason) override;
    void FileMissing(const std::string& file, std::string_view reason) override;
    void PlayBgm(const std::string& file, int fadeIn) override;
    void StopBgm() override;
    void FadeOutBgm(int milliseconds) override;
    void PlaySoundEffect(const std::string& file) override;
    void StopSoundEffect() override;
    void PlayMidi(const std::string& file) override;
    void StopMidi() override;
    void FadeOutMidi(int milliseconds) override;

    HINSTANCE instance_;
    const LoadedNovel& novel_;
    IBuildFileSystem& files_;
    const RuntimeArguments& arguments_;
    PlayTrace trace_;
    TeeEffects effects_;
    Stage stage_;
    ScriptPlayer player_;
    HWND window_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    std::vector<std::pair<FontState, HFONT>> fonts_; // those of the page and the current one
    FontState fontState_;
    bool timerRunning_ = false;
    std::unique_ptr<SoundPlayer> sound_; // made with the window

    Mode mode_ = Mode::Logo;
    std::uint64_t logoUntil_ = 0;
    std::vector<std::string> titleEntries_; // UTF-8
    // The page: its lines (Shift-JIS), their rows, how many characters are typed so far.
    std::vector<PageLine> lines_;
    bool lineOpen_ = false;
    std::vector<Row> rows_;
    bool rowsDirty_ = true;
    std::size_t firstRow_ = 0;
    double revealed_ = 0;
    std::uint64_t lastTick_ = 0;
    const CTextWindow* textWindow_ = nullptr;
    const CTextWindow* linkWindow_ = nullptr;
    CTextWindow standardWindow_;
    // What the player waits for.
    bool waitingClick_ = false;
    bool waitingFade_ = false;
    std::uint64_t waitUntil_ = 0;
    std::vector<Choice> choices_;
    std::vector<Row> choiceRows_;
    int hover_ = -1;
    bool pageReached_ = false;
    // "/auto" and "/shot".
    std::vector<int> autoChoices_;
    std::size_t nextAutoChoice_ = 0;
    int pages_ = 0;
    int exitCode_ = 0;
    // Saves: where, what was read, a notice when the file was damaged (UTF-8).
    std::filesystem::path savePath_;
    SaveData saves_;
    std::string saveNotice_;
    // Fast-forward while Ctrl is held; at SkipMode 1 it ends with the item.
    bool skipping_ = false;
    bool skipStopped_ = false;
    std::vector<std::string> skippedCommands_; // "/debug" lists them, UTF-8
    std::vector<std::string> screenNotices_;   // "/debug": files missing on the logo or title
    bool fullScreen_ = false;
    RECT windowedFrame_{};
};

} // namespace miravo::runtime
