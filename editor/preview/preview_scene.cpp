#include "editor/preview/preview_scene.h"

#include <algorithm>

namespace editor::preview {

BlendMode blendModeOf(std::uint32_t filterMode) {
    switch (filterMode) {
    case 1:
        return BlendMode::AlphaTest;
    case 2:
        return BlendMode::Blend;
    case 3:
        return BlendMode::Additive;
    case 4:
        return BlendMode::AddAlpha;
    case 5:
        return BlendMode::Modulate;
    case 6:
        return BlendMode::Modulate2x;
    default:
        return BlendMode::Opaque;
    }
}

bool isTranslucent(BlendMode mode) {
    return mode != BlendMode::Opaque && mode != BlendMode::AlphaTest;
}

bool SceneMesh::drawn() const {
    return layers.empty() ||
           std::any_of(layers.begin(), layers.end(), [](const auto& l) { return l.shown; });
}

Bounds Scene::bounds() const {
    Bounds all;
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const auto& mesh = meshes[i];
        if (!mesh.bounds.empty && (mesh.drawn() || static_cast<int>(i) == editedMesh)) {
            all.add(mesh.bounds.minimum);
            all.add(mesh.bounds.maximum);
        }
    }
    return all;
}

} // namespace editor::preview
