#include "editor/editing/vertex_groups.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/model/model_document.h"
#include "editor/model/model_nodes.h"

#include <algorithm>
#include <optional>
#include <set>

namespace editor {

namespace {

// Asks until the answer is empty (nothing) or a number that fits a 16-bit integer, rounded half
// to even. An answer out of that range is asked again like any other non-number.
std::optional<int> askGroupNumber(EditingState& state, const std::string& prompt,
                                  const std::string& title, const std::string& defaultText) {
    for (;;) {
        const auto answer = state.dialogs->inputBox(prompt, title, defaultText);
        if (answer.empty())
            return std::nullopt;
        if (const auto value = common::parseInteger16(answer))
            return *value;
    }
}

// The node ids of the model being edited; nothing when there is no model to read (then ids
// are not checked).
std::optional<std::set<int>> modelNodeIds(EditingState& state) {
    const SharedDocument document = heldDocument(state);
    const mdx::Model* model = document ? document->model() : nullptr;
    if (!model)
        return std::nullopt;
    return nodeObjectIds(*model);
}

} // namespace

void assignVertexGroupCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    const auto group = askGroupNumber(state, "Vertex group", "Assign Vertex Group", "0");
    if (!group)
        return;
    // A group the geoset does not have would be saved into a file no reader takes.
    if (*group < 0 || (state.groupCount > 0 && *group >= state.groupCount)) {
        state.dialogs->messageBox("There is no vertex group " + std::to_string(*group) +
                                      ": the geoset has " + std::to_string(state.groupCount) +
                                      " matrix groups, numbered 0 to " +
                                      std::to_string(state.groupCount - 1) + ".",
                                  "Error");
        return;
    }
    takeUndoSnapshot(state, UndoKind::AssignVertexGroup);
    for (auto& vertex : state.vertices)
        if (vertex.selected)
            vertex.vertexGroup = *group;
}

std::string vertexGroupListText(const std::vector<int>& sortedGroups) {
    std::string text;
    for (std::size_t i = 0; i < sortedGroups.size(); ++i) {
        const auto number = std::to_string(sortedGroups[i]);
        if (i == 0)
            text = number;
        else if (i + 1 < sortedGroups.size())
            text += ", " + number;
        else
            text += ", and " + number;
    }
    return text;
}

void vertexGroupOfSelectionCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    std::set<int> groups;
    for (const auto& vertex : state.vertices)
        if (vertex.selected)
            groups.insert(vertex.vertexGroup);
    if (groups.empty()) {
        state.dialogs->messageBox("No vertex groups in selection", "");
        return;
    }
    const std::vector<int> sorted(groups.begin(), groups.end());
    state.dialogs->messageBox("Vertex group(s) " + vertexGroupListText(sorted) + " were selected.",
                              "");
}

void selectByVertexGroupCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    std::optional<int> group;
    // Cancel is no way out: only a number ends the question.
    while (!group)
        group = askGroupNumber(state, "Vertex group to select", "", "");
    const auto& mode = state.selectionMode;
    for (auto& vertex : state.vertices) {
        if (mode == "S")
            vertex.selected = false;
        if (!vertex.deleted && vertex.vertexGroup == *group && inMatrixGroup(state, vertex)) {
            if (mode == "S" || mode == "A")
                vertex.selected = true;
            else if (mode == "D")
                vertex.selected = false;
        }
    }
    state.changed(Change::Geometry);
}

void viewMatricesCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    constexpr std::size_t pageLength = 300;
    constexpr int listedSlots = 5;
    const int groups = std::min(state.groupCount, state.matrices.columnCount());
    std::string page;
    for (int g = 1; g <= groups; ++g) {
        std::string line = std::to_string(g - 1) + ": " + std::to_string(state.matrices.at(1, g));
        for (int slot = 2; slot <= listedSlots && state.matrices.at(slot, g) != -1; ++slot)
            line += ", " + std::to_string(state.matrices.at(slot, g));
        page += line + "\r\n";
        if (page.size() > pageLength) {
            state.dialogs->messageBox(page + "Next page...", "Matrices");
            page.clear();
        }
    }
    if (!page.empty())
        state.dialogs->messageBox(page, "Matrices");
}

void addMatrixCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    constexpr int idsPerNewGroup = 5;
    const auto nodes = modelNodeIds(state);
    for (int n = 1; n <= idsPerNewGroup; ++n) {
        const auto id = askGroupNumber(state,
                                       "Control bone " + std::to_string(n) +
                                           "\r\nClick cancel to stop adding control bones.",
                                       "New Matrix", "");
        if (!id)
            return;
        if (nodes && !nodes->count(*id)) {
            state.dialogs->messageBox(
                "The model has no node with ObjectId " + std::to_string(*id) + ".", "Error");
            return;
        }
        if (n == 1) {
            // A vertex names its group in one byte.
            if (state.groupCount >= maxMatrixGroups) {
                state.dialogs->messageBox("A geoset holds at most 256 matrix groups: a vertex "
                                          "names its group in one byte.",
                                          "Error");
                return;
            }
            // The table may hold a spare empty column (a Groups block without lines); the new
            // group is the column after the last counted one either way.
            ++state.groupCount;
            state.matrices.resize(state.groupCount);
            for (int slot = 1; slot <= matrixSlots; ++slot)
                state.matrices.at(slot, state.groupCount) = -1;
            // The 3D view shows the group's bones on the skeleton.
            state.changed(Change::Geometry);
        }
        state.matrices.at(n, state.groupCount) = *id;
        state.unsavedChanges = true;
    }
}

} // namespace editor
