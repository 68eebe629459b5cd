#include "editor/script/ListIcons.h"
#include "editor/script/PropertyForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/WideText.h"
#include "novel/NovelData.h"

#include <commctrl.h>

#include <string>
#include <vector>

// The item text editor's link panel: its tool bar, the link mode selector and the list of the
// eight link slots (a header list with check boxes whose rows are read from the item).
namespace miravo {

namespace {

const CNovelItem* CurrentItem(EditorSession& session) {
    const int current = session.State().currentItem;
    return current >= 0 && current < session.Model().Items.Count()
               ? &session.Model().Items[current]
               : nullptr;
}

// The 1-based number of the counter of that name, or 0.
int CounterNumber(const CNovelCounters& counters, const std::string& name) {
    for (int i = 0; i < counters.Count(); ++i) {
        if (counters[i].Name == name) {
            return i + 1;
        }
    }
    return 0;
}

// 有効 is as wide as the check box and the number; 条件 may grow to show a long threshold.
const std::vector<HeaderSection> kLinkSections{{L"有効", 40, 40, 40},
                                               {L"テキスト", 150},
                                               {L"リンク先アイテム", 120},
                                               {L"条件", 60, 60, 100}};

ListCell Plain(std::wstring text) { return {.runs = {{std::move(text)}}}; }

} // namespace

void TTextForm::CreateLinkPanel(HFONT font) {
    linkCaption_.Create({.parent = Handle(), .text = L"リンク一覧 :", .font = font});
    linkEditButton_.Create({.parent = Handle(), .text = L"編集", .font = font,
                            .hint = L"リンクの編集|選択したリンクを編集します"});
    linkUpButton_.Create({.parent = Handle(), .text = L"↑", .font = font,
                          .hint = L"上へ|選択したリンクを上に移動します"});
    linkDownButton_.Create({.parent = Handle(), .text = L"↓", .font = font,
                            .hint = L"下へ|選択したリンクを下に移動します"});
    linkTypeCaption_.Create({.parent = Handle(), .text = L"リンク設定 :", .font = font});
    linkTypeCombo_.Create(WC_COMBOBOXW, {.parent = Handle(),
                                         .style = CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                                         .font = font});
    for (const wchar_t* mode : {L"メニューリンク", L"自動リンク", L"エンディング"}) {
        SendMessageW(linkTypeCombo_.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
    }
    listIcons_ = CreateListIcons();
    linkList_.Create({.parent = Handle(),
                      .sections = kLinkSections,
                      .rowHeight = kLinkRowHeight,
                      .gridLines = true,
                      .checkBoxes = true,
                      .images = listIcons_.Get(),
                      .font = font});
    linkList_.SetRowSource(kLinkSlotCount, [this](int slot) { return LinkRow(slot); });
    SetWindowPos(linkPanel_.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TTextForm::RefreshLinks(bool selectFirst) {
    const CNovelItem* item = CurrentItem(*session_);
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        linkList_.SetChecked(slot,
                             item != nullptr && item->Links[static_cast<std::size_t>(slot)].Enabled);
    }
    if (selectFirst) {
        SelectLinkRow(0);
    }
    InvalidateRect(linkList_.ListHandle(), nullptr, TRUE);
}

void TTextForm::SelectLinkRow(int slot) {
    linkList_.Select(slot);
    session_->State().currentLinkSlot = slot;
}

int TTextForm::SelectedLinkRow() const { return linkList_.Selected(); }

bool TTextForm::LinkRowChecked(int slot) const { return linkList_.Checked(slot); }

void TTextForm::SetLinkRowChecked(int slot, bool checked) {
    linkList_.SetChecked(slot, checked);
    LinkCheckChanged(slot);
}

// A check box was clicked: the item takes every box, the chart shows it.
void TTextForm::LinkCheckChanged(int slot) {
    if (loaded_ && slot >= 0 && slot < kLinkSlotCount) {
        StoreToItem();
        session_->ItemText().SetLinkEnabled(slot, LinkRowChecked(slot));
    }
}

void TTextForm::SetLinkType(int linkType) {
    SendMessageW(linkTypeCombo_.Handle(), CB_SETCURSEL, static_cast<WPARAM>(linkType), 0);
    if (loaded_) {
        StoreToItem();
        session_->ItemText().SetLinkType(static_cast<std::uint8_t>(linkType));
    }
}

// The slot number in bold; the condition as the counter icon, its number, "≧" and the threshold
// in bold ("エラー" in bold for a counter that is gone, "なし" without a condition).
ListRow TTextForm::LinkRow(int slot) const {
    const CNovelItem* item = CurrentItem(*session_);
    if (item == nullptr || slot < 0 || slot >= kLinkSlotCount) {
        return {};
    }
    const CNovelLink& link = item->Links[static_cast<std::size_t>(slot)];
    ListRow row;
    row.cells.push_back({.runs = {{std::to_wstring(slot + 1), true}}, .indent = 2});
    row.cells.push_back(Plain(WidenShiftJis(link.LinkText)));
    row.cells.push_back(Plain(WidenShiftJis(link.Target)));
    ListCell condition{.indent = 2};
    if (!link.UseCounter) {
        condition.runs = {{L"なし"}};
    } else {
        condition.icon = kCounterListIcon;
        const int number = CounterNumber(session_->Model().Counters, link.CounterName);
        condition.runs.push_back(number > 0 ? TextRun{std::to_wstring(number)}
                                            : TextRun{L"エラー", true});
        condition.runs.push_back({L" ≧ "});
        condition.runs.push_back({std::to_wstring(link.Threshold), true});
    }
    row.cells.push_back(std::move(condition));
    return row;
}

std::wstring TTextForm::LinkCellText(int slot, int column) const {
    const ListRow row = LinkRow(slot);
    if (column < 0 || column >= static_cast<int>(row.cells.size())) {
        return {};
    }
    std::wstring text;
    for (const TextRun& run : row.cells[static_cast<std::size_t>(column)].runs) {
        text += run.text;
    }
    return text;
}

void TTextForm::MoveLink(int direction) {
    const int slot = SelectedLinkRow();
    if (slot < 0) {
        return;
    }
    StoreToItem();
    const int moved = session_->ItemText().MoveLink(slot, direction);
    if (moved != slot) {
        RefreshLinks(false);
        SelectLinkRow(moved);
    }
}

void TTextForm::EditLinkClick() {
    const int slot = SelectedLinkRow();
    if (slot < 0 || !session_->ItemText().HasCurrentItem()) {
        return;
    }
    session_->State().currentLinkSlot = slot;
    StoreToItem();
    if (linkDialog_->ShowModal(Handle()) != IDOK) {
        return;
    }
    // The slot takes the edit and is enabled; the chart is redrawn, the novel modified.
    session_->ItemText().EditLink(slot, linkDialog_->Edited());
    RefreshLinks(false);
    SelectLinkRow(slot);
    SetLinkRowChecked(slot, true);
    StoreToItem();
}

void TTextForm::LinkListCommand(WORD notification) {
    switch (notification) {
    case HLN_SELCHANGE: session_->State().currentLinkSlot = SelectedLinkRow(); break;
    case HLN_CHECKCHANGE: LinkCheckChanged(SelectedLinkRow()); break; // the clicked row
    case HLN_DBLCLK:
        if (SelectedLinkRow() >= 0) {
            SelectLinkRow(SelectedLinkRow());
            EditLinkClick();
        }
        break;
    default: break;
    }
}

} // namespace miravo
