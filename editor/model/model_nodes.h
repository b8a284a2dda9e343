#pragma once

#include "formats/mdx/mdx_model.h"

#include <set>

namespace editor {

// The ObjectIds of the model's nodes (bones, helpers, lights, attachments, emitters and the
// like).
std::set<int> nodeObjectIds(const mdx::Model& model);

} // namespace editor
