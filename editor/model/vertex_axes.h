#pragma once

#include "editor/model/geoset_model.h"

namespace editor {

// The position, normal and tangent component of a vertex on one editor axis ('x', 'y' or 'z').
inline double& coordinateOn(VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
}
inline double& normalOn(VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.normalX : axis == 'y' ? vertex.normalY : vertex.normalZ;
}

inline float& tangentOn(VertexRecord& vertex, char axis) {
    return vertex.tangent[axis == 'x' ? 0 : axis == 'y' ? 1 : 2];
}

} // namespace editor
