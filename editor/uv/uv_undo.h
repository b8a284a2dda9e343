#pragma once

#include <string>

namespace editor {

struct UvEditorState;

// The texture editor's own history of its moves, rotations, scalings and Remaps, newest last, at
// most 40 steps. A step keeps the texture coordinates of before; Undo and Redo exchange them with
// the current ones, so both give the coordinates back bit for bit. A new step clears Redo; a
// hand-over from the main window clears both.
void recordUVStep(UvEditorState& uv, const std::string& caption);
void undoUV(UvEditorState& uv);
void redoUV(UvEditorState& uv);
void clearUVHistory(UvEditorState& uv);

// The Edit menu's captions: "Undo Move" or "Undo" when there is nothing to undo; likewise Redo.
std::string uvUndoCaption(const UvEditorState& uv);
std::string uvRedoCaption(const UvEditorState& uv);

} // namespace editor
