#include "batch_context.h"

#include "common/number_text.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/geoset_commands.h"
#include "editor/editing/markers.h"
#include "editor/editing/normals.h"
#include "editor/editing/vertex_groups.h"

namespace batch {

namespace {

using Args = std::vector<std::string>;
using Command = void (*)(editor::EditingState&);

// A step that runs one command; its arguments, if any, are the answers to its prompts.
StepHandler command(Command run) {
    return [run](BatchContext& context, const Args&) { run(context.state); };
}

char axisLetter(const Args& args, const std::string& step) {
    if (args.size() == 1 && (args[0] == "x" || args[0] == "y" || args[0] == "z"))
        return args[0][0];
    throw StepError(step + ": expects one axis, x, y or z");
}

StepHandler axisCommand(const std::string& step, void (*run)(editor::EditingState&, char)) {
    return [step, run](BatchContext& context, const Args& args) {
        run(context.state, axisLetter(args, step));
    };
}

// Prints the text only when the command put it on the clipboard.
void copyCentreOfMassStep(BatchContext& context, const Args&) {
    context.dialogs.clipboardSet = false;
    editor::copyCentreOfMassCommand(context.state);
    if (context.dialogs.clipboardSet)
        context.out << context.dialogs.clipboard << "\n";
}

// One line of JSON: the used marker slots with their positions in editor axes.
void markersStep(BatchContext& context, const Args&) {
    const auto& markers = context.state.markers;
    context.out << "[";
    bool first = true;
    for (int slot = 1; slot <= editor::markerSlots; ++slot) {
        const auto& marker = markers[static_cast<std::size_t>(slot)];
        if (!marker.used)
            continue;
        context.out << (first ? "" : ", ") << "{\"slot\": " << slot
                    << ", \"x\": " << common::formatRoundTrip(marker.x)
                    << ", \"y\": " << common::formatRoundTrip(marker.y)
                    << ", \"z\": " << common::formatRoundTrip(marker.z) << "}";
        first = false;
    }
    context.out << "]\n";
}

} // namespace

void registerToolSteps(StepTable& table) {
    table.add("snap", command(editor::snapCommand));
    table.add("weld", command(editor::weldCommand));
    table.add("delete", command(editor::deleteCommand));
    table.add("delete-face", command(editor::deleteFaceCommand));
    table.add("mirror", axisCommand("mirror", editor::mirrorCommand));
    table.add("align", axisCommand("align", editor::alignCommand));
    table.add("set-coordinates", command(editor::setCoordinatesCommand));

    table.add("add-marker", command(editor::addMarkerCommand));
    table.add("add-marker-at-selection", command(editor::addMarkerAtSelectionCommand));
    table.add("remove-last-marker", command(editor::removeLastMarkerCommand));
    table.add("remove-all-markers", command(editor::removeAllMarkersCommand));
    table.add("markers", markersStep);
    table.add("view-com", command(editor::viewCentreOfMassCommand));
    table.add("copy-com", copyCentreOfMassStep);

    table.add("recalc-normals", command(editor::recalcNormals));
    table.add("snap-normals", command(editor::snapNormalsCommand));

    table.add("assign-group", command(editor::assignVertexGroupCommand));
    table.add("group-of-selection", command(editor::vertexGroupOfSelectionCommand));
    table.add("select-group", command(editor::selectByVertexGroupCommand));
    table.add("view-matrices", command(editor::viewMatricesCommand));
    table.add("add-matrix", command(editor::addMatrixCommand));

    table.add("new", command(editor::newModelCommand));
    table.add("switch-geoset", command(editor::switchGeosetCommand));
    table.add("merge-geoset", command(editor::mergeGeosetCommand));
}

} // namespace batch
