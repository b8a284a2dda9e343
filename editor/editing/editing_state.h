#pragma once

#include "common/dialogs.h"
#include "editor/editing/binary_model_file.h"
#include "editor/editing/tool_state.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/working_copy.h"
#include "editor/model/geoset_model.h"
#include "editor/model/shared_types.h"
#include "formats/mdx/model_conversion.h"
#include "gamedata/archive_extraction.h"

namespace editor {

// What the editing commands work on: the document, the tool settings, the undo history and the
// dialogs to ask and tell the user. Commands draw nothing; they record what they changed in
// changes, and whoever ran them redraws and updates its controls once.
struct EditingState : GeosetModel, ToolFields, UndoFields {
    // The platform: modal dialogs and the clipboard (a scripted one in tests and batch runs).
    common::Dialogs* dialogs = nullptr;
    Changes changes;
    // A geoset has been read: the model's menus are enabled and the views take input. They stay
    // so once a geoset was read, even when a later save removed it.
    bool modelControlsEnabled = false;
    // An open was begun: the Snap button is enabled from then on.
    bool snapEnabled = false;
    // The geoset or the model's data differ from the file last opened or saved: set by the
    // commands that change what is saved, cleared by a successful open or save.
    bool unsavedChanges = false;
    // The working copy at tempPath, locked for this editor.
    HeldWorkingCopy workingCopy;
    // The format of the file at modelPath: Save writes it again. The working copy is MDL text
    // either way.
    mdx::FileFormat modelFormat = mdx::FileFormat::Mdl;
    // The model was taken out of an archive (editing/archived_model): modelPath is then this
    // extracted file while it is the model, and each save of it is written back into the archive.
    std::shared_ptr<const gamedata::ExtractedFile> archivedModel;

    void changed(Changes change) { changes |= change; }
};

// Forgets what was changed and returns it; the caller acts on it once.
inline Changes takeChanges(EditingState& state) {
    const Changes taken = state.changes;
    state.changes = Changes();
    return taken;
}

} // namespace editor
