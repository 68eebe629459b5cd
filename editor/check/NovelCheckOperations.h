#pragma once

#include "editor/script/ItemTextOperations.h"
#include "novel/NovelCheck.h"

#include <optional>
#include <vector>

namespace miravo {

class EditorSession;

// Where a finding leads: the item (by index) and the 1-based line, 0 for the item itself.
struct CheckPlace {
    int itemIndex = -1;
    int line = 0;
    bool operator==(const CheckPlace&) const = default;
};

// The novel check in the editor: run over the model and the saved novel's folder, and the way
// from a finding to its item on the chart and its line in the item text editor.
class NovelCheckOperations {
public:
    explicit NovelCheckOperations(EditorSession& session) : session_(session) {}

    // The text being typed counts: the item text editor stores it first. A novel never saved
    // has no folder yet, so its files are not looked up.
    std::vector<CheckFinding> Run();

    // The finding's item as the novel stands now: by index when it still bears the name, else
    // the last item of that name (the author may have added or deleted items meanwhile).
    // Nothing for a finding outside items or an item that is gone.
    std::optional<CheckPlace> PlaceOf(const CheckFinding& finding) const;

    // Makes the finding's item current and shows its line; false when there is nowhere to go.
    bool GoTo(const CheckFinding& finding);

private:
    EditorSession& session_;
};

} // namespace miravo
