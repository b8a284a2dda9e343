#pragma once

#include <string>

namespace editor {

struct EditorState;

// The main window's load step: view zooms, tool modes, axes, tool buttons, version text, and
// the decimal-separator warning when the system writes 1.23 as "1,23".
void loadMainWindow(EditorState& state, const std::string& systemTextOf123 = "1.23");

// How long box selection stays disarmed after a model was opened, in milliseconds.
inline constexpr int armingIntervalMs = 100;

// The arming timer fired (100 ms after a model was opened): box selection is allowed again.
void armingTimerFired(EditorState& state);

// Asked before the main window closes: settles unsaved changes (Save, Discard or Cancel). False
// when the window is to stay open.
bool mayCloseMainWindow(EditorState& state);

// The main window's closing step: deletes the working copy, its recovery file and its lock, and
// the extracted file of a model taken from an archive.
void closeMainWindow(EditorState& state);

} // namespace editor
