#include "editor/interaction/model_check_panel.h"

#include "editor/editing/selection_commands.h"
#include "editor/interaction/editor_state.h"
#include "editor/model/geoset_output.h"
#include "editor/model/whole_model.h"
#include "formats/check/model_check.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace editor {

namespace {

std::string capitalised(const char* text) {
    std::string word(text);
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

// The checked geoset's vertex and face numbers are those saving writes: deleted vertices and
// faces left out. These tables lead from them back to the arrays.
struct SavedPlaces {
    std::vector<int> vertexSource; // saved vertex -> index into the arrays
    std::vector<int> faceSource;   // saved face -> index into the arrays
};

SavedPlaces savedPlaces(const GeosetModel& edited) {
    SavedPlaces places;
    const auto output = outputIndices(edited);
    for (std::size_t i = 0; i < output.size(); ++i)
        if (output[i] >= 0)
            places.vertexSource.push_back(static_cast<int>(i));
    for (std::size_t f = 0; f < edited.faces.size(); ++f)
        if (isWrittenFace(edited, edited.faces[f]))
            places.faceSource.push_back(static_cast<int>(f));
    return places;
}

std::vector<int> editedVertices(const check::Problem& problem, const GeosetModel& edited,
                                const SavedPlaces& places) {
    std::vector<int> vertices;
    for (auto v : problem.vertices)
        if (v < places.vertexSource.size())
            vertices.push_back(places.vertexSource[v]);
    for (auto f : problem.faces) {
        if (f >= places.faceSource.size())
            continue;
        const auto& face = edited.faces[static_cast<std::size_t>(places.faceSource[f])];
        vertices.insert(vertices.end(), {face.a, face.b, face.c});
    }
    std::sort(vertices.begin(), vertices.end());
    vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());
    return vertices;
}

int severityOrder(check::Severity severity) {
    switch (severity) {
    case check::Severity::Error:
        return 0;
    case check::Severity::Warning:
        return 1;
    case check::Severity::Note:
        break;
    }
    return 2;
}

std::string counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

ModelCheckResult checkEditedModel(const EditorState& state) {
    ModelCheckResult result;
    if (!state.modelLoaded) {
        result.failure = "No model is open.";
        return result;
    }
    auto whole = readWholeModel(state);
    if (!whole.ok()) {
        result.failure = "The model cannot be checked: " + whole.error + ".";
        return result;
    }
    if (!putEditedGeoset(whole.model, state)) {
        result.failure = "The model cannot be checked: the edited geoset has no triangle or a "
                         "number out of range.";
        return result;
    }
    std::optional<std::filesystem::path> folder;
    if (!state.modelPath.empty())
        folder = std::filesystem::path(state.modelPath).parent_path();
    const auto problems =
        check::checkModel(whole.model, folder,
                          state.textureSource ? *state.textureSource : textures::besideModelOnly());

    const int editedIndex = state.geosetNumber - 1;
    const auto places = savedPlaces(state);
    for (const auto& problem : problems) {
        CheckRow row;
        row.severity = problem.severity;
        row.severityText = capitalised(check::severityName(problem.severity));
        row.rule = problem.id;
        row.message = problem.message;
        row.geoset = problem.geoset < 0 ? -1 : problem.geoset + 1;
        if (problem.geoset >= 0 && problem.geoset == editedIndex)
            row.vertices = editedVertices(problem, state, places);
        const auto* rule = check::findRule(problem.id);
        row.hasCertainFix = rule && rule->fix;
        (row.severity == check::Severity::Error     ? result.errors
         : row.severity == check::Severity::Warning ? result.warnings
                                                    : result.notes)++;
        result.rows.push_back(std::move(row));
    }
    std::stable_sort(result.rows.begin(), result.rows.end(),
                     [](const CheckRow& a, const CheckRow& b) {
                         return severityOrder(a.severity) < severityOrder(b.severity);
                     });
    return result;
}

std::string checkSummary(const ModelCheckResult& result) {
    if (!result.failure.empty())
        return result.failure;
    if (result.rows.empty())
        return "No problems found.";
    return counted(result.errors, "error", "errors") + ", " +
           counted(result.warnings, "warning", "warnings") + ", " +
           counted(result.notes, "note", "notes");
}

void runModelCheck(EditorState& state) {
    auto result = checkEditedModel(state);
    auto& panel = state.checkPanel;
    panel.summary = checkSummary(result);
    panel.rows = std::move(result.rows);
    panel.status.clear();
    panel.outdated = false;
    ++panel.revision;
}

void selectCheckRow(EditorState& state, int row) {
    auto& panel = state.checkPanel;
    if (row < 0 || static_cast<std::size_t>(row) >= panel.rows.size())
        return;
    const auto& chosen = panel.rows[static_cast<std::size_t>(row)];
    if (!state.modelLoaded || panel.outdated) {
        panel.status = "The check is out of date; press Check Again.";
        return;
    }
    if (chosen.geoset > 0 && chosen.geoset != state.geosetNumber) {
        panel.status = "Geoset " + std::to_string(chosen.geoset) +
                       " is not the edited geoset; switch to it with Switch Geoset.";
        return;
    }
    if (chosen.vertices.empty()) {
        panel.status = "This problem names no vertex to select.";
        return;
    }
    selectVertices(state, chosen.vertices);
    panel.status = "Selected " +
                   counted(static_cast<int>(chosen.vertices.size()), "vertex", "vertices") +
                   " of geoset " + std::to_string(state.geosetNumber) + ".";
}

} // namespace editor
