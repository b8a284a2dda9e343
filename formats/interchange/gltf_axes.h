#pragma once

#include "common/vector_maths.h"

// The axes of glTF: y up, where the model's files have z up. glTF's (x, y, z) is the model's
// (x, z, -y), a turn of a quarter about x, so an exported model stands upright in programs that
// follow glTF's convention, and an imported one stands upright in the game.
namespace interchange {

inline common::Vec3 gltfPoint(common::Vec3 p) {
    return {p[0], p[2], -p[1]};
}

inline common::Vec3 modelPoint(common::Vec3 g) {
    return {g[0], -g[2], g[1]};
}

// A rotation (x, y, z, w) turned with the axes: its axis is a direction.
inline common::Vec4 gltfRotation(common::Vec4 q) {
    return {q[0], q[2], -q[1], q[3]};
}

// Scales along the axes: y and z trade places.
inline common::Vec3 gltfScale(common::Vec3 s) {
    return {s[0], s[2], s[1]};
}

} // namespace interchange
