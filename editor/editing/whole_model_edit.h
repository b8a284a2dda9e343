#pragma once

#include "editor/editing/undo_steps.h"
#include "formats/mdx/mdx_model.h"

#include <functional>
#include <string>

namespace editor {

struct EditingState;

// What a whole-model command did: changed the model, or refused with a message (error), or
// found nothing to do (neither).
struct ModelEditResult {
    bool changed = false;
    std::string error;
};

// A whole-model command: it changes the model and may choose the geoset to edit afterwards
// (1-based; it starts as the edited one).
using ModelEdit = std::function<ModelEditResult(mdx::Model& model, int& geosetNumber)>;

// Runs a whole-model command as one step of the history (kind: a step that saves the document).
// The edited geoset's arrays are committed to the document first, the command changes a copy of
// the whole model, the document's text follows (blocks the command left alone keep their bytes),
// the working copy is written, and the geoset to edit is read again from the new text (the
// nearest one when the command removed it). A refusal is one "Error" message naming the
// command's reason, and changes nothing. True when the model changed.
bool editWholeModel(EditingState& state, UndoKind kind, const ModelEdit& edit);

// Writes the document's text to the working copy, as after a whole-model step or its undo;
// the model file is left alone. A copy that cannot be written is not fatal: the document in
// memory is what saves write.
void keepDocumentInWorkingCopy(EditingState& state);

} // namespace editor
