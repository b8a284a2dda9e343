#pragma once

#include "batch_context.h"
#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <optional>
#include <string>

namespace batch {

// A sequence (0-based) and a time in ms from its start.
struct PoseMoment {
    std::size_t sequence = 0;
    double time = 0;
};

// The moment a step's SEQUENCE (the exact name, else the 1-based number) and TIME (ms, from 0
// up) arguments name in the model; one "Error" naming the step and what was wrong, and
// nothing, when either is wrong.
std::optional<PoseMoment> poseMoment(BatchContext& context, const mdx::Model& model,
                                     const std::string& step, const std::string& sequence,
                                     const std::string& time);

} // namespace batch
