#pragma once

#include "editor/model/shared_types.h"

#include <QColor>

class QAbstractButton;

namespace editor {

// The colour a tool button shows for a state: white, light red, grey, or the classic button
// face (a fixed grey, so that the white of the current mode stands out under every style).
QColor toolButtonColour(ButtonColour colour);

// Gives the button the background colour of the state.
void paintToolButton(QAbstractButton* button, ButtonColour colour);

} // namespace editor
