#pragma once

namespace miravo {

// The text window editor's place. Its operations (new, edit, delete with the text window edit
// dialog) come beside this view; today the list only follows a new or opened novel.
class ITextWindowListView {
public:
    virtual ~ITextWindowListView() = default;
    // The text-window list follows the model's table.
    virtual void RefreshTextWindows() = 0;
};

} // namespace miravo
