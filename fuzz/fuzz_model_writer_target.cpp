// Reads a fuzzed model, applies a few edits chosen by the input, writes the model and reads the
// written geoset back: it must read again with the kept vertices.
#include "fuzz_support.h"

#include "editor/model/geoset_model.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"

#include <algorithm>

namespace {

// The input: 4 bytes of edit choices, then the model file.
void applyEdits(editor::GeosetModel& model, const std::uint8_t* edits) {
    const auto n = model.vertices.size();
    const auto t = model.faces.size();
    if (n == 0)
        return;
    for (int k = 0; k < 2; ++k) {
        auto& vertex = model.vertices[edits[k] % n];
        vertex.deleted = (edits[k] & 0x80) != 0;
        vertex.selected = true;
        vertex.x += edits[k] * 0.5;
    }
    if (t > 0)
        model.faces[edits[2] % t].deleted = (edits[2] & 0x80) != 0;
    model.vertices[edits[3] % n].normalX = edits[3] / 7.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    const int geoset = data[0] % 4 + 1;
    const auto lines = fuzz::linesOf(data + 5, size - 5);
    auto read = editor::readGeosetText(fuzz::textOf(lines), geoset);
    if (!read.ok())
        return 0;
    editor::GeosetModel model;
    model.vertices = std::move(read.geoset->vertices);
    model.faces = std::move(read.geoset->faces);
    if (read.geoset->groupsRead) {
        model.matrices = std::move(read.geoset->matrices);
        model.groupCount = read.geoset->groupCount;
    }
    model.geosetNumber = geoset;
    model.modelLoaded = true;
    applyEdits(model, data + 1);
    if (editor::savingRemovesGeoset(model))
        return 0;
    const auto kept = std::count_if(model.vertices.begin(), model.vertices.end(),
                                    [](const editor::VertexRecord& v) { return !v.deleted; });
    const auto written = editor::modelLines(lines, model, false);
    const auto again = editor::readGeosetText(fuzz::textOf(written), geoset);
    if (again.ok() && static_cast<long>(again.geoset->vertices.size()) != kept)
        __builtin_trap();
    return 0;
}
