#include "editor/model/model_nodes.h"

#include "formats/check/model_walk.h"

namespace editor {

std::set<int> nodeObjectIds(const mdx::Model& model) {
    std::set<int> ids;
    for (const auto& entry : check::nodesInFileOrder(model))
        ids.insert(static_cast<int>(entry.node->objectId));
    return ids;
}

} // namespace editor
