#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace common {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The modal dialogs and the clipboard, as the programs' logic needs them. Filters are given in
// the programs' own form, "Description|*.ext|Other|*.x", and each window adapts them.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A message box with a text (CR LF or LF for line breaks), a title and its buttons.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                     MessageButtons buttons = MessageButtons::Ok) = 0;

    // A question with its own buttons ("Save", "Discard", "Cancel"); the index of the button
    // pressed, or -1 when the box was closed without one. defaultButton is the one Enter presses.
    virtual int askChoice(const std::string& text, const std::string& title,
                          const std::vector<std::string>& buttons, int defaultButton) = 0;

    // A list to pick one entry from; the 0-based index picked, or nothing on Cancel.
    virtual std::optional<int> pickFromList(const std::string& prompt, const std::string& title,
                                            const std::vector<std::string>& entries) = 0;

    // An input box; the typed text, or an empty text when the user cancels.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;

    // An input box that only offers a text for the user to copy; whatever comes back is ignored.
    virtual void showTextToCopy(const std::string& prompt, const std::string& title,
                                const std::string& text) = 0;

    // File dialogs: the chosen path, or nothing when the user cancels. A name typed in the save
    // dialog without an extension gets that of the filter entry chosen ("zombie_edit" with
    // "MDX|*.mdx" chosen is "zombie_edit.mdx").
    virtual std::optional<std::string> openFileDialog(const std::string& filter) = 0;
    std::optional<std::string> saveFileDialog(const std::string& filter);

    // The save dialog as the window shows it: the path as typed, and which entry of the filter
    // (0-based) was chosen, when the dialog says.
    struct SaveChoice {
        std::string path;
        std::optional<std::size_t> filterEntry;
    };
    virtual std::optional<SaveChoice> chooseSaveFile(const std::string& filter) = 0;
    // As saveFileDialog, telling the chosen entry too.
    std::optional<SaveChoice> saveFileChoice(const std::string& filter);

    // Clears the clipboard and puts a plain text on it.
    virtual void setClipboardText(const std::string& text) = 0;
};

// The extension (".mdx") of the first pattern of the filter's entry (0-based); empty for an
// entry past the end or a pattern without one ("*").
std::string filterExtension(const std::string& filter, std::size_t entry);

// True when the file name (after the last "/") has a dot after its first character.
bool hasFileExtension(const std::string& path);

} // namespace common
