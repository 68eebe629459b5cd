#pragma once

#include "editor/shell/UiText.h"

namespace miravo {

// What the about box shows. Every dialog keeps its state in a values struct like this one, made
// from the model when the dialog is shown and, for dialogs that edit, written back on OK:
//   FooValues FooValuesOf(const CNovelModel&);  void Apply(const FooValues&, CNovelModel&);
// The about box edits nothing, so it has only the first half.
struct AboutValues {
    UiText version;
    UiText soundEngine;
};

AboutValues AboutValuesOf(bool soundEngineActive);

} // namespace miravo
