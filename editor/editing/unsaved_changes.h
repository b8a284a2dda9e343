#pragma once

namespace editor {

struct EditingState;

// Before an action that would drop the edits (Close, Exit, Open, New, Switch Geoset): with
// unsaved changes, asks "Save changes to name.mdl?" with Save, Discard and Cancel. True when
// the action may go on: nothing was unsaved, Discard, or a Save that wrote the model.
bool settleUnsavedChanges(EditingState& state);

// The answers of that question, for the commands that go on differently after each.
enum class UnsavedAnswer { NothingUnsaved, Save, Discard, Cancel };
UnsavedAnswer askAboutUnsavedChanges(EditingState& state);

} // namespace editor
