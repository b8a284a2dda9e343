#pragma once

#include "editor/model/geoset_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace editor {

struct EditorState;

inline constexpr const char* mdlFileFilter = "Warcraft III MDL|*.mdl";

// Case-sensitive prefix test on whole lines.
bool startsWith(std::string_view checkIn, std::string_view checkFor);

// Number of positions of text holding ch.
int countChar(std::string_view text, char ch);

// Which geoset to use: 1 when the file has at most one line that is exactly "Geoset {",
// otherwise asks until the answer is a number from 1 to the count.
int chooseGeoset(EditorState& state, const std::string& path);

// Reads geoset geosetNumber (1-based) of the file into the three arrays, replacing each only
// when the geoset has its block. On input it cannot follow, it shows one message titled
// "Error" naming the file and line, leaves the arrays as they were and returns false.
bool readGeoset(EditorState& state, const std::string& path, std::vector<VertexRecord>& vertices,
                std::vector<FaceRecord>& faces, MatrixTable& matrices, int geosetNumber,
                bool storeGroupCount);

// File -> Open (isMainModel) and the reading half of Merge Geoset: asks for a file, makes the
// working copy (main model only), asks for the geoset and reads it.
void openModel(EditorState& state, std::vector<VertexRecord>& vertices,
               std::vector<FaceRecord>& faces, MatrixTable& matrices, bool isMainModel,
               bool storeGroupCount);

} // namespace editor
