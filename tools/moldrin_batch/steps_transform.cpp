#include "batch_context.h"

namespace batch {

void registerTransformSteps(StepTable&) {}

} // namespace batch
