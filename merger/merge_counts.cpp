#include "merger/merge_counts.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace merger {

namespace {

// How many lines of the top-level block starting at `header` start with `entry`.
int entriesOf(const Lines& model, std::size_t header, std::string_view entry) {
    int n = 0;
    for (std::size_t i = header + 1; i < model.size() && model[i] != "}"; ++i)
        if (startsWith(model[i], entry))
            ++n;
    return n;
}

std::string countedHeader(const std::string& name, int count) {
    return name + " " + std::to_string(count) + " {";
}

std::string numGeosetsLine(int count) {
    return "\tNumGeosets " + std::to_string(count) + ",";
}

} // namespace

void writeChangedCounts(Lines& model) {
    const int geosets = static_cast<int>(std::count(model.begin(), model.end(), "Geoset {"));
    std::optional<std::size_t> modelHeader;
    for (std::size_t i = 0; i < model.size(); ++i) {
        const auto& line = model[i];
        if (startsWith(line, "Textures ") && line.back() == '{')
            model[i] = countedHeader("Textures", entriesOf(model, i, "\tBitmap "));
        else if (startsWith(line, "Materials ") && line.back() == '{')
            model[i] = countedHeader("Materials", entriesOf(model, i, "\tMaterial "));
        else if (startsWith(line, "Model ") && line.back() == '{' && !modelHeader)
            modelHeader = i;
    }
    if (!modelHeader)
        return;
    bool countsBlocks = false;
    for (std::size_t i = *modelHeader + 1; i < model.size() && model[i] != "}"; ++i) {
        if (startsWith(model[i], "\tNumGeosets ")) {
            model[i] = numGeosetsLine(geosets);
            return;
        }
        countsBlocks = countsBlocks || startsWith(model[i], "\tNum");
    }
    if (countsBlocks && geosets > 0)
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(*modelHeader) + 1,
                     numGeosetsLine(geosets));
}

} // namespace merger
