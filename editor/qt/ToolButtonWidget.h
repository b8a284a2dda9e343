#pragma once

#include "editor/model/shared_types.h"

#include <QColor>

class QAbstractButton;

namespace editor {

// The colour a tool button shows for a state: white, light red, grey, or the system's button
// face, the colour every other button has.
QColor toolButtonColour(ButtonColour colour);

// Gives the button the background colour of the state.
void paintToolButton(QAbstractButton* button, ButtonColour colour);

} // namespace editor
