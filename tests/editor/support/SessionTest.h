#pragma once

#include "editor/shell/EditorSession.h"
#include "novel/NovelData.h"
#include "tests/editor/support/RecordingViews.h"
#include "tests/editor/support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace miravo::test {

// A session over a model of its own, without windows: a scripted answerer and views that record.
// Each test starts from a new novel with nothing recorded yet.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.Lifecycle().NewNovel();
        views.calls.clear();
    }

    CNovelModel model;
    ScriptedInteraction ui;
    EditorSession session{model, ui};
    EditorState& state = session.State();
    RecordingViews views{session.Views()};
};

} // namespace miravo::test
