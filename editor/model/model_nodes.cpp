#include "editor/model/model_nodes.h"

#include "common/number_text.h"
#include "editor/model/geoset_reader.h"

namespace editor {

std::set<int> nodeObjectIds(const std::vector<std::string>& lines) {
    static constexpr std::string_view prefix = "\tObjectId ";
    std::set<int> ids;
    for (const auto& line : lines) {
        if (!startsWith(line, prefix) || line.back() != ',')
            continue;
        const auto text =
            std::string_view(line).substr(prefix.size(), line.size() - prefix.size() - 1);
        if (const auto id = common::parseInteger32(text))
            ids.insert(*id);
    }
    return ids;
}

} // namespace editor
