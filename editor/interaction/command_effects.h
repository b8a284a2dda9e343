#pragma once

namespace editor {

struct EditorState;

// After a command: acts on what it changed, once. A begun open disarms box selection until the
// arming timer fires; a geoset read anew is fitted into every view and, like a change of the
// model's geosets, outdates the model check's rows; the textures are looked up in the archive
// the model came from, if any; the views are redrawn as the changes need, and the 3D view's
// scene brought up to date.
void finishCommand(EditorState& state);

} // namespace editor
