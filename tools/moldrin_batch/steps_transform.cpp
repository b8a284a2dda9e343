#include "batch_context.h"
#include "view_argument.h"

#include "editor/editing/extrude.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/interaction/viewport_mouse.h"

namespace batch {

namespace {

char axisArgument(const std::vector<std::string>& args, std::size_t index,
                  const std::string& step) {
    const std::string name = index < args.size() ? args[index] : "";
    if (name == "x" || name == "y" || name == "z")
        return name[0];
    throw StepError(step + ": the axis must be x, y or z, not \"" + name + "\"");
}

void transformStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 1, "transform");
    if (args[0] != "M" && args[0] != "R" && args[0] != "S" && args[0] != "E")
        throw StepError("transform: the transform mode must be M, R, S or E");
    editor::setTransformMode(context.state, args[0]);
}

void dragStep(BatchContext& context, const std::vector<std::string>& args) {
    const auto view = dragArguments(context, args, "drag");
    editor::releaseDrag(context.state, view, editor::MouseButton::Right);
}

void moveStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 3, "move");
    editor::moveSelection(context.state, numberArgument(args, 0, "move"),
                          numberArgument(args, 1, "move"), numberArgument(args, 2, "move"), true);
}

void rotateStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 2, "rotate");
    editor::rotateSelection(context.state, numberArgument(args, 0, "rotate"),
                            axisArgument(args, 1, "rotate"), true);
}

void scaleStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 2, "scale");
    editor::scaleSelection(context.state, numberArgument(args, 0, "scale"),
                           numberArgument(args, 1, "scale"), true);
}

void extrudeStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 3, "extrude");
    editor::extrudeSelection(context.state, numberArgument(args, 0, "extrude"),
                             numberArgument(args, 1, "extrude"), numberArgument(args, 2, "extrude"),
                             true);
}

void axisStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 1, "axis");
    editor::toggleAxis(context.state, axisArgument(args, 0, "axis"));
}

// One line of JSON: the names of the steps that Undo can reverse, newest first.
void undoNamesStep(BatchContext& context, const std::vector<std::string>&) {
    context.out << "[";
    bool first = true;
    for (const auto& entry : context.state.undoHistory) {
        if (!entry.used)
            continue;
        context.out << (first ? "" : ", ") << jsonString(entry.name());
        first = false;
    }
    context.out << "]\n";
}

} // namespace

void registerTransformSteps(StepTable& table) {
    table.add("transform", transformStep);
    table.add("drag", dragStep);
    table.add("move", moveStep);
    table.add("rotate", rotateStep);
    table.add("scale", scaleStep);
    table.add("extrude", extrudeStep);
    table.add("clone", [](BatchContext& c, const auto&) { editor::toggleCloneMode(c.state); });
    table.add("axis", axisStep);
    table.add("undo", [](BatchContext& c, const auto&) { editor::undoLast(c.state); });
    table.add("redo", [](BatchContext& c, const auto&) { editor::redoLast(c.state); });
    table.add("undo-names", undoNamesStep);
}

} // namespace batch
