#pragma once

#include <string>

namespace editor {

struct EditorState;

enum class HelpTopic { Summary, Navigation, Selection, Transformations, Cloning, Markers };

// The title and text of one Help > Instructions item; CR LF marks line breaks.
struct HelpText {
    std::string title;
    std::string text;
};

HelpText helpText(HelpTopic topic);

// Help > Instructions: shows the topic's text in a message box with an OK button.
void showHelp(EditorState& state, HelpTopic topic);

// Help > About: the program's name and version (versionText).
std::string aboutText(const EditorState& state);
void showAbout(EditorState& state);

} // namespace editor
