#pragma once

class QApplication;

namespace common {

// The look both programs share: the Fusion style, which paints the background colours that the
// tool buttons use to show their state on every platform, and the classic button face for every
// button, darker than Fusion's own so that the white of a current mode stands out.
void applyProgramAppearance(QApplication& app);

} // namespace common
