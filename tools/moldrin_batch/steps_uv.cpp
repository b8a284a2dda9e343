#include "batch_context.h"

namespace batch {

void registerUvSteps(StepTable&) {}

} // namespace batch
