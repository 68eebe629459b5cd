#pragma once

#include "editor/chart/ChartOperations.h"
#include "editor/properties/CounterOperations.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/DocumentLifecycle.h"
#include "editor/shell/EditorState.h"
#include "editor/shell/ViewRegistry.h"

namespace miravo {

struct CNovelModel;
class IUserInteraction;

// One editing session over the model: the editor state, the user-interaction interface, the
// registered views and the document operations by concern. The program holds one for the whole
// run, created before the windows and destroyed after them; tests make their own, without
// windows. Windows read their controls, call an operation here and repaint.
class EditorSession {
public:
    EditorSession(CNovelModel& model, IUserInteraction& ui);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    CNovelModel& Model() { return model_; }
    const CNovelModel& Model() const { return model_; }
    EditorState& State() { return state_; }
    const EditorState& State() const { return state_; }
    IUserInteraction& Ui() { return ui_; }
    ViewRegistry& Views() { return views_; }

    // Every editing operation marks the novel modified; saving clears it. Both rebuild the title.
    void SetModified();
    void ClearModified();

    DocumentLifecycle& Lifecycle() { return lifecycle_; }
    ChartOperations& Chart() { return chart_; }
    ItemTextOperations& ItemText() { return itemText_; }
    CounterOperations& Counters() { return counters_; }
    TextWindowOperations& TextWindows() { return textWindows_; }

private:
    CNovelModel& model_;
    IUserInteraction& ui_;
    EditorState state_;
    ViewRegistry views_;
    DocumentLifecycle lifecycle_{*this};
    ChartOperations chart_{*this};
    ItemTextOperations itemText_{*this};
    CounterOperations counters_{*this};
    TextWindowOperations textWindows_{*this};
};

} // namespace miravo
