#pragma once

#include "editor/editing/undo_steps.h"
#include "editor/model/geoset_model.h"

#include <deque>
#include <string>
#include <vector>

namespace editor {

struct EditingState;

inline constexpr int undoHistorySize = 40;

// One step of the history; it saves only what its kind needs to be reversed (see
// undoKindInfo). The amounts are those of a transformation, or the three axis flags (1.0
// enabled, 0.0 disabled) of a "Set Active Axes" step.
struct UndoEntry {
    bool used = false;
    UndoKind kind = UndoKind::Selection;
    std::vector<bool> selectionFlags;
    std::vector<VertexRecord> savedVertices;
    std::vector<FaceRecord> savedFaces;
    double amount1 = 0;
    double amount2 = 0;
    double amount3 = 0;

    // The step's caption; empty for an empty slot.
    std::string name() const { return used ? undoKindInfo(kind).caption : ""; }
};

// The history, newest step first, at most 40 steps. An entry taken out by Undo is whole: it can
// be put on a redo list as it is.
struct UndoFields {
    std::deque<UndoEntry> undoHistory;
};

// Records a step before a command changes the model (nothing when no model is loaded), saving
// what the kind needs.
void takeUndoSnapshot(EditingState& state, UndoKind kind, double amount1 = 0, double amount2 = 0,
                      double amount3 = 0);

// Puts a prepared step on the history, dropping the oldest past 40.
void pushUndoStep(UndoFields& history, UndoEntry entry);

// Entry k of the history, 1-based, newest first; an empty entry past the last step.
const UndoEntry& undoEntry(const UndoFields& history, int k);

// Forgets every step. Used when the arrays are read anew or renumbered: a step taken on the
// old arrays would restore or move the wrong records.
void clearUndoHistory(UndoFields& history);

} // namespace editor
