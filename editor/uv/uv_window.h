#pragma once

#include <array>
#include <string>
#include <vector>

namespace editor {

struct UvEditorState;

// The filter of the "Load Image" dialog: every format the editor reads.
inline constexpr const char* uvImageFilter =
    "Images|*.blp;*.tga;*.png;*.jpg;*.jpeg;*.gif;*.bmp|BLP Textures|*.blp|TGA Images|*.tga|"
    "PNG Images|*.png|JPEG Images|*.jpg;*.jpeg|GIF Images|*.gif|BMP Images|*.bmp";

// The window's load step, each time it is shown after having been closed: modes "S" and "M",
// both axes on, the mode buttons coloured, zoom 1. Pan, the image and the arrays are kept.
void loadUVEditor(UvEditorState& uv);

// Closing the window: nothing is written back; the working copies wait for the next hand-over.
void closeUVEditor(UvEditorState& uv);

// The hand-over from the main window: stores the texture coordinates, deleted and selected flags
// per vertex and the triangle corners, and redraws (the background is held in memory).
void getArray(UvEditorState& uv, std::vector<double> u, std::vector<double> v,
              std::vector<bool> deleted, std::vector<bool> selected,
              std::vector<std::array<int, 3>> faces);

// "Load Image": asks for a BLP, TGA, PNG, JPEG, GIF or BMP file, decodes it once and shows it
// behind the coordinates. Cancel changes nothing; a file that is not a readable picture is
// reported and the previous image stays.
void loadUVImage(UvEditorState& uv);

} // namespace editor
