#include "formats/mdx/format_error.h"

namespace mdx {

FormatError::FormatError(std::string where, std::size_t position, const std::string& message)
    : std::runtime_error(message), where_(std::move(where)), position_(position) {}

} // namespace mdx
