#include "runtime/PlayerWindow.h"

#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"
#include "picture/PictureReaders.h"
#include "picture/PngWriter.h"
#include "runtime/AutoPlay.h"
#include "runtime/TextLayout.h"

#include <algorithm>
#include <cstring>

namespace miravo::runtime {
namespace {

constexpr wchar_t kClassName[] = L"MiravoRunPlayer";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMilliseconds = 16;
constexpr std::uint64_t kLogoMilliseconds = 2000;
constexpr std::int64_t kMaxDataFileBytes = 64 << 20;

std::wstring Wide(std::string_view shiftJis) {
    const std::u16string text = sjis::ToUtf16(shiftJis);
    return std::wstring(text.begin(), text.end());
}

std::wstring WideUtf8(std::string_view utf8) {
    const std::u16string text = sjis::Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::uint64_t Now() { return GetTickCount64(); }

COLORREF Colour(std::int32_t value) { return COLORREF(std::uint32_t(value) & 0xFFFFFF); }

std::wstring ChoicePrefix(int numbering, std::size_t index) {
    if (numbering == 1)
        return std::to_wstring(index + 1) + L". ";
    if (numbering == 2)
        return std::wstring(1, wchar_t(L'A' + index)) + L". ";
    return L"";
}

} // namespace

PlayerWindow::PlayerWindow(HINSTANCE instance, const LoadedNovel& novel, IBuildFileSystem& files,
                           const RuntimeArguments& arguments)
    : instance_(instance), novel_(novel), files_(files), arguments_(arguments),
      effects_(*this, trace_), stage_([this](const std::string& name) { return Picture(name); }),
      player_(novel.model, effects_), autoChoices_(ParseAutoChoices(arguments.autoChoices)) {
    player_.SetFileNotices(arguments.options.debug);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kScreenWidth;
    info.bmiHeader.biHeight = -kScreenHeight; // rows from the top, as the raster holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    memory_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    oldBitmap_ = SelectObject(memory_, bitmap_);
    SetBkMode(memory_, TRANSPARENT);
    fontState_ =
        FontState{novel.model.Header.FontKind == 1 ? FontFace::Mincho : FontFace::Gothic,
                  novel.model.Header.FontSize, std::uint32_t(novel.model.Header.NormalColor)};
    SelectFont(std::nullopt);

    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, kScreenWidth, kScreenHeight};
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExW(0, kClassName, Wide(novel.model.Header.Title).c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance_, this);
    if (window_)
        sound_ = std::make_unique<SoundPlayer>(
            window_, novel_, files_, [this](const std::string& name, std::string_view reason) {
                ReportMissing(name, reason);
            });
    savePath_ = SaveFilePath(novel, arguments);
    ReadSaves();
}

void PlayerWindow::ReadSaves() {
    bool damaged = false;
    saves_ = LoadSaveFile(savePath_, damaged);
    if (damaged) { // said on the title screen; the next save replaces the file
        saveNotice_ = "セーブデータが壊れているため, 使用しません.";
        trace_.Note("Save: damaged " + PathToUtf8(savePath_));
    }
}

void PlayerWindow::WriteSaves(bool withBookmark) {
    if (novel_.model.Header.SaveMode == 0)
        withBookmark = false;
    SaveData data = SaveDataOf(player_, novel_.model, withBookmark);
    if (!withBookmark)
        data.bookmark = saves_.bookmark;
    try {
        StoreSaveFile(savePath_, data);
        saves_ = data;
        saveNotice_.clear();
        if (withBookmark)
            trace_.Note("Save: bookmark");
    } catch (const std::exception& error) {
        trace_.Note(std::string("Save: failed -- ") + error.what());
    }
}

PlayerWindow::~PlayerWindow() {
    sound_.reset();
    if (window_ != nullptr)
        DestroyWindow(window_);
    SelectObject(memory_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    for (const auto& [state, font] : fonts_)
        DeleteObject(font);
    UnregisterClassW(kClassName, instance_);
}

std::optional<CPicture> PlayerWindow::Picture(const std::string& name) {
    if (name.empty()) // no picture named: nothing is missing
        return std::nullopt;
    const std::optional<std::string> bytes = ReadDataFile(novel_, name, files_, kMaxDataFileBytes);
    if (bytes) {
        try {
            return ReadPicture(*bytes, sjis::ToUtf8(name));
        } catch (const std::exception& error) {
            ReportMissing(name, error.what());
            return std::nullopt;
        }
    }
    ReportMissing(name, "");
    return std::nullopt;
}

void PlayerWindow::ReportMissing(const std::string& name, std::string_view reason) {
    if (mode_ == Mode::Playing) {
        player_.DataFileMissing(name, reason);
        return;
    }
    trace_.FileMissing(name, reason);
    if (arguments_.options.debug && screenNotices_.size() < 8)
        screenNotices_.push_back(sjis::ToUtf8(MissingFileNotice(name, reason)));
}

HFONT PlayerWindow::FontFor(const FontState& state) {
    for (const auto& [known, font] : fonts_)
        if (known.face == state.face && known.size == state.size) // the colour is not the font's
            return font;
    const bool smooth = novel_.model.Header.FontAntialias;
    const HFONT font =
        CreateFontW(-std::clamp(state.size, 8, 200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    smooth ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                    state.face == FontFace::Mincho ? L"MS Mincho" : L"MS Gothic");
    fonts_.emplace_back(state, font);
    return font;
}

void PlayerWindow::SelectFont(const std::optional<FontState>& font) {
    SelectObject(memory_, FontFor(font.value_or(fontState_)));
}

// A new page needs only the current font; the fonts of the last one go.
void PlayerWindow::DropUnusedFonts() {
    const HFONT current = FontFor(fontState_);
    SelectObject(memory_, current);
    std::erase_if(fonts_, [current](const auto& entry) {
        if (entry.second == current)
            return false;
        DeleteObject(entry.second);
        return true;
    });
}

int PlayerWindow::Run(int showCommand) {
    ShowWindow(window_, showCommand);
    if (novel_.model.Header.DisplayMode == 0 && !arguments_.autoPlay)
        ToggleFullScreen();
    ShowLogo();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exitCode_;
}

// ----- Screens ----------------------------------------------------------------------------------

void PlayerWindow::ShowLogo() {
    const CNovelFileHeader& header = novel_.model.Header;
    if (header.LogoGraphic.empty() || arguments_.autoPlay) {
        ShowTitle();
        return;
    }
    mode_ = Mode::Logo;
    stage_.LoadBackground(header.LogoGraphic, ResolvedFade{1, 1, 0});
    if (!header.LogoWave.empty())
        sound_->PlaySoundEffect(header.LogoWave);
    if (!header.LogoMidi.empty())
        sound_->PlayMidi(header.LogoMidi);
    logoUntil_ = Now() + kLogoMilliseconds;
    UpdateTimer();
    InvalidateRect(window_, nullptr, FALSE);
}

void PlayerWindow::ShowTitle() {
    const CNovelFileHeader& header = novel_.model.Header;
    mode_ = Mode::Title;
    screenNotices_.clear(); // the logo's are gone with it
    sound_->StopBgm();
    sound_->StopMidi();
    if (!header.TitleWave.empty())
        sound_->PlayBgm(header.TitleWave, 0);
    if (!header.TitleMidi.empty())
        sound_->PlayMidi(header.TitleMidi);
    trace_.Note("Title: " + sjis::ToUtf8(header.Title));
    stage_.ClearCharacters(ResolvedFade{1, 1, 0});
    stage_.SetTextWindow(nullptr);
    if (!header.TitleGraphic.empty())
        stage_.LoadBackground(header.TitleGraphic, ResolvedFade{1, 1, 0});
    else
        stage_.LoadBackground("", ResolvedFade{1, 1, 0});
    titleEntries_ = {"はじめから"};
    if (header.SaveMode != 0 && saves_.bookmark)
        titleEntries_.push_back("つづきから");
    titleEntries_.push_back("おわる");
    choiceRows_.clear();
    for (const std::string& entry : titleEntries_)
        choiceRows_.push_back(Row{WideUtf8(entry), std::nullopt});
    hover_ = -1;
    lines_.clear();
    rows_.clear();
    if (pages_ == 0) { // "/shot:0:" is the title screen as the reader first sees it
        for (const auto& shot : arguments_.shots)
            if (shot.page == 0)
                SaveShot(shot.file);
    }
    UpdateTimer();
    InvalidateRect(window_, nullptr, FALSE);
}

void PlayerWindow::StartPlay(bool resume) {
    mode_ = Mode::Playing;
    screenNotices_.clear();
    choiceRows_.clear();
    sound_->StopBgm();
    sound_->StopMidi();
    player_.StartNewPlay();
    ApplySaveData(saves_, player_, novel_.model, resume);
    Continue();
}

void PlayerWindow::Continue() {
    waitingClick_ = false;
    waitingFade_ = false;
    waitUntil_ = 0;
    pageReached_ = false;
    const Stop stop = player_.Run();
    switch (stop.kind) {
    case StopKind::Click: waitingClick_ = true; break;
    case StopKind::Wait: waitUntil_ = Now() + std::uint64_t(stop.milliseconds); break;
    case StopKind::Fade: waitingFade_ = true; break;
    case StopKind::Choice: break; // ShowChoices has set the menu
    case StopKind::Ending:
        WriteSaves(false); // the counters carried into the next play
        if (arguments_.autoPlay) {
            trace_.Note("Title: " + sjis::ToUtf8(novel_.model.Header.Title));
            DestroyWindow(window_);
            return;
        }
        ShowTitle();
        return;
    }
    lastTick_ = Now();
    UpdateTimer();
    InvalidateRect(window_, nullptr, FALSE);
}

bool PlayerWindow::TypingDone() const {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < rows_.size() && i < firstRow_ + VisibleRows(); ++i)
        shown += rows_[i].text.size();
    return revealed_ >= double(shown);
}

void PlayerWindow::Advance() {
    if (mode_ == Mode::Logo) {
        ShowTitle();
        return;
    }
    if (mode_ != Mode::Playing)
        return;
    if (stage_.Fading())
        stage_.FinishFade();
    Layout();
    if (!TypingDone()) { // the rest of the page at once
        std::size_t shown = 0;
        for (std::size_t i = 0; i < rows_.size() && i < firstRow_ + VisibleRows(); ++i)
            shown += rows_[i].text.size();
        revealed_ = double(shown);
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    if (firstRow_ + VisibleRows() < rows_.size()) { // the rectangle is full: the next one
        firstRow_ += VisibleRows();
        pageReached_ = false;
        UpdateTimer();
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    if (waitingClick_)
        Continue();
}

void PlayerWindow::Pick(int index) {
    if (mode_ == Mode::Title) {
        if (index < 0 || std::size_t(index) >= titleEntries_.size())
            return;
        const std::string& entry = titleEntries_[std::size_t(index)];
        if (entry == "おわる")
            DestroyWindow(window_);
        else
            StartPlay(entry == "つづきから");
        return;
    }
    if (mode_ != Mode::Playing || index < 0 || std::size_t(index) >= choices_.size())
        return;
    choices_.clear();
    choiceRows_.clear();
    hover_ = -1;
    stage_.SetTextWindow(textWindow_);
    if (player_.Choose(std::size_t(index)))
        Continue();
}

void PlayerWindow::ReachedPage() {
    if (pageReached_)
        return;
    pageReached_ = true;
    ++pages_;
    for (const auto& shot : arguments_.shots) {
        if (shot.page == pages_)
            SaveShot(shot.file);
    }
}

void PlayerWindow::Tick() {
    const std::uint64_t now = Now();
    const std::uint64_t elapsed = now - lastTick_;
    lastTick_ = now;
    if (mode_ == Mode::Logo) {
        if (now >= logoUntil_)
            ShowTitle();
        return;
    }
    if (mode_ == Mode::Title) {
        if (arguments_.autoPlay)
            StartPlay(false);
        return;
    }
    // Fast-forward while Ctrl is held, until the stop SkipMode names; released, it may go on.
    const bool ctrl = GetKeyState(VK_CONTROL) < 0 && GetForegroundWindow() == window_;
    if (!ctrl)
        skipStopped_ = false;
    skipping_ = ctrl && !skipStopped_;
    const bool automatic = arguments_.autoPlay || (skipping_ && choices_.empty());
    if (automatic)
        stage_.FinishFade();
    stage_.Tick();
    Layout();
    if (!TypingDone()) {
        const int speed = std::max(1, novel_.model.Header.MessageSpeed);
        revealed_ += automatic ? 1e9 : double(elapsed) / speed;
        Layout();
        if (TypingDone()) {
            std::size_t shown = 0;
            for (std::size_t i = 0; i < rows_.size() && i < firstRow_ + VisibleRows(); ++i)
                shown += rows_[i].text.size();
            revealed_ = double(shown);
        }
    }
    InvalidateRect(window_, nullptr, FALSE);
    if (waitingFade_ && !stage_.Fading()) {
        Continue();
        return;
    }
    if (waitUntil_ != 0 && (automatic || now >= waitUntil_)) {
        Continue();
        return;
    }
    const bool pageShown =
        TypingDone() && !stage_.Fading() &&
        ((waitingClick_ || firstRow_ + VisibleRows() < rows_.size()) || !choices_.empty());
    if (pageShown) {
        UpdateWindow(window_);
        ReachedPage();
        if (automatic) {
            if (!choices_.empty()) {
                int wanted = 1;
                if (nextAutoChoice_ < autoChoices_.size())
                    wanted = autoChoices_[nextAutoChoice_++];
                Pick(wanted >= 1 && std::size_t(wanted) <= choices_.size() ? wanted - 1 : 0);
            } else {
                Advance();
            }
            return;
        }
    }
    UpdateTimer();
}

void PlayerWindow::UpdateTimer() {
    bool moving = mode_ == Mode::Logo || (mode_ == Mode::Title && arguments_.autoPlay);
    if (mode_ == Mode::Playing) {
        moving = stage_.Fading() || waitingFade_ || waitUntil_ != 0 || !pageReached_ ||
                 arguments_.autoPlay || skipping_;
    }
    if (moving && !timerRunning_) {
        lastTick_ = Now();
        SetTimer(window_, kFrameTimer, kFrameMilliseconds, nullptr);
        timerRunning_ = true;
    } else if (!moving && timerRunning_) {
        KillTimer(window_, kFrameTimer);
        timerRunning_ = false;
    }
}

// ----- Layout and drawing -----------------------------------------------------------------------

int PlayerWindow::LineHeight(const FontState& font) {
    const int size = std::clamp(font.size, 8, 200);
    return size + size / 4;
}

RECT PlayerWindow::TextArea() const {
    const CTextWindow& window = textWindow_ ? *textWindow_ : standardWindow_;
    return RECT{window.TextRect.Left, window.TextRect.Top, window.TextRect.Right,
                window.TextRect.Bottom};
}

RECT PlayerWindow::LinkArea() const {
    if (mode_ == Mode::Title)
        return RECT{200, 320, 440, 460};
    if (linkWindow_)
        return RECT{linkWindow_->TextRect.Left, linkWindow_->TextRect.Top,
                    linkWindow_->TextRect.Right, linkWindow_->TextRect.Bottom};
    return TextArea();
}

std::size_t PlayerWindow::VisibleRows() const {
    const RECT area = TextArea();
    int room = int(area.bottom - area.top);
    std::size_t count = 0;
    for (std::size_t i = firstRow_; i < rows_.size() && RowHeight(rows_[i]) <= room; ++i) {
        room -= RowHeight(rows_[i]);
        ++count;
    }
    if (firstRow_ + count >= rows_.size()) // rows still to come are in the current font
        count += std::size_t(std::max(0, room) / LineHeight());
    return std::max<std::size_t>(1, count);
}

void PlayerWindow::Layout() {
    if (!rowsDirty_)
        return;
    rowsDirty_ = false;
    rows_.clear();
    const RECT area = TextArea();
    const CharacterWidth measure = [this](std::string_view character) {
        const std::wstring wide = Wide(character);
        SIZE size{};
        GetTextExtentPoint32W(memory_, wide.c_str(), int(wide.size()), &size);
        return int(size.cx);
    };
    for (const PageLine& line : lines_) {
        SelectFont(line.font);
        for (const std::string& row : WrapLine(line.text, int(area.right - area.left), measure))
            rows_.push_back(Row{Wide(row), line.font});
    }
    SelectFont(std::nullopt);
}

void PlayerWindow::DrawString(int x, int y, const std::wstring& text, COLORREF colour) {
    const COLORREF shadow = Colour(novel_.model.Header.ShadowColor);
    SetTextColor(memory_, shadow);
    if (novel_.model.Header.FontStyle == 1) {
        TextOutW(memory_, x + 2, y + 2, text.c_str(), int(text.size()));
    } else {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy)
                    TextOutW(memory_, x + dx, y + dy, text.c_str(), int(text.size()));
    }
    SetTextColor(memory_, colour);
    TextOutW(memory_, x, y, text.c_str(), int(text.size()));
}

void PlayerWindow::DrawRows(const std::vector<Row>& rows, std::size_t firstRow, std::size_t visible,
                            double revealed, const RECT& area, int highlight) {
    double left = revealed;
    for (std::size_t i = 0; i < firstRow && i < rows.size(); ++i)
        left -= double(rows[i].text.size());
    int y = int(area.top);
    for (std::size_t i = firstRow; i < rows.size() && i < firstRow + visible && left > 0; ++i) {
        const Row& row = rows[i];
        const std::size_t count = std::min(row.text.size(), std::size_t(left));
        left -= double(row.text.size());
        const FontState font = row.font.value_or(fontState_);
        const COLORREF colour = int(i) == highlight ? Colour(novel_.model.Header.SelectColor)
                                                    : COLORREF(font.color & 0xFFFFFF);
        SelectFont(font);
        DrawString(int(area.left), y, row.text.substr(0, count), colour);
        y += RowHeight(row);
    }
    SelectFont(std::nullopt);
}

void PlayerWindow::Render() {
    const CRaster& screen = stage_.Screen();
    const std::size_t stride = CRaster::StrideFor(kScreenWidth);
    for (int y = 0; y < kScreenHeight; ++y)
        std::memcpy(static_cast<std::uint8_t*>(bits_) + stride * std::size_t(y), screen.Row(y),
                    stride);
    GdiFlush();
    if (mode_ == Mode::Playing) {
        Layout();
        const bool menuOverText =
            !choiceRows_.empty() && (!linkWindow_ || linkWindow_ == textWindow_);
        if (textWindow_ && !menuOverText)
            DrawRows(rows_, firstRow_, VisibleRows(), revealed_, TextArea(), -1);
    }
    if (!choiceRows_.empty())
        DrawRows(choiceRows_, 0, choiceRows_.size(), 1e9, LinkArea(), hover_);
    if (mode_ != Mode::Playing) {
        int y = 16;
        if (mode_ == Mode::Title && !saveNotice_.empty()) {
            DrawString(16, y, WideUtf8(saveNotice_), RGB(255, 255, 255));
            y += LineHeight();
        }
        for (const std::string& notice : screenNotices_) {
            DrawString(16, y, WideUtf8(notice), RGB(255, 255, 255));
            y += LineHeight();
        }
    }
    if (mode_ == Mode::Playing && arguments_.options.debug)
        DrawDebug();
    GdiFlush();
}

int PlayerWindow::HitChoice(int x, int y) const {
    const RECT area = LinkArea();
    if (x < area.left || x >= area.right || y < area.top)
        return -1;
    const int row = (y - int(area.top)) / LineHeight();
    return row < int(choiceRows_.size()) ? row : -1;
}

void PlayerWindow::SaveShot(const std::string& file) {
    Render();
    CRaster raster(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        std::memcpy(raster.Row(y),
                    static_cast<const std::uint8_t*>(bits_) + raster.Stride() * std::size_t(y),
                    raster.Stride());
    try {
        WriteFileAtomically(PathFromUtf8(file), EncodePngRaster(raster));
    } catch (const std::exception& error) {
        trace_.Note(std::string("Shot failed: ") + error.what());
    }
}

// ----- What the script asks ---------------------------------------------------------------------

void PlayerWindow::ClearPage() {
    lines_.clear();
    DropUnusedFonts();
    lineOpen_ = false;
    rows_.clear();
    rowsDirty_ = true;
    firstRow_ = 0;
    revealed_ = 0;
}

void PlayerWindow::ShowText(std::string_view text) {
    if (!lineOpen_)
        lines_.push_back(PageLine{"", fontState_});
    lines_.back().text += text;
    lineOpen_ = true;
    rowsDirty_ = true;
}

void PlayerWindow::EndLine() {
    if (!lineOpen_)
        lines_.push_back(PageLine{"", fontState_});
    lineOpen_ = false;
    rowsDirty_ = true;
}

void PlayerWindow::LoadGraphic(const std::string& file, const ResolvedFade& fade) {
    stage_.LoadBackground(file, fade);
}
void PlayerWindow::FillGraphic(Rgb colour, int opacity, const ResolvedFade& fade) {
    stage_.Fill(colour, opacity, fade);
}
void PlayerWindow::SetCharacter(const std::string& name, const std::string& file,
                                VerticalPlacement v, HorizontalPlacement h,
                                const ResolvedFade& fade) {
    stage_.SetCharacter(name, file, v, h, fade);
}
void PlayerWindow::DeleteCharacter(const std::string& name, const ResolvedFade& fade) {
    stage_.DeleteCharacter(name, fade);
}
void PlayerWindow::ClearCharacters(const ResolvedFade& fade) { stage_.ClearCharacters(fade); }

void PlayerWindow::SetTextWindow(const CTextWindow* window) {
    textWindow_ = window;
    stage_.SetTextWindow(window);
    rowsDirty_ = true;
}

void PlayerWindow::SetLinkWindow(const CTextWindow* window) { linkWindow_ = window; }

void PlayerWindow::SetFont(const FontState& font) {
    fontState_ = font;
    SelectFont(std::nullopt); // for the lines to come and the menus; the page's lines keep theirs
    rowsDirty_ = true;
}

void PlayerWindow::ShowChoices(const std::vector<Choice>& choices) {
    choices_ = choices;
    choiceRows_.clear();
    for (std::size_t i = 0; i < choices.size(); ++i)
        choiceRows_.push_back(
            Row{ChoicePrefix(novel_.model.Header.SelectionNumbering, i) + Wide(choices[i].text),
                std::nullopt});
    hover_ = -1;
    if (linkWindow_ && linkWindow_ != textWindow_)
        stage_.SetTextWindow(linkWindow_);
    if (novel_.model.Header.SaveMode == 1)
        WriteSaves(true);
    if (novel_.model.Header.SkipMode != 1)
        skipStopped_ = skipping_; // fast-forward stops at a menu
}

void PlayerWindow::ItemStarted(const std::string&) {
    if (novel_.model.Header.SkipMode == 1)
        skipStopped_ = skipping_; // fast-forward stops at the end of the item
}

void PlayerWindow::CommandSkipped(std::string_view line, std::string_view reason) {
    if (skippedCommands_.size() >= 4)
        skippedCommands_.erase(skippedCommands_.begin());
    skippedCommands_.push_back(sjis::ToUtf8(line) + " -- " + std::string(reason));
}

void PlayerWindow::FileMissing(const std::string& file, std::string_view reason) {
    // Also over the screen, for a file missing while the text window is hidden.
    CommandSkipped(file, reason.empty() ? "missing" : reason);
}

void PlayerWindow::ToggleFullScreen() {
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        GetWindowRect(window_, &windowedFrame_);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        SetWindowLongPtrW(window_, GWL_STYLE, WS_POPUP | WS_VISIBLE);
        const RECT& r = monitor.rcMonitor;
        SetWindowPos(window_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_FRAMECHANGED);
    } else {
        SetWindowLongPtrW(window_, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        const RECT& r = windowedFrame_;
        SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_FRAMECHANGED | SWP_NOZORDER);
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void PlayerWindow::DrawDebug() {
    std::string text;
    if (const CNovelItem* item = player_.CurrentItem())
        text = sjis::ToUtf8(item->Name) + " : " + std::to_string(player_.Position().line + 1);
    const PlayerCounters& counters = player_.Counters();
    for (int i = 0; i < counters.Count(); ++i)
        text +=
            "  " + sjis::ToUtf8(counters.Record(i).Name) + "=" + std::to_string(counters.Value(i));
    const HFONT small = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                    FIXED_PITCH, L"MS Gothic");
    const HGDIOBJ old = SelectObject(memory_, small);
    SetTextColor(memory_, RGB(255, 255, 0));
    int y = 2;
    for (const std::string& line : [&] {
             std::vector<std::string> lines{text};
             lines.insert(lines.end(), skippedCommands_.begin(), skippedCommands_.end());
             return lines;
         }()) {
        const std::wstring wide = WideUtf8(line);
        TextOutW(memory_, 2, y, wide.c_str(), int(wide.size()));
        y += 16;
    }
    SelectObject(memory_, old);
    DeleteObject(small);
}

void PlayerWindow::PlayBgm(const std::string& file, int fadeIn) { sound_->PlayBgm(file, fadeIn); }
void PlayerWindow::StopBgm() { sound_->StopBgm(); }
void PlayerWindow::FadeOutBgm(int milliseconds) { sound_->FadeOutBgm(milliseconds); }
void PlayerWindow::PlaySoundEffect(const std::string& file) { sound_->PlaySoundEffect(file); }
void PlayerWindow::StopSoundEffect() { sound_->StopSoundEffect(); }
void PlayerWindow::PlayMidi(const std::string& file) { sound_->PlayMidi(file); }
void PlayerWindow::StopMidi() { sound_->StopMidi(); }
// The sequencer has no volume to lower: the music ends where the fade would begin.
void PlayerWindow::FadeOutMidi(int) { sound_->StopMidi(); }

// ----- Messages ---------------------------------------------------------------------------------

LRESULT CALLBACK PlayerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->Handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlayerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // The client area shows the 640 x 480 screen scaled to it, pixel for pixel when it fits.
    auto screenPoint = [this](LPARAM position, int& x, int& y) {
        RECT client;
        GetClientRect(window_, &client);
        x = int(short(LOWORD(position))) * kScreenWidth / std::max<LONG>(1, client.right);
        y = int(short(HIWORD(position))) * kScreenHeight / std::max<LONG>(1, client.bottom);
    };
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        Render();
        RECT client;
        GetClientRect(window_, &client);
        SetStretchBltMode(dc, COLORONCOLOR); // no blur
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory_, 0, 0, kScreenWidth,
                   kScreenHeight, SRCCOPY);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (wParam == kFrameTimer)
            Tick();
        return 0;
    case WM_MOUSEMOVE:
        if (!choiceRows_.empty()) {
            int x = 0, y = 0;
            screenPoint(lParam, x, y);
            const int hit = HitChoice(x, y);
            if (hit != hover_) {
                hover_ = hit;
                InvalidateRect(window_, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (!choiceRows_.empty()) {
            int x = 0, y = 0;
            screenPoint(lParam, x, y);
            Pick(HitChoice(x, y));
        } else {
            Advance();
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            DestroyWindow(window_);
        } else if (wParam >= '1' && wParam <= '9' && !choiceRows_.empty()) {
            Pick(int(wParam - '1'));
        } else if (wParam == VK_CONTROL && mode_ == Mode::Playing) {
            skipping_ = true;
            UpdateTimer();
        } else if (wParam == 'S' && mode_ == Mode::Playing && novel_.model.Header.SaveMode == 2 &&
                   (waitingClick_ || !choices_.empty())) {
            WriteSaves(true);
        } else if (wParam == VK_RETURN || wParam == VK_SPACE) {
            if (!choiceRows_.empty())
                Pick(std::max(hover_, 0));
            else
                Advance();
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_RETURN) { // Alt+Enter: full screen or window
            ToggleFullScreen();
            return 0;
        }
        break;
    case WM_DESTROY:
        KillTimer(window_, kFrameTimer);
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace miravo::runtime
