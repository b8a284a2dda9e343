#pragma once

#include "batch_context.h"
#include "formats/mdx/mdx_model.h"

#include <optional>
#include <string>

namespace batch {

// The working copy's whole model with the edited geoset taken from the arrays; an "Error"
// message naming the step and nothing when it cannot be had.
std::optional<mdx::Model> editedModel(BatchContext& context, const std::string& step);

} // namespace batch
