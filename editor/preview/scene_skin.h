#pragma once

#include "editor/preview/preview_scene.h"

namespace editor {
struct GeosetModel;
}

// What each vertex of a mesh follows when the vertex shader skins it, from a file's geoset or
// from the editor's own arrays, by the rules of the animation core: a classic vertex takes its
// group's bones at equal weights, a skin-weighted one its four bones at weight / 255; a vertex
// whose group, or one of whose bones, does not exist (or whose weights are all 0) follows
// nothing and stays where it is.
namespace editor::preview {

// Without a skeleton (a model that could not be read whole) every vertex follows nothing.
std::vector<SkinVertex> skinOfFile(const mdx::Geoset& geoset, const animation::Skeleton* skeleton);
std::vector<SkinVertex> skinOfEdited(const GeosetModel& edited,
                                     const animation::Skeleton* skeleton);

} // namespace editor::preview
