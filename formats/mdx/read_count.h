#pragma once

#include <cstddef>

namespace mdx {

// How many whole models this process has read (readMdl and readMdx each count one), so that a
// test can hold a program to reading a file once.
std::size_t modelReadCount();
void countModelRead();

} // namespace mdx
