#pragma once

#include "editor/model/shared_types.h"

#include <string>

namespace editor {

struct EditorState;

// The main window's controls as the state makes them: enabled states, captions and check marks
// of its menus and buttons. The window shows them after every command.
struct MenuState {
    bool mnuToolsEnabled = false;
    bool mnuSaveEnabled = false;
    bool mnuSaveAsEnabled = false;
    bool mnuSwitchGeosetEnabled = false;
    bool mnuSaveGeosetEnabled = false;
    bool mnuExportEnabled = false;
    bool mnuMergeGeosetEnabled = false;
    bool mnuImportMeshEnabled = false;
    bool viewsEnabled = false; // pbxFront, pbxTop, pbxLeft take mouse input
    bool cmdSnapEnabled = false;
    bool cmdDeleteEnabled = true;
    bool mnuUndoEnabled = false;
    std::string mnuUndoCaption = "Undo";
    bool mnuRedoEnabled = false;
    std::string mnuRedoCaption = "Redo";
    bool mnuAddMarkerGraphicallyChecked = false;
    bool mnuShowNormalsChecked = false;
    bool mnuEnableTipsChecked = false;
};
MenuState menuState(const EditorState& state);

// The main window's title: "name.mdl - MDL Moldrin", the name followed by "*" while there are
// unsaved changes; "MDL Moldrin" before a model is opened. A model taken from an archive is named
// "map.w3x: war3mapImported\hero.mdx".
std::string windowTitle(const EditorState& state);

// The tool buttons' colours and the axis menu check marks.
struct ToolButtonState {
    ButtonColour cmdSelect = ButtonColour::ButtonFace;
    ButtonColour cmdAdd = ButtonColour::ButtonFace;
    ButtonColour cmdDeselect = ButtonColour::ButtonFace;
    ButtonColour cmdMove = ButtonColour::ButtonFace;
    ButtonColour cmdRotate = ButtonColour::ButtonFace;
    ButtonColour cmdScale = ButtonColour::ButtonFace;
    ButtonColour cmdExtrude = ButtonColour::ButtonFace;
    ButtonColour cmdClone = ButtonColour::ButtonFace;
    ButtonColour cmdActivateX = ButtonColour::ButtonFace;
    ButtonColour cmdActivateY = ButtonColour::ButtonFace;
    ButtonColour cmdActivateZ = ButtonColour::ButtonFace;
    bool mnuXEnabledChecked = true;
    bool mnuYEnabledChecked = true;
    bool mnuZEnabledChecked = true;
};
ToolButtonState toolButtonState(const EditorState& state);

} // namespace editor
