#include "batch_context.h"
#include "edited_model.h"

#include "editor/editing/geoset_operations.h"
#include "editor/model/geoset_summary.h"

namespace batch {

namespace {

// The operations ask nothing: the answers queued from the argument are not for them.
template <class Run> StepHandler operation(const char* step, std::size_t count, Run run) {
    return [step, count, run](BatchContext& context, const std::vector<std::string>& args) {
        expectArguments(args, count, step);
        context.dialogs.setAnswers({});
        if (!context.state.modelLoaded)
            throw StepError(std::string(step) + ": no geoset is open");
        run(context.state, args);
    };
}

// geosets: one JSON line, the geosets of the whole model with the edited one as it would be
// saved.
void listGeosets(BatchContext& context, const std::vector<std::string>&) {
    const auto model = editedModel(context, "geosets");
    if (!model)
        return;
    const auto summaries = editor::summarizeGeosets(*model);
    context.out << "[";
    for (std::size_t i = 0; i < summaries.size(); ++i) {
        const auto& g = summaries[i];
        context.out << (i ? ", " : "") << "{\"geoset\": " << i + 1
                    << ", \"vertices\": " << g.vertices << ", \"triangles\": " << g.triangles
                    << ", \"material\": " << g.material << ", \"textures\": [";
        for (std::size_t t = 0; t < g.textures.size(); ++t)
            context.out << (t ? ", " : "") << jsonString(g.textures[t]);
        context.out << "]}";
    }
    context.out << "]\n";
}

} // namespace

void registerGeosetSteps(StepTable& table) {
    table.add("geosets", listGeosets);
    table.add("split-selection", operation("split-selection", 0, [](auto& state, const auto&) {
                  editor::splitSelectionCommand(state);
              }));
    table.add(
        "duplicate-geoset", operation("duplicate-geoset", 1, [](auto& state, const auto& args) {
            editor::duplicateGeosetCommand(state, integerArgument(args, 0, "duplicate-geoset"));
        }));
    table.add("delete-geoset", operation("delete-geoset", 1, [](auto& state, const auto& args) {
                  editor::deleteGeosetCommand(state, integerArgument(args, 0, "delete-geoset"));
              }));
    table.add("merge-geosets", operation("merge-geosets", 2, [](auto& state, const auto& args) {
                  editor::mergeGeosetsCommand(state, integerArgument(args, 0, "merge-geosets"),
                                              integerArgument(args, 1, "merge-geosets"));
              }));
    table.add("set-material", operation("set-material", 2, [](auto& state, const auto& args) {
                  editor::setGeosetMaterialCommand(state, integerArgument(args, 0, "set-material"),
                                                   integerArgument(args, 1, "set-material"));
              }));
    table.add("move-geoset", operation("move-geoset", 2, [](auto& state, const auto& args) {
                  if (args[1] != "up" && args[1] != "down")
                      throw StepError("move-geoset: expects N,up or N,down");
                  editor::moveGeosetCommand(state, integerArgument(args, 0, "move-geoset"),
                                            args[1] == "up" ? -1 : 1);
              }));
}

} // namespace batch
