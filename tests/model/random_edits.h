#pragma once

// Random edits of the editor's arrays, for the tests that hold saving to reading.

#include "editor/editing/editing_state.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace model_test {

// Random edits of every kind the arrays can hold, keeping some triangles so that the geoset
// stays.
inline void editAtRandom(editor::EditingState& state, std::mt19937& random) {
    std::uniform_real_distribution<double> coordinate(-500, 500);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_real_distribution<double> chance(0, 1);
    std::uniform_int_distribution<int> byte(0, 255);
    const int groups = std::max(1, state.groupCount);
    for (auto& v : state.vertices) {
        if (chance(random) < 0.4) {
            v.x = coordinate(random);
            v.y = coordinate(random) / 3; // many digits
            v.z = std::round(coordinate(random) * 1e6) / 1e6;
        }
        if (chance(random) < 0.3) {
            v.normalX = unit(random);
            v.normalY = unit(random);
            v.normalZ = unit(random);
        }
        if (chance(random) < 0.3) {
            v.u = unit(random) * 2;
            v.v = unit(random) / 7;
        }
        if (chance(random) < 0.3) {
            for (auto& t : v.tangent)
                t = static_cast<float>(unit(random));
            for (auto& set : v.extraUvs)
                set = {static_cast<float>(unit(random)), static_cast<float>(unit(random))};
            for (auto& w : v.skinWeights)
                w = static_cast<std::uint8_t>(byte(random));
        }
        if (chance(random) < 0.2)
            v.vertexGroup = std::uniform_int_distribution<int>(0, groups - 1)(random);
        if (state.vertices.size() > 12 && chance(random) < 0.05)
            v.deleted = true;
    }
    for (auto& face : state.faces)
        if (state.faces.size() > 4 && chance(random) < 0.05)
            face.deleted = true;
    for (int g = 1; g <= std::min(state.groupCount, state.matrices.columnCount()); ++g)
        if (chance(random) < 0.3)
            state.matrices.at(1, g) = byte(random);
    state.unsavedChanges = true;
}

} // namespace model_test
