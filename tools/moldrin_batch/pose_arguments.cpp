#include "pose_arguments.h"

#include "common/number_text.h"
#include "formats/animation/animation_time.h"

#include <cmath>

namespace batch {

std::optional<PoseMoment> poseMoment(BatchContext& context, const mdx::Model& model,
                                     const std::string& step, const std::string& sequence,
                                     const std::string& time) {
    const auto found = animation::findSequence(model, sequence);
    if (!found) {
        showError(context, step + ": the model has no sequence \"" + sequence + "\" (" +
                               std::to_string(model.sequences.size()) + " sequences)");
        return std::nullopt;
    }
    const auto ms = common::parseNumber(time);
    if (!ms || !std::isfinite(*ms) || *ms < 0) {
        showError(context,
                  step + ": the time \"" + time + "\" is not a number of milliseconds from 0 up");
        return std::nullopt;
    }
    return PoseMoment{*found, *ms};
}

} // namespace batch
