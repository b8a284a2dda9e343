#pragma once

#include <string>

namespace editor {

struct EditorState;

// The tip after a save whose model has check errors: "The saved model has 2 errors the game may
// fail on; Tools > Check Model… lists them."
std::string savedModelErrorsTip(int errors);

// File > Save and Save As: the save, then, while tips are enabled and the model written has
// errors by the model check, the tip naming how many. Never a message box: the save itself went
// well.
void saveWithCheckTip(EditorState& state);
void saveAsWithCheckTip(EditorState& state);

} // namespace editor
