#include "editor/distribution/ExeWizardForm.h"

#include "editor/distribution/DistributionResource.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/WideText.h"
#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/PackageReader.h"
#include "novel/PlaytestCommandLine.h"

#include <commctrl.h>

namespace miravo {

namespace {

constexpr COLORREF kBannerTop = RGB(0, 0, 128); // navy
constexpr COLORREF kBannerBottom = RGB(196, 196, 255);
constexpr COLORREF kBannerShadow = RGB(0, 0, 128);
constexpr COLORREF kBannerText = RGB(255, 255, 255);
constexpr int kBannerSteps = 64;

constexpr int kPageTitles[] = {IDC_START_TITLE, IDC_TYPE_TITLE,   IDC_HOME_TITLE,
                               IDC_INPUT_TITLE, IDC_MAKE_TITLE,   IDC_FINISH_TITLE,
                               IDC_ERROR_TITLE, IDC_NOERROR_TITLE};

// The page a control of the template belongs to, by its id's range.
int PageOfControl(int id) { return (id - IDC_PAGE_FIRST) / 100; }

std::optional<TExeWizardForm::SurveyPage> SurveyPageOfControl(int id) {
    if (id >= IDC_NOERROR_FIRST)
        return TExeWizardForm::SurveyPage::NoError;
    if (id >= IDC_ERROR_FIRST)
        return TExeWizardForm::SurveyPage::Error;
    if (id >= IDC_SEARCH_FIRST)
        return TExeWizardForm::SurveyPage::Search;
    return std::nullopt; // on the survey page itself
}

// The dialog's face at `height` (pixels as LOGFONT takes them; 0 keeps the dialog's), turned
// by `tenthsOfDegrees` counter-clockwise.
FontHandle DialogFont(HWND dialog, int height, bool bold, int tenthsOfDegrees = 0) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    if (height != 0)
        font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfEscapement = font.lfOrientation = tenthsOfDegrees;
    font.lfQuality = ANTIALIASED_QUALITY;
    return FontHandle(CreateFontIndirectW(&font));
}

std::wstring JoinLines(const std::vector<std::string>& lines) {
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += Widen(lines[i]);
    }
    return text;
}

} // namespace

// The make page while a build runs: its bar, description and log.
class TExeWizardForm::MakePageView : public IExeBuildView {
public:
    explicit MakePageView(TExeWizardForm& form) : form_(form) {}
    void SetProgress(int position, int maximum) override {
        form_.SetBar(IDC_EXEONLY_MAKE_PROGRESS, position, maximum);
    }
    void SetDescription(const std::string& text) override {
        form_.SetItemText(IDC_EXEONLY_MAKE_DESC_LABEL, Widen(text));
        UpdateWindow(form_.Item(IDC_EXEONLY_MAKE_DESC_LABEL));
    }
    void Log(const std::string& line) override {
        const HWND log = form_.Item(IDC_EXEONLY_MAKE_LOG);
        const int end = GetWindowTextLengthW(log);
        SendMessageW(log, EM_SETSEL, end, end);
        const std::wstring text = (end > 0 ? L"\r\n" : L"") + Widen(line);
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void ProcessMessages() override { form_.ProcessMessages(); }
    void ShowError(const std::string& message) override {
        form_.Ui().ShowMessage({.text = UiText::FromUtf8(message),
                                .caption = "Miravo",
                                .buttons = MessageButtons::Ok,
                                .icon = MessageIcon::Error});
    }

private:
    TExeWizardForm& form_;
};

TExeWizardForm::TExeWizardForm(EditorSession& session)
    : Dialog(IDD_EXE_WIZARD, session.Ui()), session_(session), files_(MakeDiskFileSystem()) {}

void TExeWizardForm::AttachTo(TMainForm& mainForm) {
    mainForm.Commands().SetAction(ID_MAKE_RUNTIME,
                                  [this, &mainForm] { ShowModal(mainForm.Handle()); });
}

void TExeWizardForm::OnInit() {
    boldFont_ = DialogFont(Handle(), -15, true);
    for (const int id : kPageTitles)
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), TRUE);
    bannerTitleFont_ = DialogFont(Handle(), -34, true, 900);
    bannerTextFont_ = DialogFont(Handle(), -15, true, 900);
    SetItemText(IDC_START_TEXT,
                L"\u3000ウィザードの質問に答えていけば、簡単に実行形式をつくることが"
                L"できます。\r\n\r\n\r\n[次へ >>] をクリックしてください。");
    CheckRadioButton(Handle(), IDC_RADIO_EXE_ARC, IDC_RADIO_COPY,
                     mode_ == BuildMode::SingleFile ? IDC_RADIO_EXE_ARC : IDC_RADIO_COPY);
    FormShow();
}

void TExeWizardForm::FormShow() { GoToPage(WizardPage::StartPage); }

void TExeWizardForm::GoToPage(WizardPage page) {
    if (page_ == WizardPage::TypeSelect)
        ReadMode();
    page_ = page;
    ShowPageControls();
    NotebookPageChanged();
}

void TExeWizardForm::ReadMode() {
    mode_ = IsDlgButtonChecked(Handle(), IDC_RADIO_COPY) == BST_CHECKED ? BuildMode::SeparateData
                                                                        : BuildMode::SingleFile;
}

void TExeWizardForm::ShowPageControls() {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id < IDC_PAGE_FIRST || id > IDC_PAGE_LAST)
            continue;
        bool visible = PageOfControl(id) == static_cast<int>(page_);
        if (visible && page_ == WizardPage::ExeOnlyHome) {
            const auto inner = SurveyPageOfControl(id);
            visible = !inner || *inner == surveyPage_;
        }
        ShowWindow(child, visible ? SW_SHOW : SW_HIDE);
    }
}

void TExeWizardForm::ShowSurveyPage(SurveyPage page) {
    surveyPage_ = page;
    ShowPageControls();
    UpdateWindow(Handle());
}

void TExeWizardForm::EnableButtons(bool back, bool next, bool cancel) {
    EnableWindow(Item(IDC_WIZ_BACK), back);
    EnableWindow(Item(IDOK), next);
    EnableWindow(Item(IDCANCEL), cancel);
}

void TExeWizardForm::NotebookPageChanged() {
    const WizardButtons buttons = ButtonsOnEntering(page_);
    SetItemText(IDC_WIZ_BACK, Widen(buttons.backCaption));
    SetItemText(IDOK, Widen(buttons.nextCaption));
    EnableButtons(true, true, true);
    switch (page_) {
    case WizardPage::StartPage: EnableButtons(false, true, true); break;
    case WizardPage::ExeOnlyHome: RunSurvey(); break;
    case WizardPage::ExeOnlyInput: ExeonlyDefaultFileBtnClick(); break;
    case WizardPage::ExeOnlyMake: RunBuild(); break;
    case WizardPage::ExeOnlyFinish:
        EnableButtons(buttons.backEnabled, buttons.nextEnabled, buttons.cancelEnabled);
        Ui().ShowMessage({.text = "EXEファイルは、「ウイルスに感染する可能性」があります.\r配布する"
                                  "場合は、*必ず* ウイルス対策ソフトでスキャンしてください.",
                          .caption = "ウイルスに注意",
                          .buttons = MessageButtons::Ok,
                          .icon = MessageIcon::Warning});
        break;
    default: break;
    }
}

void TExeWizardForm::RunSurvey() {
    ShowSurveyPage(SurveyPage::Search);
    EnableButtons(false, false, false);
    SendMessageW(Item(IDC_EXEONLY_ERROR_LOG1), LB_RESETCONTENT, 0, 0);
    SetBar(IDC_EXEONLY_PROGRESS1, 0, 1);
    SetBar(IDC_EXEONLY_PROGRESS2, 0, 1);
    // The survey reads the items' scripts: the text editor's edits first.
    session_.Views().Notify(&ICurrentItemView::StoreToItem);
    NovelFolderFiles folder(*files_, session_.State().novelFolder);
    CollectReferencedFiles(session_.Model(), folder, collected_, [this](int position, int maximum) {
        SetBar(IDC_EXEONLY_PROGRESS1, position, maximum);
        ProcessMessages();
    });
    std::vector<UnusableFile> unusable;
    const std::int64_t total =
        CheckFileSizes(collected_, folder, unusable, [this](int position, int maximum) {
            SetBar(IDC_EXEONLY_PROGRESS2, position, maximum);
            ProcessMessages();
        });
    for (const UnusableFile& file : unusable) {
        SendMessageW(Item(IDC_EXEONLY_ERROR_LOG1), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(UnusableFileLine(file)).c_str()));
    }
    EnableButtons(true, true, true);
    if (total < 0) {
        // The author may go on with the next button or stop with Cancel.
        ShowSurveyPage(SurveyPage::Error);
        return;
    }
    ShowSurveyPage(SurveyPage::NoError);
    SetItemText(IDC_EXEONLY_HOME_LABEL1, Widen(TotalSizeLabel(total)));
    GoToPage(WizardPage::ExeOnlyInput);
}

void TExeWizardForm::RunBuild() {
    EnableButtons(false, false, false);
    SetItemText(IDC_EXEONLY_MAKE_LOG, L"");
    SetFocus(Item(IDC_EXEONLY_MAKE_LOG));
    const EditorState& state = session_.State();
    // The build writes the novel as saving would: the text editor's edits first.
    session_.Views().Notify(&ICurrentItemView::StoreToItem);
    const ExeBuildPaths paths{.runtime = state.programFolder / PathFromUtf8(kRuntimeProgramName),
                              .soundEngine = state.programFolder / PathFromUtf8(kSoundEngineName),
                              .scratch = state.dataFolder / PathFromUtf8(kPlaytestFileName),
                              .novelFolder = state.novelFolder,
                              .output = std::filesystem::path(ItemText(IDC_EXEONLY_EDIT1))};
    MakePageView view(*this);
    lastBuild_ = BuildExe(mode_, session_.Model(), collected_, paths, DrawScrambleSeed(seeds_),
                          *files_, view);
    SetItemText(IDC_EXEONLY_EDIT1, lastBuild_.output.wstring());
    SetItemText(IDC_EXEONLY_MAKE_MEMO, JoinLines(lastBuild_.summary));
    if (lastBuild_.success) {
        GoToPage(WizardPage::ExeOnlyFinish);
        return;
    }
    // Only the way on to the summary.
    EnableButtons(false, true, false);
}

void TExeWizardForm::NextBtnClick() {
    if (const auto next = NextPageOf(page_))
        GoToPage(*next);
}

bool TExeWizardForm::OnOK() {
    // Enter reaches the default button even while it is disabled.
    if (!IsWindowEnabled(Item(IDOK)))
        return false;
    if (page_ == WizardPage::ExeOnlyFinish)
        return true;
    NextBtnClick();
    return false;
}

void TExeWizardForm::BackBtnClick() {
    if (const auto back = BackPageOf(page_))
        GoToPage(*back);
}

void TExeWizardForm::ExeonlyDefaultFileBtnClick() {
    const EditorState& state = session_.State();
    SetItemText(IDC_EXEONLY_EDIT1,
                DefaultOutputPath(state.novelFolder, state.currentFilePath).wstring());
}

void TExeWizardForm::ExeonlyFileRefBtnClick() {
    const EditorState& state = session_.State();
    const auto path = Ui().AskSaveFile(
        {.title = "実行ファイル名の指定",
         .filter = "実行可能ファイル(*.exe)|*.exe",
         .defaultExtension = "exe",
         .initialFolder = state.novelFolder,
         .fileName =
             std::filesystem::path(state.currentFilePath.filename()).replace_extension(".exe"),
         .overwritePrompt = true});
    if (path)
        SetItemText(IDC_EXEONLY_EDIT1, path->wstring());
}

bool TExeWizardForm::OnCommand(int id, int notification, HWND) {
    if (notification != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_WIZ_BACK: BackBtnClick(); return true;
    case IDC_EXEONLY_DEFAULT_FILE_BTN: ExeonlyDefaultFileBtnClick(); return true;
    case IDC_EXEONLY_FILE_REF_BTN: ExeonlyFileRefBtnClick(); return true;
    default: return false;
    }
}

INT_PTR TExeWizardForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Escape and Alt+F4 arrive as Cancel: not while the survey or a build runs, nor on the
        // pages without a cancel.
        if (LOWORD(wParam) == IDCANCEL && !IsWindowEnabled(Item(IDCANCEL)))
            return TRUE;
        if (LOWORD(wParam) == IDCANCEL && page_ == WizardPage::TypeSelect)
            ReadMode();
        break;
    case WM_DRAWITEM:
        if (wParam == IDC_WIZ_BANNER) {
            DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    default: break;
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

void TExeWizardForm::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that owns the quit gets it back.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TExeWizardForm::SetBar(int id, int position, int maximum) {
    const HWND bar = Item(id);
    SendMessageW(bar, PBM_SETRANGE32, 0, maximum > 0 ? maximum : 1);
    SendMessageW(bar, PBM_SETPOS, position, 0);
}

void TExeWizardForm::DrawBanner(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT area = item.rcItem;
    const int height = area.bottom - area.top;
    // A vertical gradient of 64 bands, navy at the top.
    for (int step = 0; step < kBannerSteps; ++step) {
        const auto mix = [step](int from, int to) {
            return from + (to - from) * step / (kBannerSteps - 1);
        };
        const COLORREF colour = RGB(mix(GetRValue(kBannerTop), GetRValue(kBannerBottom)),
                                    mix(GetGValue(kBannerTop), GetGValue(kBannerBottom)),
                                    mix(GetBValue(kBannerTop), GetBValue(kBannerBottom)));
        const RECT band{area.left, area.top + height * step / kBannerSteps, area.right,
                        area.top + height * (step + 1) / kBannerSteps};
        const BrushHandle brush(CreateSolidBrush(colour));
        FillRect(dc, &band, brush.Get());
    }
    // The texts read upwards from the bottom, each over a navy shadow one pixel off.
    SetBkMode(dc, TRANSPARENT);
    const auto text = [dc](HFONT font, int x, int y, const std::wstring& line) {
        const SelectScope select(dc, font);
        SetTextColor(dc, kBannerShadow);
        TextOutW(dc, x + 1, y + 1, line.c_str(), static_cast<int>(line.size()));
        SetTextColor(dc, kBannerText);
        TextOutW(dc, x, y, line.c_str(), static_cast<int>(line.size()));
    };
    text(bannerTitleFont_.Get(), area.left + 8, area.bottom - 12, L"Miravo");
    text(bannerTextFont_.Get(), area.left + 52, area.bottom - 12, L"実行形式作成ウィザード");
}

} // namespace miravo
