#include "editor/shell/MainForm.h"

#include "editor/chart/ChartForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/AboutForm.h"
#include "editor/shell/DataFolder.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/Resource.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/Paint.h"
#include "editor/widgets/WideText.h"
#include "novel/NovelData.h"

#include <algorithm>
#include <commctrl.h>
#include <utility>

namespace miravo {

namespace {

constexpr int kToolPanelId = 10;
constexpr int kToolBarId = 11;
constexpr int kStatusBarId = 12;
constexpr int kTitleLabelWidth = 320;
// Posted to itself once the first show has put the window on screen.
constexpr UINT kFormShownMessage = WM_APP + 1;

} // namespace

TMainForm::TMainForm(EditorSession& session, Application& application)
    : session_(session), model_(session.Model()), ui_(session.Ui()), application_(application),
      state_(session.State()), document_(session.Lifecycle()) {}

TMainForm::~TMainForm() { application_.SetIdleHandler({}); }

void TMainForm::Create(const MainFormArgs& args) {
    state_.programFolder = args.programFolder;
    state_.dataFolder = EditorDataFolder(args.programFolder);
    state_.currentFilePath.clear();
    state_.hasFileName = false;
    commandLineFile_ = args.commandLineFile;
    themeLevel_ = args.themeLevel;
    uiFont_ = CreateUiFont(kUiFontFace, 9);
    titleFont_ = CreateUiFont(kUiFontFace, 10, true);
    RegisterWindowClass({.name = L"MiravoMainForm", .background = nullptr});
    MdiFrame::Create(
        {.className = L"MiravoMainForm",
         .text = L"Miravo",
         .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
         .menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU))});
    accelerators_ =
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
    FormCreate();
    titleView_ = session_.Views().Add<ITitleView>(*this);
}

void TMainForm::FormCreate() {
    CreateMdiClient();
    toolPanel_.Create(Handle(), kToolPanelId, kToolPanelHeight);
    CreateToolBar();
    novelTitleLabel_.Create({.parent = toolPanel_.Handle(),
                             .height = kToolPanelHeight,
                             .font = titleFont_.Get(),
                             .alignment = DT_RIGHT,
                             .colour = RGB(32, 48, 96)});
    statusBar_.Create(
        {.parent = Handle(), .id = kStatusBarId, .style = SBARS_SIZEGRIP, .font = uiFont_.Get()});
    statusBar_.SetPanels({-1});
    application_.SetMainWindow(Handle(), MdiClient(), accelerators_);
    application_.SetHintHandler(
        [this](const std::wstring& hint) { statusBar_.SetPanelText(0, L" " + hint); });
    ApplyThemeLevel();
    RegisterCommands();
    LayoutFrame();
}

void TMainForm::CreateToolBar() {
    toolImages_ = CreateToolImages();
    toolBar_.Create(
        {.parent = toolPanel_.Handle(), .id = kToolBarId, .x = 2, .y = 1, .font = uiFont_.Get()},
        toolImages_.Get());
    toolBar_.AddButton({ID_NOVEL_OPEN, kOpenImage, L"開く", L"|ファイルを開く (Ctrl+O)"});
    toolBar_.AddButton({ID_NOVEL_SAVE, kSaveImage, L"保存", L"|上書き保存 (Ctrl+S)"});
    toolBar_.AddButton(
        {ID_NOVEL_PROPERTY, kPropertyImage, L"プロパティ", L"|プロパティの設定 (Ctrl+P)"});
    toolBar_.AddButton({ID_TESTPLAY, kTestplayImage, L"テストプレイ", L"|テストプレイする (F5)"});
    const SIZE size = toolBar_.IdealSize();
    toolBar_.SetBounds(2, (kToolPanelHeight - size.cy) / 2, size.cx, size.cy);
}

void TMainForm::ApplyThemeLevel() {
    toolPanel_.ShowBoxes(themeLevel_ >= 2);
    toolPanel_.ShowBevel(themeLevel_ < 2);
}

void TMainForm::LayoutFrame() {
    const RECT client = ClientRect();
    const int width = client.right;
    SendMessageW(statusBar_.Handle(), WM_SIZE, 0, 0);
    const int statusHeight = IsWindowVisible(statusBar_.Handle()) ? statusBar_.Height() : 0;
    toolPanel_.SetBounds(0, 0, width, kToolPanelHeight);
    const int half = kToolPanelHeight / 2;
    toolPanel_.SetBoxes(
        {{{0, 0, width, half}, RGB(252, 253, 255), RGB(226, 235, 249), true},
         {{0, half, width, kToolPanelHeight}, RGB(214, 227, 246), RGB(190, 209, 238), true},
         {{width - kTitleLabelWidth - 16, 0, width, kToolPanelHeight},
          RGB(214, 227, 246),
          RGB(168, 196, 236),
          false}});
    novelTitleLabel_.SetBounds(width - kTitleLabelWidth - 8, 0, kTitleLabelWidth, kToolPanelHeight);
    SetWindowPos(MdiClient(), nullptr, 0, kToolPanelHeight, width,
                 std::max<int>(client.bottom - kToolPanelHeight - statusHeight, 0), SWP_NOZORDER);
}

void TMainForm::AttachChildren(const WindowRegistry& windows) {
    children_ = &windows;
    if (auto* chart = windows.Find<TChartForm>()) {
        chart->RegisterCommands(*this);
    }
}

void TMainForm::ShowFirst(int showCommand) {
    FormShow();
    if (!IsZoomed(Handle())) {
        Show(showCommand);
    } else {
        Show(SW_SHOW);
    }
    PostMessageW(Handle(), kFormShownMessage, 0, 0);
}

void TMainForm::FormShow() {
    ReadSettings();
    document_.NewNovel();
}

void TMainForm::FormShown() {
    UpdateWindow(Handle());
    for (const MessageRequest& message : std::exchange(messagesWhenOnScreen_, {})) {
        ui_.ShowMessage(message);
    }
    if (!commandLineFile_.empty()) {
        document_.OpenNovelFile(commandLineFile_);
    }
    if (state_.firstRun) {
        const MessageResult answer = ui_.ShowMessage(
            {.text =
                 "初回の起動です.\r\nMiravo の編集ファイル(.mve)に関連付けを行いますか？\r\n"
                 "([はい]を推奨します)\r\n\r\n※ 関連付けを行うと、編集ファイルをダブルクリックで"
                 "開けるようになります. \r\n関連付けには管理者権限が必要です. "
                 "(後で関連付けすることもできます).",
             .caption = "ファイルの関連付け",
             .buttons = MessageButtons::YesNo,
             .icon = MessageIcon::Question});
        if (answer == MessageResult::Yes) {
            StartAssociator();
        }
    }
}

bool TMainForm::FormCloseQuery() {
    if (!document_.CheckSave()) {
        return false;
    }
    FormCloseCleanup();
    return true;
}

void TMainForm::FormCloseCleanup() {
    std::error_code ignored;
    std::filesystem::remove(state_.dataFolder / kScratchFileName, ignored);
    try {
        WriteSettings();
    } catch (...) {
        // A settings file that cannot be written must not keep the editor from closing.
        OnException(std::current_exception());
    }
}

bool TMainForm::FormQueryEndSession() { return document_.CheckSave(); }

// Windows ends the process after this returns: no close follows, so the cleanup is done here.
void TMainForm::FormEndSession(bool ending) {
    if (ending) {
        FormCloseCleanup();
    }
}

void TMainForm::UpdateTitle() {
    SetText(Widen(document_.WindowTitle()));
    novelTitleLabel_.SetText(WidenShiftJis(model_.Header.Title));
}

void TMainForm::OnException(std::exception_ptr error) {
    ui_.ShowMessage({.text = UiTextOf(ExceptionText(error)),
                     .caption = "Miravo",
                     .buttons = MessageButtons::Ok,
                     .icon = MessageIcon::Error});
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HandleCommand(LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_INITMENUPOPUP: InitMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
    case WM_MENUSELECT:
        // Menu items carry no hints: the status bar shows an empty one while a menu is open.
        application_.SetHint(L"");
        break;
    case WM_SIZE: LayoutFrame(); return 0;
    case kFormShownMessage: FormShown(); return 0;
    case WM_CLOSE:
        if (FormCloseQuery()) {
            DestroyWindow(Handle());
        }
        return 0;
    case WM_QUERYENDSESSION: return FormQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION: FormEndSession(wParam != FALSE); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefaultMessage(message, wParam, lParam);
}

void TMainForm::NovelNewClick() {
    if (document_.CheckSave()) {
        document_.NewNovel();
    }
}

void TMainForm::NovelOpenClick() { document_.OpenWithDialog(); }

void TMainForm::NovelSaveClick() { document_.Save(); }

void TMainForm::NovelSaveAsClick() { document_.SaveAs(); }

void TMainForm::AssociateClick() {
    const MessageResult answer = ui_.ShowMessage(
        {.text = "Miravo の編集ファイル(.mve)に関連付けを行いますか？\r\n\r\n※ 関連付けを行うと、"
                 "編集ファイルをダブルクリックで開けるようになります. \r\n関連付けには管理者権限が"
                 "必要です.\r\n",
         .caption = "ファイルの関連付け",
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Question});
    if (answer == MessageResult::Yes) {
        StartAssociator();
    }
}

void TMainForm::ChartBmpSaveClick() {
    if (const auto path = document_.AskChartBitmapFile()) {
        children_->Get<TChartForm>().SaveChartBitmap(*path);
    }
}

void TMainForm::TextSaveClick() { document_.ExportText(TextExportKind::Script); }

void TMainForm::PlaneTextSaveClick() { document_.ExportText(TextExportKind::PlainText); }

void TMainForm::ExitMenuClick() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::AboutClick() { children_->Get<TAboutForm>().ShowModal(Handle()); }

} // namespace miravo
