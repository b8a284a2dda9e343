#include "editor/interaction/window_controls.h"

#include "editor/interaction/editor_state.h"

namespace editor {

MenuState menuState(const EditorState& state) {
    MenuState menus;
    const bool model = state.modelControlsEnabled;
    menus.mnuToolsEnabled = menus.mnuSaveEnabled = menus.mnuSaveAsEnabled = model;
    menus.mnuSwitchGeosetEnabled = menus.mnuSaveGeosetEnabled = menus.mnuExportEnabled = model;
    menus.mnuMergeGeosetEnabled = menus.mnuImportMeshEnabled = menus.viewsEnabled = model;
    menus.cmdSnapEnabled = state.snapEnabled;
    menus.cmdDeleteEnabled = true;
    const auto& newest = undoEntry(state, 1);
    menus.mnuUndoEnabled = newest.used;
    menus.mnuUndoCaption = newest.used ? "Undo " + newest.name() : "Undo";
    const auto& undone = redoEntry(state);
    menus.mnuRedoEnabled = undone.used;
    menus.mnuRedoCaption = undone.used ? "Redo " + undone.name() : "Redo";
    menus.mnuAddMarkerGraphicallyChecked = state.placingMarker;
    menus.mnuShowNormalsChecked = state.showNormals;
    menus.mnuEnableTipsChecked = state.tipsEnabled;
    return menus;
}

std::string windowTitle(const EditorState& state) {
    if (state.modelPath.empty() || !state.modelLoaded)
        return "MDL Moldrin";
    const auto slash = state.modelPath.find_last_of('/');
    const bool archived = state.archivedModel && state.archivedModel->path() == state.modelPath;
    const std::string name = archived                     ? state.archivedModel->origin().title()
                             : slash == std::string::npos ? state.modelPath
                                                          : state.modelPath.substr(slash + 1);
    return name + (state.unsavedChanges ? "*" : "") + " - MDL Moldrin";
}

ToolButtonState toolButtonState(const EditorState& state) {
    ToolButtonState b;
    b.cmdSelect = modeButtonColour(state.selectionMode, "S");
    b.cmdAdd = modeButtonColour(state.selectionMode, "A");
    b.cmdDeselect = modeButtonColour(state.selectionMode, "D");
    b.cmdMove = modeButtonColour(state.transformMode, "M");
    b.cmdRotate = modeButtonColour(state.transformMode, "R");
    b.cmdScale = modeButtonColour(state.transformMode, "S");
    b.cmdExtrude = modeButtonColour(state.transformMode, "E");
    b.cmdClone = state.cloneMode ? ButtonColour::LightRed : ButtonColour::ButtonFace;
    b.cmdActivateX = axisButtonColour(state.axisXEnabled);
    b.cmdActivateY = axisButtonColour(state.axisYEnabled);
    b.cmdActivateZ = axisButtonColour(state.axisZEnabled);
    b.mnuXEnabledChecked = state.axisXEnabled;
    b.mnuYEnabledChecked = state.axisYEnabled;
    b.mnuZEnabledChecked = state.axisZEnabled;
    return b;
}

} // namespace editor
