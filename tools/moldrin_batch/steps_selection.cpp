#include "batch_context.h"
#include "view_argument.h"

#include "editor/editing/selection_commands.h"
#include "editor/editing/tool_modes.h"
#include "editor/interaction/viewport_mouse.h"

#include <charconv>

namespace batch {

namespace {

// select=i,j,...: exactly these 0-based vertices selected; "select" or "select=" clears.
void selectStep(BatchContext& context, const std::vector<std::string>& args) {
    std::vector<int> indices;
    const bool none = args.empty() || (args.size() == 1 && args[0].empty());
    for (std::size_t i = 0; !none && i < args.size(); ++i) {
        const auto& text = args[i];
        int index = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
        if (error != std::errc() || end != text.data() + text.size() || index < 0 ||
            static_cast<std::size_t>(index) >= context.state.vertices.size())
            throw StepError("select: \"" + text + "\" is not a vertex index from 0 to " +
                            std::to_string(static_cast<long>(context.state.vertices.size()) - 1));
        indices.push_back(index);
    }
    editor::selectVertices(context.state, indices);
}

void boxSelectStep(BatchContext& context, const std::vector<std::string>& args) {
    const auto view = dragArguments(context, args, "box-select");
    const auto geometry = editor::viewGeometry(context.state, view);
    editor::boxSelect(context.state, geometry.hAxis, geometry.vAxis);
}

void modeStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 1, "mode");
    if (args[0] != "S" && args[0] != "A" && args[0] != "D")
        throw StepError("mode: the selection mode must be S, A or D");
    editor::setSelectionMode(context.state, args[0]);
}

} // namespace

void registerSelectionSteps(StepTable& table) {
    table.add("select-all", [](BatchContext& c, const auto&) { editor::selectAll(c.state); });
    table.add("invert-selection",
              [](BatchContext& c, const auto&) { editor::invertSelection(c.state); });
    table.add("expand-selection",
              [](BatchContext& c, const auto&) { editor::expandSelection(c.state); });
    table.add("select", selectStep);
    table.add("box-select", boxSelectStep);
    table.add("mode", modeStep);
    table.add("count-vertices",
              [](BatchContext& c, const auto&) { editor::showSelectedVertexCount(c.state); });
    table.add("count-faces",
              [](BatchContext& c, const auto&) { editor::showSelectedFaceCount(c.state); });
}

} // namespace batch
