#include "common/scripted_dialogs.h"

#include "common/number_text.h"

#include <algorithm>
#include <cctype>

namespace common {

ScriptExhausted::ScriptExhausted(const std::string& prompt)
    : std::runtime_error("no answer left for the prompt \"" + prompt + "\"") {}

void ScriptedDialogs::setAnswers(std::deque<std::string> next) {
    answers = std::move(next);
    cancelGiven_ = false;
}

std::string ScriptedDialogs::nextAnswer(const std::string& prompt) {
    prompts.push_back(prompt);
    if (!answers.empty()) {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (!cancelGiven_) {
        cancelGiven_ = true;
        return {};
    }
    throw ScriptExhausted(prompt);
}

MessageAnswer ScriptedDialogs::messageBox(const std::string& text, const std::string& title,
                                          MessageButtons buttons) {
    shown.push_back({title, text, false});
    if (onShown)
        onShown(shown.back());
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (yesNoAnswers.empty())
        return MessageAnswer::Yes;
    auto answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

int ScriptedDialogs::askChoice(const std::string& text, const std::string& title,
                               const std::vector<std::string>& buttons, int defaultButton) {
    shown.push_back({title, text, false});
    if (onShown)
        onShown(shown.back());
    if (choiceAnswers.empty())
        return defaultButton;
    const auto lower = [](std::string word) {
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return word;
    };
    const std::string answer = lower(choiceAnswers.front());
    choiceAnswers.pop_front();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (lower(buttons[i]) == answer)
            return static_cast<int>(i);
    return -1;
}

std::optional<int> ScriptedDialogs::pickFromList(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::vector<std::string>& entries) {
    for (;;) {
        const std::string answer = inputBox(prompt, title, "1");
        if (answer.empty())
            return std::nullopt;
        const auto number = parseInteger32(answer);
        if (parseNumber(answer) && number && *number >= 1 &&
            *number <= static_cast<int>(entries.size()))
            return *number - 1;
    }
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    return nextAnswer(prompt);
}

void ScriptedDialogs::showTextToCopy(const std::string&, const std::string& title,
                                     const std::string& text) {
    shown.push_back({title, text, true});
    if (onShown)
        onShown(shown.back());
}

std::optional<std::string> ScriptedDialogs::openFileDialog(const std::string& filter) {
    auto answer = nextAnswer(filter);
    if (answer.empty())
        return std::nullopt;
    return answer;
}

std::optional<Dialogs::SaveChoice> ScriptedDialogs::chooseSaveFile(const std::string& filter) {
    auto answer = openFileDialog(filter);
    if (!answer)
        return std::nullopt;
    SaveChoice choice{std::move(*answer), std::nullopt};
    if (!saveFilterEntries.empty()) {
        choice.filterEntry = saveFilterEntries.front();
        saveFilterEntries.pop_front();
    }
    return choice;
}

void ScriptedDialogs::setClipboardText(const std::string& text) {
    clipboard = text;
    clipboardSet = true;
}

} // namespace common
