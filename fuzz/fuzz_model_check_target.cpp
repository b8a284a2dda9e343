// Reads any bytes as a model (MDX by its magic, else MDL text) and checks it: whatever the
// readers accept, the check and its fixes run without reading out of bounds, the fixes end
// (a second run changes nothing), and the fixed model still writes and reads back.
#include "formats/check/model_check.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mdx::Model model;
    try {
        model = mdx::hasMdxMagic(bytes) ? mdx::readMdx(bytes) : mdx::readMdl(bytes);
    } catch (const mdx::FormatError&) {
        return 0;
    }
    const auto problems = check::checkModel(model);
    for (const auto& p : problems)
        if (p.id.empty() || p.message.empty())
            __builtin_trap();
    check::applyCertainFixes(model);
    if (!check::applyCertainFixes(model).empty())
        __builtin_trap();
    check::checkModel(model);
    const auto written = mdx::writeMdx(model);
    try {
        if (!(mdx::writeMdx(mdx::readMdx(written)) == written))
            __builtin_trap();
    } catch (const mdx::FormatError&) {
        __builtin_trap();
    }
    return 0;
}
