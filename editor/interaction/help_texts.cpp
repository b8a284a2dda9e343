#include "editor/interaction/help_texts.h"

#include "editor/interaction/editor_state.h"

namespace editor {

namespace {

constexpr const char* lineBreak = "\r\n";

std::string selectionText() {
    std::string text =
        "To activate any of the three selection options, simply click on its button. You can "
        "then click and drag with the left mouse button in any of the viewports to manipulate "
        "your selection.";
    text += lineBreak;
    text += lineBreak;
    text += "'Select' clears your current selection and adds the vertices in the bounded are to "
            "the selection. 'Add' doesn't clear it and adds what you have bounded. 'Deselect' "
            "deselects everything you bound and leaves the rest selected.";
    text += lineBreak;
    text += lineBreak;
    text += "There are also some features available in the Tools and Edit menus to help with "
            "selection.";
    text += lineBreak;
    text += " - Edit->Select All: Selects everything.";
    text += lineBreak;
    text += " - Edit->Invert Selection: If a vertex was selected before, it is deselected. If it "
            "wasn't selected, it is selected.";
    text += lineBreak;
    text += " - Tools->Expand Selection: Vertices connected by edges to the currently selected "
            "ones are selected.";
    text += lineBreak;
    return text;
}

std::string transformationsText() {
    std::string text = "There are three transformation options: move, rotate, and scale. Right "
                       "click and drag to use any of them.";
    text += lineBreak;
    text += lineBreak;
    text += "'Move' just moves the selection however much you moved the map. 'Rotate' rotates, "
            "based on how far up or down you drag your mouse. 'Scale' scales depending on how "
            "far up/left (smaller) or down/right (larger). Extrude extends the selection "
            "polygons in the direction you drag your mouse. Delete deletes the vertex and the "
            "associated faces.";
    text += lineBreak;
    text += lineBreak;
    text += "You can enable/disable transformations on an axis by clicking the X, Y, or Z "
            "buttons.";
    return text;
}

std::string markersText() {
    std::string text =
        "Markers are simply marks on the viewports that can be used to keep track of spots "
        "that you want to line things up on. For example, if you were merging a head onto a "
        "body, you might want to make a mark on the neck in order to perfectly line the head "
        "up.";
    text += lineBreak;
    text += lineBreak;
    text += "There are three ways to add markers, each of which is available in the View menu.";
    text += lineBreak;
    text += " - Coordinate input: Manually type in the three coordinates.";
    text += lineBreak;
    text += " - Graphical placement: Choose it in the menu to activate and then click in any of "
            "the three viewports to place.";
    text += lineBreak;
    text += " - Center of selection: Adds it at the center of the selected vertices.";
    return text;
}

} // namespace

HelpText helpText(HelpTopic topic) {
    switch (topic) {
    case HelpTopic::Summary:
        return {"Summary",
                "This program edits MDLs at the vertex level. Simply go to File->Open and choose "
                "an MDL. If there is more than one geoset in the model, it will ask you about "
                "which you want to choose. You may want to use Warcraft 3 Viewer to choose which "
                "geoset you want to use beforehand. To save, just go to File->Save as and choose "
                "where to save it. You can choose File->Save Geoset to make it save a single, "
                "unanimated geoset. This can be useful for geoset merging. No manual MDL editing "
                "is required. Tools->Check Model lists what in the whole model the game may "
                "fail on; double-click a problem to select its vertices."};
    case HelpTopic::Navigation:
        return {"Navigation",
                "The three viewports here are front, top, and left. The set of controls next to "
                "each one controls what section of the model you are looking at. The + and - "
                "buttons zoom in and out. The unlabeled buttons pointing in four directions "
                "shift the view in their indicated direction."};
    case HelpTopic::Selection:
        return {"Selection", selectionText()};
    case HelpTopic::Transformations:
        return {"Transformations", transformationsText()};
    case HelpTopic::Cloning:
        return {"Cloning",
                "Cloning allows you to duplicate sections of the model. Just click the clone "
                "button to active it and then use any of the transformations. The button will "
                "turn reddish to indicate that it is active. The a new version, identical to "
                "what you had selected, will be created and transformed."};
    case HelpTopic::Markers:
        break;
    }
    return {"Markers", markersText()};
}

void showHelp(EditorState& state, HelpTopic topic) {
    if (!state.dialogs)
        return;
    const auto help = helpText(topic);
    state.dialogs->messageBox(help.text, help.title);
}

std::string aboutText(const EditorState& state) {
    return "MDL Moldrin version " + state.versionText;
}

void showAbout(EditorState& state) {
    if (state.dialogs)
        state.dialogs->messageBox(aboutText(state), "About");
}

} // namespace editor
