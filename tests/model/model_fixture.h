#pragma once

// Helpers for the model tests: an editor state answered by scripted dialogs, working in a
// fresh temporary folder.

#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/editor_state.h"
#include "editor/model/geoset_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace model_test {

// The text with every LF line end turned into CR LF.
inline std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The text with every CR LF turned into LF.
inline std::string lf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

inline std::string fixture(const std::string& name) {
    return testing_support::readTestData("model/" + name);
}

// An editor state with scripted dialogs and a temporary folder for the model files.
struct Editor {
    testing_support::TempFolder folder;
    common::ScriptedDialogs dialogs;
    editor::EditorState state;

    Editor() { state.dialogs = &dialogs; }

    // File -> Open of path, the geoset question answered from answers.
    void open(const std::string& path, std::deque<std::string> answers = {}) {
        answers.push_front(path);
        dialogs.setAnswers(std::move(answers));
        editor::openModel(state, state.vertices, state.faces, state.matrices, true, true);
        editor::finishCommand(state);
    }

    // Writes text into the folder as name and opens it.
    std::string openText(const std::string& name, const std::string& text,
                         std::deque<std::string> answers = {}) {
        const auto path = folder.write(name, text);
        open(path, std::move(answers));
        return path;
    }

    int errorCount() const {
        int n = 0;
        for (const auto& shown : dialogs.shown)
            n += shown.title == "Error" ? 1 : 0;
        return n;
    }
};

// The text with the first occurrence of from replaced; fails the test when from is missing.
inline std::string replaced(const std::string& text, const std::string& from,
                            const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos) {
        ADD_FAILURE() << "the text does not hold \"" << from << "\"";
        return text;
    }
    return text.substr(0, at) + to + text.substr(at + from.size());
}

} // namespace model_test
