#pragma once

#include "formats/check/model_problem.h"

#include <string>
#include <vector>

namespace editor {

struct EditorState;

// One row of the Model Check dock: a problem of the model check (formats/check) and what a
// double-click on it selects.
struct CheckRow {
    check::Severity severity = check::Severity::Error;
    std::string severityText; // "Error", "Warning" or "Note"
    std::string rule;         // the rule's id, e.g. "vertex-group"
    std::string message;
    int geoset = -1; // 1-based, as the editor counts geosets; -1 when the problem names none
    // The edited geoset's vertices (indices into its arrays) the problem names, its faces'
    // corners included; empty when it names none or names another geoset.
    std::vector<int> vertices;
    // The rule has a fix whose result is certain (model_fixes.h).
    bool hasCertainFix = false;
};

// The check of the whole model the editor holds, with the edited geoset as saving would write
// it: errors first, then warnings, then notes, each in the order checkModel gives them.
struct ModelCheckResult {
    std::vector<CheckRow> rows;
    int errors = 0;
    int warnings = 0;
    int notes = 0;
    std::string failure; // why the model could not be checked; empty when it was
};

// Checks the model the editor holds: the working copy read whole, the edited geoset put in from
// the arrays, textures looked up beside the model file and in the state's game data.
ModelCheckResult checkEditedModel(const EditorState& state);

// "2 errors, 1 warning, 0 notes", "No problems found.", or the sentence why nothing was checked.
std::string checkSummary(const ModelCheckResult& result);

// What the Model Check dock shows: the rows of the last check, its summary line and the status
// of the last double-click.
struct ModelCheckPanel {
    std::vector<CheckRow> rows;
    std::string summary;
    std::string status;
    // A geoset was read anew or the model's geosets changed since the check (finishCommand sets
    // it), so the rows' vertex numbers may name other vertices now.
    bool outdated = false;
    int revision = 0; // counts the checks run, so that a view of the rows knows a new one
};

// Tools > Check Model… and the dock's Check Again: checks the model and shows the rows.
void runModelCheck(EditorState& state);

// A double-click on row (0-based): selects exactly the vertices it names in the edited geoset
// (one undo step "Selection") and has the views redrawn; for a problem in another geoset, or
// one that names no vertex, or once the rows are outdated, only the status says so.
void selectCheckRow(EditorState& state, int row);

} // namespace editor
