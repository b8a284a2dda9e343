#pragma once

#include "common/canvas.h"
#include "common/dialogs.h"
#include "common/rgba_image.h"
#include "editor/model/shared_types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace editor {

// The drawing area's size as laid out (6015 x 5655 twips); used when no surface is attached.
inline constexpr double uvViewNominalWidth = 401;
inline constexpr double uvViewNominalHeight = 377;

// Background colours of the texture coordinate editor's mode and axis buttons.
struct UvModeButtons {
    ButtonColour cmdSelect = ButtonColour::ButtonFace;
    ButtonColour cmdAdd = ButtonColour::ButtonFace;
    ButtonColour cmdDeselect = ButtonColour::ButtonFace;
    ButtonColour cmdMove = ButtonColour::ButtonFace;
    ButtonColour cmdRotate = ButtonColour::ButtonFace;
    ButtonColour cmdScale = ButtonColour::ButtonFace;
    ButtonColour cmdUVX = ButtonColour::ButtonFace;
    ButtonColour cmdUVY = ButtonColour::ButtonFace;
};

// One step of the texture editor's history: its caption and the coordinates it replaced.
struct UvStep {
    std::string caption;
    std::vector<double> texU;
    std::vector<double> texV;
};

// The texture coordinate editor window: its own working copies of the geoset's texture
// coordinates, selection, deleted flags and triangle corners, and the view's zoom and pan.
// Arrays are 0-based; entry i belongs to the main window's vertices[i].
struct UvEditorState {
    std::vector<double> texU;
    std::vector<double> texV;
    std::vector<std::array<int, 3>> uvFaces; // 0-based vertex indices, as in faces
    std::vector<bool> uvDeleted;
    std::vector<bool> uvSelected;
    double downU = 0;
    double downV = 0;
    double upU = 0;
    double upV = 0;
    std::string uvSelectionMode = "S"; // "S" select, "A" add, "D" deselect
    std::string uvTransformMode = "M"; // "M" move, "R" rotate, "S" scale
    bool arraysLoaded = false;
    // The background: decoded once when loaded and held until the next load. imagePath is the
    // file it came from ("SOURCE: NAME" for one of the game data; empty for the flat colour of a
    // replaceable texture).
    bool imageLoaded = false;
    std::string imagePath;
    std::shared_ptr<const common::RgbaImage> background;
    // The model and geoset whose own texture was last looked up ("path#N"): each geoset's texture
    // is looked up once, so a picture the user loaded stays while the same geoset comes back.
    std::string textureLookedUpFor;
    // What the look-up has to tell the user (a texture that cannot be found), once; the window
    // shows it in the tip box and clears it.
    std::string textureNote;
    bool xEnabled = true;
    bool yEnabled = true;
    double uvZoom = 1.0;
    std::int32_t uvPanX = 0; // pixels
    std::int32_t uvPanY = 0;

    std::string txtUVX = "0"; // read-outs of the texture position under the mouse
    std::string txtUVY = "0";
    bool windowOpen = false; // loaded and shown; the main window takes no input meanwhile

    // The platform, provided by the window (none in batch runs and most tests): the view's
    // drawing surface in pixels and the dialogs.
    common::Canvas* pbxUVView = nullptr;
    common::Dialogs* dialogs = nullptr;
    // Number of redraws of the view, for tests and the window's repaint scheduling.
    long uvRedrawCount = 0;
    // The window's own undo and redo (uv_undo.h), newest last.
    std::vector<UvStep> uvUndo;
    std::vector<UvStep> uvRedo;
};

} // namespace editor
