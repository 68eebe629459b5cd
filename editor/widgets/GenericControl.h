#pragma once

#include "editor/widgets/Controls.h"

namespace miravo {

// A control of any window class (combo box, list view, ...) that needs no wrapper of its own.
class GenericControl : public Control {
public:
    void Create(const wchar_t* className, const ControlArgs& args) {
        CreateControl(className, args);
    }
};

} // namespace miravo
