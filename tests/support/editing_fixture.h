#pragma once

#include "common/scripted_dialogs.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/window_controls.h"

#include <initializer_list>
#include <ostream>
#include <random>

namespace editor {

// Readable records in test failure messages.
inline void PrintTo(const FaceRecord& face, std::ostream* out) {
    *out << "{" << face.a << ", " << face.b << ", " << face.c
         << (face.deleted ? ", deleted}" : "}");
}

inline void PrintTo(const VertexRecord& vertex, std::ostream* out) {
    *out << "{(" << vertex.x << ", " << vertex.y << ", " << vertex.z << ") n(" << vertex.normalX
         << ", " << vertex.normalY << ", " << vertex.normalZ << ") uv(" << vertex.u << ", "
         << vertex.v << ") group " << vertex.vertexGroup << (vertex.selected ? " selected" : "")
         << (vertex.deleted ? " deleted" : "") << "}";
}

} // namespace editor

namespace testing_support {

// An editor state with a geoset "loaded" straight from the test: views enabled, box selection
// armed, scripted dialogs that record every message.
struct EditingFixture {
    editor::EditorState state;
    common::ScriptedDialogs dialogs;

    EditingFixture() {
        state.dialogs = &dialogs;
        state.modelLoaded = true;
        state.modelControlsEnabled = true;
        state.mouseArmed = true;
    }
    EditingFixture(const EditingFixture&) = delete;
    EditingFixture& operator=(const EditingFixture&) = delete;

    editor::VertexRecord& addVertex(double x, double y, double z, bool selected = false) {
        editor::VertexRecord vertex;
        vertex.x = x;
        vertex.y = y;
        vertex.z = z;
        vertex.selected = selected;
        state.vertices.push_back(vertex);
        return state.vertices.back();
    }
    void addFace(int a, int b, int c, bool deleted = false) {
        state.faces.push_back({a, b, c, deleted});
    }
    void select(std::initializer_list<int> indices) {
        for (auto& vertex : state.vertices)
            vertex.selected = false;
        for (int i : indices)
            state.vertices.at(static_cast<std::size_t>(i)).selected = true;
    }
};

// Fills a small random geoset: positions drawn from few values (0, -0 and 1, so split vertices
// at equal positions are common), faces that may repeat a corner, random selected and deleted
// flags, and distinct texture coordinates so every copy can be traced.
inline void fillRandomGeoset(editor::EditorState& state, std::mt19937& random, int maxVertices,
                             int maxFaces) {
    const double values[] = {0.0, -0.0, 1.0};
    std::uniform_int_distribution<int> value(0, 2);
    std::uniform_int_distribution<int> vertexCount(1, maxVertices);
    std::uniform_int_distribution<int> faceCount(0, maxFaces);
    std::bernoulli_distribution coin(0.5);
    std::bernoulli_distribution rare(0.15);
    state.vertices.clear();
    state.faces.clear();
    const int n = vertexCount(random);
    for (int i = 0; i < n; ++i) {
        editor::VertexRecord vertex;
        vertex.x = values[value(random)];
        vertex.y = values[value(random)];
        vertex.z = values[value(random)];
        vertex.normalX = i;
        vertex.u = i * 0.5;
        vertex.selected = coin(random);
        vertex.deleted = rare(random);
        state.vertices.push_back(vertex);
    }
    std::uniform_int_distribution<int> corner(0, n - 1);
    const int t = faceCount(random);
    for (int f = 0; f < t; ++f)
        state.faces.push_back({corner(random), corner(random), corner(random), rare(random)});
}

} // namespace testing_support
