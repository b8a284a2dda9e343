#pragma once

#include "editor/interaction/model_check_panel.h"

#include <functional>
#include <string>

namespace editor {

// Fields the main window owns besides the document, the views and the tools.
struct WindowFields {
    std::string versionText; // the build's version, set when the window loads
    bool mouseArmed = true;
    double dragStartH = 0;
    double dragStartV = 0;
    double dragEndH = 0;
    double dragEndV = 0;
    // A button went down on a view and has not come up; the views show a preview of the drag.
    bool dragInProgress = false;
    bool dragPreviewShown = false;
    // Help > Enable Tips is checked.
    bool tipsEnabled = false;
    // The tip box: its text and whether it is shown (tips off hides it, keeping the text).
    std::string txtTipsText;
    bool txtTipsVisible = true;
    // The coordinate read-outs under the pointer, in the file's axis order.
    std::string txtXText;
    std::string txtYText;
    std::string txtZText;
    // The Model Check dock's rows, summary and status.
    ModelCheckPanel checkPanel;

    // Starts the 100 ms arming timer that sets mouseArmed again; the window owns the timer.
    std::function<void()> startArmingTimer;
};

} // namespace editor
