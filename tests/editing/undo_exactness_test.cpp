// Undo gives back the geometry bit for bit after any mix of the commands that change it, and
// Redo re-applies the same steps bit for bit.

#include "editor/editing/extrude.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/normals.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

namespace {

using testing_support::EditingFixture;

// The geometry as bits: -0 differs from 0, and every last digit counts.
std::vector<std::uint64_t> bitsOf(const editor::EditorState& state) {
    std::vector<std::uint64_t> bits;
    for (const auto& v : state.vertices) {
        for (double d : {v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ, v.u, v.v})
            bits.push_back(std::bit_cast<std::uint64_t>(d));
        bits.push_back((v.selected ? 1u : 0u) | (v.deleted ? 2u : 0u) |
                       static_cast<std::uint64_t>(v.vertexGroup) << 8);
    }
    bits.push_back(0xFACE);
    for (const auto& f : state.faces)
        for (int corner : {f.a, f.b, f.c, f.deleted ? 1 : 0})
            bits.push_back(static_cast<std::uint64_t>(corner));
    return bits;
}

struct UndoExactness : ::testing::Test, EditingFixture {};

TEST_F(UndoExactness, AnyMixOfCommandsUndoesAndRedoesBitForBit) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> amount(-40.0, 40.0);
    std::uniform_real_distribution<double> position(-150.0, 150.0);
    std::uniform_int_distribution<int> commandOf(0, 14);
    std::bernoulli_distribution coin(0.5);
    const char axes[] = {'x', 'y', 'z'};
    std::uniform_int_distribution<int> axisOf(0, 2);

    for (int run = 0; run < 60; ++run) {
        testing_support::fillRandomGeoset(state, random, 12, 10);
        for (auto& v : state.vertices) {
            v.x = position(random), v.y = position(random), v.z = position(random);
            v.normalY = amount(random) / 40;
        }
        editor::clearUndoHistory(state);
        std::vector<std::vector<std::uint64_t>> states{bitsOf(state)};
        std::vector<std::string> done;
        for (int step = 0; step < 30; ++step) {
            state.axisXEnabled = coin(random);
            state.axisYEnabled = coin(random);
            state.axisZEnabled = true;
            const auto before = state.undoHistory.size();
            const int command = commandOf(random);
            switch (command) {
            case 0:
                editor::moveSelection(state, amount(random), amount(random), amount(random), true);
                break;
            case 1:
                editor::rotateSelection(state, amount(random), axes[axisOf(random)], true);
                break;
            case 2:
                editor::scaleSelection(state, amount(random), amount(random), true);
                break;
            case 3:
                editor::extrudeSelection(state, amount(random), amount(random), amount(random),
                                         true);
                break;
            case 4:
                state.cloneMode = true;
                editor::moveSelection(state, amount(random), 0, amount(random), true);
                break;
            case 5:
                editor::weldCommand(state);
                break;
            case 6:
                editor::snapCommand(state);
                break;
            case 7:
                editor::mirrorCommand(state, axes[axisOf(random)]);
                break;
            case 8:
                editor::alignCommand(state, axes[axisOf(random)]);
                break;
            case 9:
                editor::deleteCommand(state);
                break;
            case 10:
                editor::deleteFaceCommand(state);
                break;
            case 11:
                editor::recalcNormals(state);
                break;
            case 12:
                editor::snapNormalsCommand(state);
                break;
            case 13:
                editor::invertSelection(state);
                break;
            default:
                editor::expandSelection(state);
                break;
            }
            state.cloneMode = false;
            if (state.undoHistory.size() == before)
                ASSERT_EQ(bitsOf(state), states.back()) << "a command that recorded no step";
            else
                states.push_back(bitsOf(state)), done.push_back(std::to_string(command));
        }
        for (std::size_t k = states.size() - 1; k > 0; --k) {
            editor::undoLast(state);
            ASSERT_EQ(bitsOf(state), states[k - 1])
                << "run " << run << ", undo of step " << k << " (command " << done[k - 1] << ")";
        }
        for (std::size_t k = 1; k < states.size(); ++k) {
            editor::redoLast(state);
            ASSERT_EQ(bitsOf(state), states[k]) << "run " << run << ", redo of step " << k;
        }
        EXPECT_TRUE(state.redoHistory.empty());
    }
}

} // namespace
