#pragma once

#include "editor/editing/undo_steps.h"
#include "editor/model/geoset_model.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace editor {

struct EditingState;

inline constexpr int undoHistorySize = 40;

// The position and normal of one vertex, kept by the steps that move the selection.
struct VertexPlacement {
    std::size_t index = 0;
    double x = 0;
    double y = 0;
    double z = 0;
    double normalX = 0;
    double normalY = 0;
    double normalZ = 0;
};

// What a whole-model step saves: the document and everything of the edited geoset that a read
// of it sets, so that undoing the step gives back the very arrays the earlier steps apply to.
struct DocumentSnapshot {
    std::shared_ptr<const ModelDocument> document;
    std::vector<VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    int groupCount = 0;
    VertexExtras extras;
    std::vector<ValuesAsRead> valuesAsRead;
    int geosetNumber = 0;
    bool modelLoaded = false;
};

// One step of the history; it saves only what its kind needs to be reversed (see
// undoKindInfo). The amounts are those of a transformation, or the three axis flags (1.0
// enabled, 0.0 disabled) of a "Set Active Axes" step.
struct UndoEntry {
    bool used = false;
    UndoKind kind = UndoKind::Selection;
    std::vector<bool> selectionFlags; // or the deleted flags of a Delete step
    std::vector<VertexRecord> savedVertices;
    std::vector<FaceRecord> savedFaces;
    std::vector<VertexPlacement> savedPlacements;
    std::shared_ptr<DocumentSnapshot> savedDocument;
    double amount1 = 0;
    double amount2 = 0;
    double amount3 = 0;

    // The step's caption; empty for an empty slot.
    std::string name() const { return used ? undoKindInfo(kind).caption : ""; }
};

// The history, newest step first, at most 40 steps. An entry taken out by Undo is whole and
// goes on the redo list as it is, newest first; a new step clears that list.
struct UndoFields {
    std::deque<UndoEntry> undoHistory;
    std::deque<UndoEntry> redoHistory;
};

// The state a whole-model step saves, and the exchange of it with the state's.
DocumentSnapshot snapshotOf(const GeosetModel& state);
void exchangeSnapshot(GeosetModel& state, DocumentSnapshot& saved);

// Records a step before a command changes the model (nothing when no model is loaded), saving
// what the kind needs.
void takeUndoSnapshot(EditingState& state, UndoKind kind, double amount1 = 0, double amount2 = 0,
                      double amount3 = 0);

// Puts a new step on the history, dropping the oldest past 40, and clears the redo list.
void pushUndoStep(UndoFields& history, UndoEntry entry);

// Puts a step back on the history after a redo, dropping the oldest past 40; the redo list
// stays.
void pushRedoneStep(UndoFields& history, UndoEntry entry);

// Entry k of the history, 1-based, newest first; an empty entry past the last step.
const UndoEntry& undoEntry(const UndoFields& history, int k);

// The newest entry of the redo list; an empty entry when there is none.
const UndoEntry& redoEntry(const UndoFields& history);

// Forgets every step, and the redo list. Used when the arrays are read anew or renumbered: a step
// taken on the old arrays would restore or move the wrong records.
void clearUndoHistory(UndoFields& history);

} // namespace editor
