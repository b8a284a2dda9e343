// Removes a geoset from any file: the first byte picks the geoset number, the rest is the file.
#include "fuzz_support.h"

#include "editor/editing/file_save.h"
#include "editor/model/model_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int geoset = data[0] % 8;
    const auto path = fuzz::writeInput("model.mdl", data + 1, size - 1);
    editor::removeGeoset(path.string(), geoset);
    return 0;
}
