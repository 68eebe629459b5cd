#include "editor/script/CounterIcon.h"
#include "editor/script/PropertyForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/WideText.h"
#include "novel/NovelData.h"

#include <commctrl.h>

#include <string>

// The item text editor's link panel: its tool bar, the link mode selector and the list of the
// eight link slots (a report-style list view with check boxes; the condition column is drawn
// here).
namespace miravo {

namespace {

enum LinkColumn { kEnabledColumn, kTextColumn, kTargetColumn, kConditionColumn };

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

void SetCellText(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

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
    linkList_.Create(WC_LISTVIEWW,
                     {.parent = Handle(),
                      .style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                               WS_TABSTOP | WS_BORDER,
                      .font = font});
    const HWND list = linkList_.Handle();
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                                LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    // The rows take the height of their (empty) small images.
    rowHeightImages_.Reset(ImageList_Create(1, kLinkRowHeight, ILC_COLOR24, 1, 0));
    ListView_SetImageList(list, rowHeightImages_.Get(), LVSIL_SMALL);
    const struct {
        const wchar_t* caption;
        int width;
    } columns[] = {{L"有効", 40}, {L"テキスト", 150}, {L"リンク先アイテム", 120}, {L"条件", 60}};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].caption);
        column.cx = columns[i].width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    refreshingLinks_ = true;
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = slot;
        const std::wstring number = std::to_wstring(slot + 1);
        item.pszText = const_cast<wchar_t*>(number.c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    refreshingLinks_ = false;
    SetWindowPos(linkPanel_.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TTextForm::RefreshLinks(bool selectFirst) {
    const HWND list = linkList_.Handle();
    const CNovelItem* item = CurrentItem(*session_);
    refreshingLinks_ = true;
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        const CNovelLink* link =
            item != nullptr ? &item->Links[static_cast<std::size_t>(slot)] : nullptr;
        const std::wstring text = link != nullptr ? WidenShiftJis(link->LinkText) : L"";
        const std::wstring target = link != nullptr ? WidenShiftJis(link->Target) : L"";
        SetCellText(list, slot, kTextColumn, text);
        SetCellText(list, slot, kTargetColumn, target);
        ListView_SetCheckState(list, slot, link != nullptr && link->Enabled);
    }
    refreshingLinks_ = false;
    if (selectFirst) {
        SelectLinkRow(0);
    }
    InvalidateRect(list, nullptr, TRUE);
}

void TTextForm::SelectLinkRow(int slot) {
    const HWND list = linkList_.Handle();
    ListView_SetItemState(list, slot, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    session_->State().currentLinkSlot = slot;
}

int TTextForm::SelectedLinkRow() const {
    return ListView_GetNextItem(linkList_.Handle(), -1, LVNI_SELECTED);
}

bool TTextForm::LinkRowChecked(int slot) const {
    return ListView_GetCheckState(linkList_.Handle(), slot) != FALSE;
}

void TTextForm::SetLinkRowChecked(int slot, bool checked) {
    ListView_SetCheckState(linkList_.Handle(), slot, checked);
}

void TTextForm::SetLinkType(int linkType) {
    SendMessageW(linkTypeCombo_.Handle(), CB_SETCURSEL, static_cast<WPARAM>(linkType), 0);
    if (loaded_) {
        StoreToItem();
        session_->ItemText().SetLinkType(static_cast<std::uint8_t>(linkType));
    }
}

std::wstring TTextForm::LinkCellText(int slot, int column) const {
    const CNovelItem* item = CurrentItem(*session_);
    if (item == nullptr || slot < 0 || slot >= kLinkSlotCount) {
        return {};
    }
    const CNovelLink& link = item->Links[static_cast<std::size_t>(slot)];
    switch (column) {
    case kEnabledColumn: return std::to_wstring(slot + 1);
    case kTextColumn: return WidenShiftJis(link.LinkText);
    case kTargetColumn: return WidenShiftJis(link.Target);
    default: break;
    }
    if (!link.UseCounter) {
        return L"なし";
    }
    const int number = CounterNumber(session_->Model().Counters, link.CounterName);
    return (number > 0 ? std::to_wstring(number) : std::wstring(L"エラー")) + L" ≧ " +
           std::to_wstring(link.Threshold);
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

void TTextForm::LinkListNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
            session_->State().currentLinkSlot = change.iItem;
        }
        // A click on a check box: the item takes every box, the chart shows it.
        const bool checkChanged =
            (change.uChanged & LVIF_STATE) != 0 &&
            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
            (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
        if (checkChanged && !refreshingLinks_ && loaded_ && change.iItem >= 0) {
            StoreToItem();
            session_->ItemText().SetLinkEnabled(change.iItem, LinkRowChecked(change.iItem));
        }
        break;
    }
    case NM_DBLCLK: {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (activate.iItem >= 0) {
            SelectLinkRow(activate.iItem);
            EditLinkClick();
        }
        break;
    }
    case NM_CUSTOMDRAW:
        result = DrawLinkCell(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
        break;
    default: break;
    }
}

// The slot number in bold; the condition as the counter picture, its number, "≧" and the
// threshold in bold ("エラー" for a counter that is gone, "なし" without a condition).
LRESULT TTextForm::DrawLinkCell(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: break;
    default: return CDRF_DODEFAULT;
    }
    const int slot = static_cast<int>(draw.nmcd.dwItemSpec);
    if (draw.iSubItem == kEnabledColumn) {
        SelectObject(draw.nmcd.hdc, boldFont_.Get());
        return CDRF_NEWFONT;
    }
    if (draw.iSubItem != kConditionColumn) {
        SelectObject(draw.nmcd.hdc, font_);
        return CDRF_NEWFONT;
    }
    const CNovelItem* item = CurrentItem(*session_);
    if (item == nullptr) {
        return CDRF_DODEFAULT;
    }
    const HDC dc = draw.nmcd.hdc;
    RECT cell{};
    ListView_GetSubItemRect(linkList_.Handle(), slot, kConditionColumn, LVIR_BOUNDS, &cell);
    // Selected as the list draws its other cells: highlighted while it has the focus.
    const bool selected = ListView_GetItemState(linkList_.Handle(), slot, LVIS_SELECTED) != 0 &&
                          GetFocus() == linkList_.Handle();
    FillRect(dc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int save = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right - 1, cell.bottom - 1);
    const CNovelLink& link = item->Links[static_cast<std::size_t>(slot)];
    int x = cell.left + 2;
    const int y = cell.top + 3;
    const auto write = [&](const std::wstring& text, HFONT font) {
        SelectObject(dc, font);
        TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        x += size.cx;
    };
    if (!link.UseCounter) {
        write(L"なし", font_);
    } else {
        DrawCounterIcon(dc, x, cell.top + 1);
        x += kCounterIconSize + 1;
        const int number = CounterNumber(session_->Model().Counters, link.CounterName);
        if (number > 0) {
            write(std::to_wstring(number), font_);
        } else {
            write(L"エラー", boldFont_.Get());
        }
        write(L"≧", font_);
        write(std::to_wstring(link.Threshold), boldFont_.Get());
    }
    RestoreDC(dc, save);
    return CDRF_SKIPDEFAULT;
}

} // namespace miravo
