#pragma once

#include "editor/model/geoset_model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {
class LineReader;
}

namespace editor {

// Case-sensitive prefix test on whole lines.
bool startsWith(std::string_view checkIn, std::string_view checkFor);

// Number of positions of text holding ch.
int countChar(std::string_view text, char ch);

// The arrays of one geoset as the file gives them.
struct GeosetContent {
    std::vector<VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    // Whether the geoset has a Groups block; only then matrices and groupCount are read.
    bool groupsRead = false;
    MatrixTable matrices;
    int groupCount = 0;
    // The Reforged blocks the geoset has (Tangents, SkinWeights, further TVertices).
    VertexExtras extras;
    // Vertices whose group index lies past the matrix groups: read and kept, in no group.
    int verticesOutsideGroups = 0;
};

// The geoset, or what is wrong and on which 1-based line.
struct GeosetReadResult {
    std::optional<GeosetContent> geoset;
    std::size_t errorLine = 0;
    std::string error;
    // The model has no geoset at all (a particle effect, say): no line is at fault.
    bool noGeoset = false;

    bool ok() const { return geoset.has_value(); }
};

// Number of lines of the text that are exactly "Geoset {" (a line ends at LF, less one CR
// before it, as common::LineReader splits them).
int countGeosets(std::string_view text);

// Reads geoset geosetNumber (1-based) from the lines of a model. A geoset without a Faces block
// has no triangles. Input it cannot follow gives an error naming the line: text where a number
// must be, counts that disagree with their blocks, more than 32767 of something, more texture
// coordinate sets than a vertex carries, corners naming vertices the geoset does not have, a
// file that ends inside a data block. The lines must be in the tab layout
// (formats/tab_layout.h); Tangents hold one "{ x, y, z, w }," a vertex, SkinWeights eight whole
// numbers from 0 to 255 a vertex, on any number of lines.
GeosetReadResult readGeoset(common::LineReader& reader, int geosetNumber);
GeosetReadResult readGeosetText(std::string text, int geosetNumber);

} // namespace editor
