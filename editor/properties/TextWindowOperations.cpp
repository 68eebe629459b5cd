#include "editor/properties/TextWindowOperations.h"

#include "editor/properties/CounterOperations.h"
#include "editor/properties/DeletionQuestion.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"

namespace miravo {

TextWindowEditValues TextWindowValuesOf(const CTextWindow& window) {
    return {.name = UiText::From(SjisString(window.Name)),
            .graphicFile = UiText::From(SjisString(window.GraphicFile)),
            .vAlign = window.VAlign,
            .hAlign = window.HAlign,
            .textRect = window.TextRect};
}

int TextWindowOperations::NewWindow() {
    CNovelModel& model = session_.Model();
    CTextWindow& window = model.TextWindows.Add(); // raises at the limit, nothing changed
    int& number = session_.State().newNames.textWindow;
    ++number;
    window.Name = SjisString::FromUtf8("(新規ウインドウ" + std::to_string(number) + ")").Bytes();
    session_.Views().Notify(&ITextWindowListView::RefreshTextWindows);
    session_.SetModified();
    return model.TextWindows.Count() - 1;
}

bool TextWindowOperations::DeleteWindow(int index) {
    CTextWindows& windows = session_.Model().TextWindows;
    if (index < 0 || index >= windows.Count()) {
        return false;
    }
    if (!ConfirmDeletion(session_.Ui(), "テキストウインドウ", SjisString(windows[index].Name))) {
        return false;
    }
    windows.Delete(index);
    session_.Views().Notify(&ITextWindowListView::RefreshTextWindows);
    session_.Views().Notify(&ILinkListView::RepaintLinkList);
    session_.SetModified();
    return true;
}

bool TextWindowOperations::MayEdit() {
    if (session_.State().hasFileName) {
        return true;
    }
    session_.Ui().ShowMessage(
        {.text = "テキストウインドウを編集する前に、\r\nデータを一度保存してください。",
         .caption = "エラー",
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Error});
    return false;
}

bool TextWindowOperations::StoreWindow(int index, const TextWindowEditValues& values) {
    if (values.name.Empty()) {
        session_.Ui().ShowMessage({.text = "テキストウインドウ名を入力してください。",
                                   .caption = "エラー",
                                   .buttons = MessageButtons::Ok,
                                   .icon = MessageIcon::Error});
        return false;
    }
    CTextWindow& window = session_.Model().TextWindows[index];
    window.Name = ToSjis(values.name.Utf16()).text.Bytes();
    window.GraphicFile = ToSjis(values.graphicFile.Utf16()).text.Bytes();
    window.VAlign = values.vAlign;
    window.HAlign = values.hAlign;
    window.TextRect = values.textRect;
    return true;
}

void TextWindowOperations::WindowEdited() {
    session_.Views().Notify(&ITextWindowListView::RefreshTextWindows);
    session_.SetModified();
}

} // namespace miravo
