// Normalises any text: the first byte picks a geoset to read, the rest is the file. The
// normaliser never fails without a message and line; its output is in the tab layout and is
// left as it is the second time; text it takes as already in the tab layout is what its writer
// would write; and the geoset reader reads such text exactly as it reads the rewritten text.
#include "editor/model/geoset_reader.h"
#include "formats/mdl_normaliser.h"
#include "formats/tab_layout.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Lines without their ends, with runs of spaces before a closing "{" made one: the only
// freedoms the tab-layout check allows that the writer does not take.
std::vector<std::string> canonicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.back() == '{') {
            auto spaces = line.size() - 1;
            while (spaces > 0 && line[spaces - 1] == ' ')
                --spaces;
            line = line.substr(0, spaces) + " {";
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool sameRead(const editor::GeosetReadResult& a, const editor::GeosetReadResult& b) {
    if (a.ok() != b.ok())
        return false;
    if (!a.ok())
        return a.error == b.error && a.errorLine == b.errorLine;
    const auto& x = *a.geoset;
    const auto& y = *b.geoset;
    return x.vertices == y.vertices && x.faces == y.faces && x.matrices == y.matrices &&
           x.groupCount == y.groupCount && x.extras == y.extras &&
           x.verticesOutsideGroups == y.verticesOutsideGroups;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int geoset = data[0] % 4 + 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto normalised = formats::normaliseModelText(text);
    if (!normalised.ok()) {
        if (normalised.error.empty() || normalised.errorLine == 0)
            __builtin_trap();
        return 0;
    }
    if (!formats::isTabLayout(normalised.text))
        __builtin_trap();
    const auto again = formats::normaliseModelText(normalised.text);
    if (!again.ok() || again.rewritten || again.text != normalised.text)
        __builtin_trap();
    if (normalised.rewritten) {
        if (normalised.sourceLines.size() != canonicalLines(normalised.text).size())
            __builtin_trap();
        return 0;
    }
    // Taken as it is: the writer must agree, and the reader must read both alike.
    const auto rewritten = formats::rewriteModelText(text);
    if (!rewritten.ok() || canonicalLines(rewritten.text) != canonicalLines(text))
        __builtin_trap();
    if (!sameRead(editor::readGeosetText(text, geoset),
                  editor::readGeosetText(rewritten.text, geoset)))
        __builtin_trap();
    return 0;
}
