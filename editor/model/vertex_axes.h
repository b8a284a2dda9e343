#pragma once

#include "editor/model/geoset_model.h"

namespace editor {

// The position and normal component of a vertex on one editor axis ('x', 'y' or 'z').
inline double& coordinateOn(VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
}
inline double& normalOn(VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.normalX : axis == 'y' ? vertex.normalY : vertex.normalZ;
}

} // namespace editor
