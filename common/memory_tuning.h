#pragma once

namespace common {

// The editor copies whole arrays of several megabytes for every undo step and frees them again
// as steps drop out. By default the C library gives each such block fresh pages from the system
// and returns them on free, or not, depending on what happened to be freed earlier in the run;
// touching fresh pages costs ten times the copy itself. This keeps blocks up to 32 MiB in the
// program's own heap and freed memory for reuse, so that the cost of a step does not depend on
// the program's history. Call once at start.
void keepFreedMemoryForReuse();

} // namespace common
