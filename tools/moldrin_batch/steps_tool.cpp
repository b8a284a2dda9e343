#include "batch_context.h"

namespace batch {

void registerToolSteps(StepTable&) {}

} // namespace batch
