#include "editor/editing/import_mesh_command.h"

#include "common/number_text.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/whole_model_edit.h"
#include "editor/model/model_document.h"
#include "formats/check/model_extents.h"
#include "formats/check/model_walk.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

// The ObjectId of the bone named (the first bone when no name is given); a model without bones
// gets a bone "Mesh" at the origin, numbered after every object it has.
std::optional<std::uint32_t> bindingBone(mdx::Model& model, const std::string& name) {
    if (name.empty() && model.bones.empty()) {
        std::uint32_t next = 0;
        for (const auto& entry : check::nodesInFileOrder(model))
            if (entry.node->objectId != mdx::noId)
                next = std::max(next, entry.node->objectId + 1);
        mdx::Bone bone;
        bone.node.name = "Mesh";
        bone.node.objectId = next;
        bone.node.flags = 256; // the bone type bit
        model.bones.push_back(bone);
        if (model.pivots.size() <= next)
            model.pivots.resize(next + 1, mdx::Vec3{});
        model.pivots[next] = {0, 0, 0};
        return next;
    }
    for (const auto& bone : model.bones)
        if (name.empty() || bone.node.name == name)
            return bone.node.objectId;
    return std::nullopt;
}

// The model's extent made to hold every geoset's vertices, when it does not.
void growModelExtent(mdx::Model& model) {
    std::optional<check::Bounds> all;
    std::vector<const std::vector<mdx::Vec3>*> points;
    for (const auto& geoset : model.geosets)
        if (const auto bounds = check::boundsOf(geoset.vertices)) {
            points.push_back(&geoset.vertices);
            if (all)
                all->add(*bounds);
            else
                all = bounds;
        }
    if (all && !check::extentFits(model.info.extent, *all))
        model.info.extent = check::extentOf(*all, points);
}

void showError(EditingState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

// The importer's error as one sentence (Assimp's own messages may end in a period already).
std::string importError(const std::string& error) {
    return "Cannot import " + error + (error.ends_with('.') ? "" : ".");
}

} // namespace

std::string modelTexturePath(const std::string& path) {
    if (path.empty())
        return plainTexturePath;
    std::string out = path.starts_with("./") ? path.substr(2) : path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string addImportedMesh(mdx::Model& model, interchange::MeshImport imported,
                            const MeshImportRequest& request) {
    mdx::Model result = model;
    const auto bone = bindingBone(result, request.boneName);
    if (!bone)
        return "The model has no bone named \"" + request.boneName + "\".";
    const auto textureBase = static_cast<std::uint32_t>(result.textures.size());
    const auto materialBase = static_cast<std::uint32_t>(result.materials.size());
    for (auto& texture : imported.textures) {
        texture.path = modelTexturePath(request.texturePath.value_or(texture.path));
        result.textures.push_back(texture);
    }
    for (auto& material : imported.materials) {
        for (auto& layer : material.layers) {
            layer.textureId += textureBase;
            if (result.version > 1000) // these versions name a layer's textures in a list
                layer.textures = {mdx::LayerTexture{layer.textureId, 0, {}}};
        }
        result.materials.push_back(material);
    }
    for (auto& geoset : imported.geosets) {
        geoset.materialId += materialBase;
        geoset.matrixIndices = {*bone};
        geoset.sequenceExtents.assign(result.sequences.size(), geoset.extent);
        result.geosets.push_back(std::move(geoset));
    }
    growModelExtent(result);
    model = std::move(result);
    return {};
}

bool importMeshFile(EditingState& state, const MeshImportRequest& request) {
    if (!state.modelLoaded)
        return false;
    interchange::MeshImportOptions options;
    options.scale = request.scale;
    options.joinMeshes = request.joinMeshes;
    auto imported = interchange::importMesh(request.path, options);
    if (!imported.ok()) {
        showError(state, importError(imported.error));
        return false;
    }
    return editWholeModel(state, UndoKind::ImportMesh, [&](mdx::Model& model, int&) {
        auto error = addImportedMesh(model, std::move(imported), request);
        return ModelEditResult{error.empty(), error};
    });
}

void importMeshCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    auto& dialogs = *state.dialogs;
    const auto path = dialogs.openFileDialog(meshImportFilter);
    if (!path || path->empty())
        return;
    MeshImportRequest request;
    request.path = *path;

    const auto document = heldDocument(state);
    const mdx::Model* model = document ? document->model() : nullptr;
    if (model && !model->bones.empty()) {
        std::vector<std::string> names;
        for (const auto& bone : model->bones)
            names.push_back(bone.node.name);
        const auto picked =
            dialogs.pickFromList("Bind the mesh to which bone?", "Import Mesh", names);
        if (!picked || *picked < 0 || *picked >= static_cast<int>(names.size()))
            return;
        request.boneName = names[static_cast<std::size_t>(*picked)];
    }

    const auto scaleText = dialogs.inputBox("Scale:", "Import Mesh", "1");
    if (scaleText.empty())
        return;
    const auto scale = common::parseNumber(scaleText);
    if (!scale || !std::isfinite(*scale) || *scale <= 0) {
        showError(state, "\"" + scaleText + "\" is not a scale: give a number above 0.");
        return;
    }
    request.scale = static_cast<float>(*scale);

    const int shape = dialogs.askChoice("Make the meshes into geosets how?", "Import Mesh",
                                        {"One geoset per mesh", "One geoset for all"}, 0);
    if (shape < 0)
        return;
    request.joinMeshes = shape == 1;

    // The mesh's own texture is offered; another path typed replaces every mesh's.
    interchange::MeshImportOptions options;
    options.joinMeshes = request.joinMeshes;
    options.scale = request.scale;
    const auto peek = interchange::importMesh(request.path, options);
    if (!peek.ok()) {
        showError(state, importError(peek.error));
        return;
    }
    const std::string own =
        modelTexturePath(peek.textures.empty() ? std::string() : peek.textures.front().path);
    const auto texture = dialogs.inputBox("Texture path:", "Import Mesh", own);
    if (texture.empty())
        return;
    if (texture != own)
        request.texturePath = texture;
    importMeshFile(state, request);
}

} // namespace editor
