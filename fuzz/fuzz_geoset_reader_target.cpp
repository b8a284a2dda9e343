// Reads any geoset of any text: the first byte picks the geoset number, the rest is the file.
#include "common/text_file.h"
#include "editor/model/geoset_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int geoset = data[0] % 8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto result = editor::readGeosetText(text, geoset);
    if (!result.ok()) {
        // A refusal always says what, and names a line unless the text has none or no line is
        // at fault (a model without any geoset).
        common::LineReader lines(common::LineReader::FromText{}, text);
        std::string first;
        if (result.error.empty() ||
            (result.errorLine == 0 && !result.noGeoset && lines.next(first)))
            __builtin_trap();
        return 0;
    }
    // Whatever was read must hold together: every corner names a vertex.
    const auto& geosetRead = *result.geoset;
    for (const auto& face : geosetRead.faces)
        for (int corner : {face.a, face.b, face.c})
            if (corner < 0 || static_cast<std::size_t>(corner) >= geosetRead.vertices.size())
                __builtin_trap();
    return 0;
}
