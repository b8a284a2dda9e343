// The merger on fuzzed models: byte 0 picks the bone, byte 1 the texture type and where the
// base model ends (bytes 2..3, a split point); the rest is the base model followed by the
// geoset model. Lists the bones and runs the whole merge in memory and through files.
#include "fuzz_support.h"

#include "merger/bone_directory.h"
#include "merger/merge_writer.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const int bone = data[0] % 16 - 1;
    const auto type = static_cast<merger::TextureType>(data[1] % 4);
    const std::size_t rest = size - 4;
    const std::size_t split =
        rest == 0 ? 0 : (static_cast<std::size_t>(data[2]) << 8 | data[3]) % (rest + 1);
    const auto base = fuzz::writeInput("base.mdl", data + 4, split);
    const auto geoset = fuzz::writeInput("geoset.mdl", data + 4 + split, rest - split);

    merger::fillBoneList(base.string());
    merger::MergeRequest request;
    request.basePath = base.string();
    request.geosetPath = geoset.string();
    request.outputPath = (fuzz::workFolder() / "merged.mdl").string();
    request.texture = {"Textures\\Fuzz.blp", (data[1] & 0x10) != 0, type};
    request.boneIndex = bone;
    merger::mergeModels(request);
    return 0;
}
