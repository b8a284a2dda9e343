#pragma once

#include "common/dialogs.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace common {

// Thrown when a prompt finds no answer left after the one Cancel the script allows, so a
// prompt that asks again until it gets a number cannot loop for ever.
class ScriptExhausted : public std::runtime_error {
  public:
    explicit ScriptExhausted(const std::string& prompt);
};

// Dialogs answered from a queue, for tests and the batch tools. Input boxes and file dialogs
// take the next answer of one shared queue (an empty answer is Cancel). When the queue is
// empty, a prompt receives Cancel once; a further prompt throws ScriptExhausted. Every message
// box, copy box and clipboard text is recorded.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        std::string title;
        std::string text;
        bool copyBox = false; // an input box that only offered a text to copy
    };

    std::deque<std::string> answers;
    std::deque<MessageAnswer> yesNoAnswers; // for Yes/No boxes; Yes when empty
    // For questions with their own buttons: the caption of the button to press (any case); the
    // question's default button when empty.
    std::deque<std::string> choiceAnswers;
    std::vector<Shown> shown;
    struct Asked {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    // The filter entry (0-based) each save dialog says was chosen, in turn; when empty, a save
    // dialog says none, and the answer is the path exactly as scripted.
    std::deque<std::size_t> saveFilterEntries;

    std::vector<std::string> prompts; // every input-box prompt and file-dialog filter asked
    std::vector<Asked> inputs;        // every input box asked, in full
    std::string clipboard;
    bool clipboardSet = false;
    std::function<void(const Shown&)> onShown; // called as each message is shown

    // Gives a fresh queue and allows one Cancel again once it is used up.
    void setAnswers(std::deque<std::string> next);

    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageButtons buttons) override;
    int askChoice(const std::string& text, const std::string& title,
                  const std::vector<std::string>& buttons, int defaultButton) override;
    // Takes the next answer of the queue as a 1-based entry number, like an input box would
    // (prompt and title recorded likewise); an empty answer is Cancel, and any other answer
    // that names no entry asks again.
    std::optional<int> pickFromList(const std::string& prompt, const std::string& title,
                                    const std::vector<std::string>& entries) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void showTextToCopy(const std::string& prompt, const std::string& title,
                        const std::string& text) override;
    std::optional<std::string> openFileDialog(const std::string& filter) override;
    std::optional<SaveChoice> chooseSaveFile(const std::string& filter) override;
    void setClipboardText(const std::string& text) override;

  private:
    std::string nextAnswer(const std::string& prompt);
    bool cancelGiven_ = false;
};

} // namespace common
