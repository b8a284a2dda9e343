// Removes a geoset from any text: the first byte picks the geoset number, the rest is the file.
#include "fuzz_support.h"

#include "editor/model/model_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int geoset = data[0] % 8;
    const auto input = fuzz::linesOf(data + 1, size - 1);
    const auto lines = editor::removeGeosetLines(input, geoset);
    // Removing never adds lines.
    if (lines.size() > input.size())
        __builtin_trap();
    return 0;
}
