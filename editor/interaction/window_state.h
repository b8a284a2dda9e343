#pragma once

#include "common/dialogs.h"

#include <functional>
#include <string>

namespace editor {

// Enabled states, captions and check marks of the main window's menus and buttons that the
// commands change; the window shows them after every command.
struct MenuState {
    bool mnuToolsEnabled = false;
    bool mnuSaveEnabled = false;
    bool mnuSaveAsEnabled = false;
    bool mnuSwitchGeosetEnabled = false;
    bool mnuSaveGeosetEnabled = false;
    bool mnuMergeGeosetEnabled = false;
    bool viewsEnabled = false; // pbxFront, pbxTop, pbxLeft take mouse input
    bool cmdSnapEnabled = false;
    bool cmdDeleteEnabled = true;
    bool mnuUndoEnabled = false;
    std::string mnuUndoCaption = "Undo";
    bool mnuAddMarkerGraphicallyChecked = false;
    bool mnuShowNormalsChecked = false;
    bool mnuEnableTipsChecked = false;
};

// Fields the main window owns besides the document, the views and the tools.
struct WindowFields {
    std::string versionText; // the build's version, set when the window loads
    bool mouseArmed = true;
    bool placingMarker = false;
    double dragStartH = 0;
    double dragStartV = 0;
    double dragEndH = 0;
    double dragEndV = 0;
    MenuState menus;
    // The tip box: its text and whether it is shown (tips off hides it, keeping the text).
    std::string txtTipsText;
    bool txtTipsVisible = true;
    // The coordinate read-outs under the pointer, in the file's axis order.
    std::string txtXText;
    std::string txtYText;
    std::string txtZText;

    // The platform: modal dialogs and the clipboard (a scripted one in tests and batch runs).
    common::Dialogs* dialogs = nullptr;
    // Starts the 100 ms arming timer that sets mouseArmed again; the window owns the timer.
    std::function<void()> startArmingTimer;
};

} // namespace editor
