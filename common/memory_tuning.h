#pragma once

#include <cstddef>

namespace common {

// The editor copies whole arrays of several megabytes for every undo step and frees them again
// as steps drop out. By default the C library gives each such block fresh pages from the system
// and returns them on free, or not, depending on what happened to be freed earlier in the run;
// touching fresh pages costs ten times the copy itself. This keeps blocks up to 32 MiB in the
// program's own heap and freed memory for reuse, so that the cost of a step does not depend on
// the program's history. Call once at start.
void keepFreedMemoryForReuse();

// Makes the pages of a block just allocated resident in one call, before it is first written.
// Each first touch of a fresh page is otherwise a fault of its own, and on some machines (virtual
// ones above all) filling a few fresh megabytes page by page takes longer than the work done on
// them. The contents do not change. Where the system cannot do this, nothing happens.
void prefault(void* block, std::size_t size);

} // namespace common
