#include "editor/script/ItemTextOperations.h"

#include "editor/chart/ChartOperations.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"
#include "novel/NovelData.h"

#include <algorithm>
#include <utility>

namespace miravo {

namespace {

CNovelItem& CurrentItem(EditorSession& session) {
    return session.Model().Items[session.State().currentItem];
}

bool ValidSlot(int slot) { return slot >= 0 && slot < kLinkSlotCount; }

} // namespace

bool ItemTextOperations::HasCurrentItem() const {
    const int current = session_.State().currentItem;
    return current >= 0 && current < session_.Model().Items.Count();
}

std::optional<ShownItem> ItemTextOperations::Load() {
    toldReplaced_.clear();
    if (!HasCurrentItem()) {
        return std::nullopt;
    }
    const CNovelItem& item = CurrentItem(session_);
    return ShownItem{.name = UiText::From(SjisString(item.Name)),
                     .text = UiText::From(SjisString(item.Text.Joined()))};
}

SjisString ItemTextOperations::FromWindow(const UiText& text) {
    SjisConversion converted = ToSjis(text.Utf16());
    std::u16string untold;
    const std::u16string& replaced = converted.replaced;
    for (std::size_t i = 0; i < replaced.size();) {
        // A character outside the basic plane is two units.
        const bool pair = replaced[i] >= 0xD800 && replaced[i] <= 0xDBFF && i + 1 < replaced.size();
        std::u16string character = replaced.substr(i, pair ? 2 : 1);
        i += character.size();
        if (std::find(toldReplaced_.begin(), toldReplaced_.end(), character) ==
            toldReplaced_.end()) {
            untold += character;
            toldReplaced_.push_back(std::move(character));
        }
    }
    if (!untold.empty()) {
        session_.Ui().ShowMessage(
            {.text = UiText("Shift-JIS で表せない文字を \"?\" に置き換えました: ") +
                     UiText::FromUtf16(untold),
             .caption = "情報",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Information});
    }
    return std::move(converted.text);
}

void ItemTextOperations::StoreText(const UiText& text) {
    if (HasCurrentItem()) {
        CurrentItem(session_).Text = CTextLines::Split(FromWindow(text).Bytes());
    }
}

void ItemTextOperations::TextEdited() { session_.SetModified(); }

void ItemTextOperations::Rename(const UiText& name) {
    if (!HasCurrentItem()) {
        return;
    }
    CurrentItem(session_).Name = FromWindow(name).Bytes();
    session_.Views().Notify(&IChartView::DrawChart);
    session_.SetModified();
}

void ItemTextOperations::SetLinkType(std::uint8_t linkType) {
    if (HasCurrentItem()) {
        CurrentItem(session_).LinkType = linkType;
        LinksChanged();
    }
}

void ItemTextOperations::SetLinkEnabled(int slot, bool enabled) {
    if (HasCurrentItem() && ValidSlot(slot)) {
        CurrentItem(session_).Links[static_cast<std::size_t>(slot)].Enabled = enabled;
        LinksChanged();
    }
}

void ItemTextOperations::EditLink(int slot, const CNovelLink& link) {
    if (HasCurrentItem() && ValidSlot(slot)) {
        CNovelLink& target = CurrentItem(session_).Links[static_cast<std::size_t>(slot)];
        target = link;
        target.Enabled = true;
        session_.State().currentLinkSlot = slot;
        LinksChanged();
    }
}

int ItemTextOperations::MoveLink(int slot, int direction) {
    const int to = slot + direction;
    if (!HasCurrentItem() || !ValidSlot(slot) || !ValidSlot(to) || direction == 0) {
        return slot;
    }
    auto& links = CurrentItem(session_).Links;
    std::swap(links[static_cast<std::size_t>(slot)], links[static_cast<std::size_t>(to)]);
    session_.State().currentLinkSlot = to;
    LinksChanged();
    return to;
}

void ItemTextOperations::LinksChanged() {
    session_.Views().Notify(&IChartView::DrawChart);
    session_.SetModified();
}

} // namespace miravo
