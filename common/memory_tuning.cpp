#include "common/memory_tuning.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace common {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // 32 MiB is the largest threshold the library takes on 64-bit systems; a full history of
    // the largest geoset is about 110 MiB, so trimming starts only well past it.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

} // namespace common
