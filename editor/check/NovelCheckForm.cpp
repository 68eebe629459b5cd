#include "editor/check/NovelCheckForm.h"

#include "editor/check/CheckResource.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/WideText.h"

#include <algorithm>

namespace miravo {

namespace {

enum Section { kSeverity, kItem, kLine, kMessage };

ListRow RowOf(const CheckFinding& finding) {
    ListRow row;
    const bool error = finding.severity == CheckSeverity::Error;
    row.cells.resize(4);
    row.cells[kSeverity].runs = {{Widen(SeverityText(finding.severity)), error}};
    row.cells[kItem].runs = {
        {finding.itemIndex < 0 ? L"(ノベル)" : WidenShiftJis(finding.itemName), false}};
    if (finding.line > 0) {
        row.cells[kLine].runs = {{std::to_wstring(finding.line), false}};
        row.cells[kLine].align = CellAlign::Right;
    }
    row.cells[kMessage].runs = {{Widen(finding.message), false}};
    return row;
}

std::wstring SummaryOf(const std::vector<CheckFinding>& findings) {
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const auto& finding) {
        return finding.severity == CheckSeverity::Error;
    });
    const auto warnings = static_cast<std::ptrdiff_t>(findings.size()) - errors;
    if (findings.empty())
        return L"問題は見つかりませんでした.";
    return L"エラー " + std::to_wstring(errors) + L" 件, 警告 " + std::to_wstring(warnings) +
           L" 件";
}

} // namespace

TNovelCheckForm::TNovelCheckForm(EditorSession& session)
    : Dialog(IDD_NOVEL_CHECK, session.Ui()), session_(session), check_(session) {}

void TNovelCheckForm::AttachTo(TMainForm& mainForm) {
    mainForm.Commands().SetAction(ID_NOVEL_CHECK, [this, &mainForm] { Show(mainForm.Handle()); });
}

void TNovelCheckForm::Show(HWND owner) {
    if (Handle() == nullptr || !IsWindow(Handle())) {
        CreateModeless(owner); // OnInit checks
    } else {
        CheckAgainClick();
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TNovelCheckForm::OnInit() {
    list_.Attach(Item(IDC_CHECK_LIST));
    HeaderListArgs args;
    args.sections = {
        {L"種類", 56, 40}, {L"アイテム", 140, 40}, {L"行", 44, 30}, {L"内容", 600, 80}};
    list_.Setup(args);
    CheckAgainClick();
}

void TNovelCheckForm::CheckAgainClick() {
    findings_ = check_.Run();
    ShowFindings();
}

void TNovelCheckForm::ShowFindings() {
    SetItemText(IDC_CHECK_SUMMARY, SummaryOf(findings_));
    list_.SetRowSource(static_cast<int>(findings_.size()),
                       [this](int row) { return RowOf(findings_.at(std::size_t(row))); });
    list_.Select(findings_.empty() ? -1 : 0);
}

void TNovelCheckForm::FindingDoubleClick() {
    const int row = list_.Selected();
    if (row < 0 || row >= static_cast<int>(findings_.size()))
        return;
    if (!check_.GoTo(findings_[std::size_t(row)]))
        MessageBeep(MB_ICONWARNING); // outside items, or the item is gone since the check
}

// Enter goes to the selected finding; the window stays.
bool TNovelCheckForm::OnOK() {
    FindingDoubleClick();
    return false;
}

bool TNovelCheckForm::OnCommand(int id, int notification, HWND control) {
    if (id == IDC_CHECK_AGAIN && notification == BN_CLICKED) {
        CheckAgainClick();
        return true;
    }
    if (id == IDC_CHECK_LIST && notification == HLN_DBLCLK) {
        FindingDoubleClick();
        return true;
    }
    return Dialog::OnCommand(id, notification, control);
}

} // namespace miravo
