#include "batch_context.h"

namespace batch {

void registerSelectionSteps(StepTable&) {}

} // namespace batch
