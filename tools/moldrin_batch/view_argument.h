#pragma once

#include "batch_context.h"
#include "editor/views/viewports.h"

#include <string>
#include <vector>

namespace batch {

// The view named by a step argument: "front", "top" or "left".
editor::View viewArgument(const std::vector<std::string>& args, std::size_t index,
                          const std::string& step);

// Reads VIEW,h1,v1,h2,v2 into the state's press and release points (model units) and returns
// the view.
editor::View dragArguments(BatchContext& context, const std::vector<std::string>& args,
                           const std::string& step);

} // namespace batch
