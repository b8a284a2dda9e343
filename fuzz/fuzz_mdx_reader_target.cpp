// Reads any bytes as a binary model. What reads must write back to the same model, and its
// MDL text must read back to the same model too; what does not read must say where. What
// reads is posed too: a pose costs one pass over its nodes, keys and vertices, and has a
// vertex for every vertex.
#include "formats/animation/model_pose.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mdx::Model model;
    try {
        model = mdx::readMdx(bytes);
    } catch (const mdx::FormatError& error) {
        if (std::string_view(error.what()).empty() || error.position() > size)
            __builtin_trap();
        return 0;
    }
    const animation::Skeleton skeleton(model);
    animation::Pose pose;
    animation::PoseRequest request;
    request.time = animation::sequenceTime(model, 0, 333.5);
    animation::evaluatePose(model, skeleton, request, pose);
    for (std::size_t g = 0; g < model.geosets.size(); ++g)
        if (pose.geosets[g].vertices.size() != model.geosets[g].vertices.size())
            __builtin_trap();
    // Damaged floats may be NaN, which compares unequal to itself: compare the bytes.
    const std::string written = mdx::writeMdx(model);
    if (!(mdx::writeMdx(mdx::readMdx(written)) == written))
        __builtin_trap();
    // Through the text every field survives but the bytes after a text field's end, which the
    // text cannot hold; the model is compared only when none were dropped.
    const auto mdl = mdx::writeMdl(model);
    try {
        const auto back = mdx::readMdl(mdl.text);
        if (mdl.dropped.empty() && !(mdx::writeMdx(back) == written))
            __builtin_trap();
    } catch (const mdx::FormatError&) {
        __builtin_trap();
    }
    return 0;
}
