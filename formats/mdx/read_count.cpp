#include "formats/mdx/read_count.h"

#include <atomic>

namespace mdx {

namespace {
std::atomic<std::size_t> reads{0};
}

std::size_t modelReadCount() {
    return reads.load(std::memory_order_relaxed);
}

void countModelRead() {
    reads.fetch_add(1, std::memory_order_relaxed);
}

} // namespace mdx
