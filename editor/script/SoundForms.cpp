#include "editor/script/SoundForms.h"

#include "editor/script/CommandDialogResources.h"
#include "editor/script/CommandDialogValues.h"
#include "editor/shell/MVSound.h"
#include "editor/widgets/WideText.h"
#include "novel/FolderFiles.h"

#include <mmsystem.h>

namespace miravo {

namespace {
constexpr std::string_view kPreviewTrack = "preview";
constexpr int kClientWidth = 420;
} // namespace

std::optional<std::wstring> EngineTestPlayer::Play(std::string_view path) {
    if (engine_)
        engine_->Play(kPreviewTrack, path, 0);
    return std::nullopt;
}

void EngineTestPlayer::Stop() {
    if (engine_)
        engine_->Stop(kPreviewTrack);
}

std::optional<std::wstring> MciMidiPlayer::Play(std::string_view path) {
    Stop();
    const std::wstring file = WidenShiftJis(path);
    MCI_OPEN_PARMSW open{};
    open.lpstrDeviceType = L"sequencer";
    open.lpstrElementName = file.c_str();
    MCIERROR error = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                     reinterpret_cast<DWORD_PTR>(&open));
    if (error == 0) {
        device_ = open.wDeviceID;
        MCI_PLAY_PARMS play{};
        error = mciSendCommandW(device_, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
    }
    if (error == 0)
        return std::nullopt;
    Stop();
    wchar_t text[256]{};
    if (!mciGetErrorStringW(error, text, 256))
        return L"MCI error " + std::to_wstring(error);
    return std::wstring(text);
}

void MciMidiPlayer::Stop() {
    if (device_ == 0)
        return;
    mciSendCommandW(device_, MCI_STOP, 0, 0);
    mciSendCommandW(device_, MCI_CLOSE, 0, 0);
    device_ = 0;
}

TComSoundForm::TComSoundForm(IUserInteraction& ui, ITestPlayer& player)
    : TComSoundForm(IDD_COM_SOUND, ui, player, false) {}

TComSoundForm::TComSoundForm(int templateId, IUserInteraction& ui, ITestPlayer& player, bool midi)
    : Dialog(templateId, ui), midi_(midi), player_(player) {}

void TComSoundForm::OnInit() {
    const HWND d = Handle();
    if (!midi_)
        SetWindowTextW(d, caption_.c_str());
    AddDialogControl(d, L"STATIC", L"ファイル名(&F):", -1, 0, 8, 8, 260, 16);
    AddDialogControl(d, L"EDIT", remembered_, IDC_COM_FILE, WS_TABSTOP | ES_AUTOHSCROLL, 8, 26, 260,
                     22, WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"STATIC", midi_ ? L"MIDIファイル一覧(&L):" : L"音声ファイル一覧(&L):", -1,
                     0, 8, 56, 260, 16);
    const HWND list = AddDialogControl(d, L"LISTBOX", L"", IDC_COM_FILES,
                                       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                           LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                       8, 74, 260, 200, WS_EX_CLIENTEDGE);
    rows_.emplace(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)), FileRowOffsets{8, 2});
    if (!folder_.empty()) {
        const auto files = midi_ ? ListNovelFolderFiles(folder_, {u"*.mid"})
                                 : ListNovelFolderFiles(folder_, {u"*.wav", u"*.ogg"});
        for (const std::u16string& entry : files)
            SendMessageW(
                list, LB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(std::wstring(entry.begin(), entry.end()).c_str()));
    }
    const int x = 280;
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, x, 26, 130, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, x, 56, 130, 26);
    AddDialogControl(d, L"BUTTON", L"テスト再生", -1, BS_GROUPBOX, x, 92, 130, 60);
    AddDialogControl(d, L"BUTTON", L"&PLAY", IDC_SOUND_PLAY, WS_TABSTOP, x + 8, 114, 54, 26);
    AddDialogControl(d, L"BUTTON", L"&STOP", IDC_SOUND_STOP, WS_TABSTOP, x + 68, 114, 54, 26);
    if (!midi_ && bgm_) {
        AddDialogControl(d, L"BUTTON", L"フェードイン", -1, BS_GROUPBOX, x, 160, 130, 90);
        AddDialogControl(d, L"BUTTON", L"ON(&F)", IDC_SOUND_FADE_IN, BS_AUTOCHECKBOX | WS_TABSTOP,
                         x + 8, 180, 100, 20);
        AddDialogControl(d, L"STATIC", L"時間(&T):", -1, 0, x + 8, 206, 100, 16);
        fadeIn_.Create({.parent = d,
                        .id = IDC_COM_NUMBER,
                        .x = x + 8,
                        .y = 222,
                        .width = 76,
                        .height = 22,
                        .minimum = 0,
                        .step = 500,
                        .value = fadeInValue_,
                        .font = DialogFont(d)});
        AddDialogControl(d, L"STATIC", L"ミリ秒", -1, 0, x + 88, 226, 38, 16);
    }
    SetClientSize(d, kClientWidth, 284);
}

bool TComSoundForm::OnOK() {
    player_.Stop();
    remembered_ = ItemText(IDC_COM_FILE);
    std::optional<int> fadeIn;
    if (!midi_ && bgm_) {
        fadeInValue_ = fadeIn_.Value();
        if (IsChecked(Handle(), IDC_SOUND_FADE_IN))
            fadeIn = fadeInValue_;
    }
    result_ = SoundResult(NarrowToShiftJis(remembered_), fadeIn);
    return true;
}

void TComSoundForm::OnCancel() { player_.Stop(); }

bool TComSoundForm::OnCommand(int id, int notification, HWND) {
    switch (id) {
    case IDC_COM_FILES:
        if (notification != LBN_SELCHANGE)
            return false;
        {
            const HWND list = Item(IDC_COM_FILES);
            const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
            if (row >= 0) {
                std::wstring entry(std::size_t(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
                SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(entry.data()));
                SetItemText(IDC_COM_FILE, entry);
            }
        }
        return true;
    case IDC_SOUND_PLAY: {
        if (notification != BN_CLICKED)
            return false;
        const std::wstring path =
            (folder_ / std::filesystem::path(ItemText(IDC_COM_FILE))).wstring();
        if (const std::optional<std::wstring> error = player_.Play(NarrowToShiftJis(path)))
            Refuse(UiTextOf(*error));
        return true;
    }
    case IDC_SOUND_STOP:
        if (notification != BN_CLICKED)
            return false;
        player_.Stop();
        return true;
    case IDC_COM_NUMBER: return notification == NEN_DECIDED; // the field keeps its bounds
    default: return false;
    }
}

INT_PTR TComSoundForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18; return TRUE;
    case WM_DRAWITEM:
        if (rows_ && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlID == IDC_COM_FILES) {
            rows_->Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY: player_.Stop(); return FALSE; // every closing stops the test playback
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

TComMidiForm::TComMidiForm(IUserInteraction& ui, ITestPlayer& player)
    : TComSoundForm(IDD_COM_MIDI, ui, player, true) {}

} // namespace miravo
