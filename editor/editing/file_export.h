#pragma once

namespace editor {

struct EditingState;

// The file filter of File > Export…: one .glb first, a .gltf with its files beside it second.
inline constexpr const char* exportFileFilter = "glTF Binary|*.glb|glTF|*.gltf";

// File > Export…: asks for a .glb or .gltf name and writes the whole model there as glTF 2.0,
// the edited geoset taken from the arrays and the textures found beside the model. What was
// left out or mended is told in one "Warning"; a failure is one "Error" and leaves the file as
// it was. Changes nothing in the document.
void exportModelCommand(EditingState& state);

} // namespace editor
