#pragma once

#include "editor/model/geoset_model.h"

#include <deque>
#include <string>
#include <vector>

namespace editor {

struct EditorState;

inline constexpr int undoHistorySize = 40;

// One step of the history; it saves only what its kind needs to be reversed.
struct UndoEntry {
    bool used = false;
    std::vector<bool> selectionFlags;
    std::vector<VertexRecord> savedVertices;
    double amount1 = 0;
    double amount2 = 0;
    double amount3 = 0;
    std::string name;
    std::vector<FaceRecord> savedFaces;
};

// The history, newest step first, at most 40 steps; a missing entry is an empty slot.
struct UndoFields {
    std::deque<UndoEntry> undoHistory;
};

// Records a step before a command changes the model (nothing when no model is loaded) and
// shows its name in the Undo menu item.
void takeUndoSnapshot(EditorState& state, bool saveFaces, bool saveVertices, bool saveSelection,
                      double amount1, double amount2, double amount3, const std::string& name);

// Entry k of the history, 1-based, newest first; an empty entry past the last step.
const UndoEntry& undoEntry(const EditorState& state, int k);

// Forgets every step. Used when the arrays are read anew or renumbered: a step taken on the
// old arrays would restore or move the wrong records.
void clearUndoHistory(EditorState& state);

// Brings the Undo menu item in line with the newest step.
void updateUndoMenu(EditorState& state);

} // namespace editor
