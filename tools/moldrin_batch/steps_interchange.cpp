#include "batch_context.h"
#include "edited_model.h"

#include "common/number_text.h"
#include "editor/editing/import_mesh_command.h"
#include "formats/interchange/gltf_export.h"
#include "formats/interchange/obj_export.h"

#include <cmath>
#include <filesystem>

namespace batch {

namespace {

std::filesystem::path modelFolder(const BatchContext& context) {
    return std::filesystem::path(context.state.modelPath).parent_path();
}

// export-gltf=OUT: the whole model, the edited geoset from the arrays, as one .glb or a .gltf
// with its files beside it.
void exportGltfStep(BatchContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1 || !interchange::isGltfPath(args[0]))
        throw StepError("export-gltf: expects OUT.glb or OUT.gltf");
    const auto model = editedModel(context, "export-gltf");
    if (!model)
        return;
    const auto result = interchange::writeGltfFile(*model, modelFolder(context), args[0]);
    for (const auto& warning : result.warnings)
        context.err << "moldrin-batch: export-gltf: " << warning << "\n";
    if (result.error)
        showError(context, "export-gltf: " + *result.error);
}

// export-obj=OUT.obj: the edited geoset as OBJ with its .mtl beside it, in the model's axes.
void exportObjStep(BatchContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1 || std::filesystem::path(args[0]).extension() != ".obj")
        throw StepError("export-obj: expects OUT.obj");
    const auto model = editedModel(context, "export-obj");
    if (!model)
        return;
    const auto geoset = static_cast<std::size_t>(std::max(context.state.geosetNumber, 1) - 1);
    if (const auto failure = interchange::writeObjFiles(*model, geoset, args[0]))
        showError(context, "export-obj: " + *failure);
}

// import-mesh=FILE[,BONE[,SCALE]]: the file's meshes as new geosets, one a mesh, bound to the
// bone named (the first bone when none is), each with its own texture.
void importMeshStep(BatchContext& context, const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 3 || args[0].empty())
        throw StepError("import-mesh: expects FILE[,BONE[,SCALE]]");
    editor::MeshImportRequest request;
    request.path = args[0];
    if (args.size() > 1)
        request.boneName = args[1];
    if (args.size() > 2) {
        const double scale = numberArgument(args, 2, "import-mesh");
        if (!std::isfinite(scale) || scale <= 0)
            throw StepError("import-mesh: the scale must be a number above 0");
        request.scale = static_cast<float>(scale);
    }
    editor::importMeshFile(context.state, request);
}

} // namespace

void registerInterchangeSteps(StepTable& table) {
    table.add("export-gltf", exportGltfStep);
    table.add("export-obj", exportObjStep);
    table.add("import-mesh", importMeshStep);
}

} // namespace batch
