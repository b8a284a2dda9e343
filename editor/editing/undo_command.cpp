#include "editor/editing/undo_command.h"

#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"
#include "editor/interaction/tool_modes.h"
#include "editor/model/editor_state.h"
#include "editor/views/viewports.h"

#include <algorithm>
#include <string>

namespace editor {

namespace {

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// Restores the flags the step saved. A list taken when the geoset had another number of
// vertices restores the flags both share and leaves the rest unselected.
void restoreSelection(EditorState& state, const std::vector<bool>& flags) {
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i < flags.size() && flags[i];
}

bool reversesByTransform(const std::string& name) {
    return name == "Move" || name == "Scale" || name.rfind("Rotate", 0) == 0;
}

} // namespace

void undoLast(EditorState& state) {
    // The reversing transformation clones first while the toggle is on; when that clone does
    // not fit, nothing is undone and the step stays.
    if (reversesByTransform(undoEntry(state, 1).name) && state.cloneMode && !cloneHasRoom(state))
        return;

    UndoEntry entry; // an empty history restores nothing
    if (!state.undoHistory.empty()) {
        entry = std::move(state.undoHistory.front());
        state.undoHistory.pop_front();
    }
    const std::string& name = entry.name;

    if (isOneOf(name, {"Invert Selection", "Selection", "Select All"})) {
        restoreSelection(state, entry.selectionFlags);
    } else if (name == "Delete") {
        for (auto& vertex : state.vertices)
            if (vertex.selected)
                vertex.deleted = false;
    } else if (name == "Move") {
        moveSelection(state, -entry.amount1, -entry.amount2, -entry.amount3, false);
    } else if (name.rfind("Rotate", 0) == 0) {
        rotateSelection(state, -entry.amount1, name.back(), false);
    } else if (name == "Scale") {
        scaleSelection(state, -entry.amount1, -entry.amount2, false);
    } else if (isOneOf(name, {"Clone", "Weld", "Extrude", "Merge"})) {
        state.vertices = std::move(entry.savedVertices);
        state.faces = std::move(entry.savedFaces);
    } else if (isOneOf(name, {"Align", "Set Coordinates", "Recalculate Normals",
                              "Assign Vertex Group", "Snap", "Mirror", "Snap Normals"})) {
        state.vertices = std::move(entry.savedVertices);
    } else if (name == "Delete Face") {
        state.faces = std::move(entry.savedFaces);
    } else if (name == "Set Active Axes") {
        state.axisXEnabled = entry.amount1 == 1.0;
        state.axisYEnabled = entry.amount2 == 1.0;
        state.axisZEnabled = entry.amount3 == 1.0;
        updateToolButtons(state);
    }

    updateUndoMenu(state);
    refreshViews(state);
}

} // namespace editor
