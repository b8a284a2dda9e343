#pragma once

#include <set>
#include <string>
#include <vector>

namespace editor {

// The ObjectIds of the model's nodes (bones, helpers, lights, attachments, emitters and the
// like): every "ObjectId N," line of a block at the top level of the model.
std::set<int> nodeObjectIds(const std::vector<std::string>& lines);

} // namespace editor
