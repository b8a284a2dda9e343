#pragma once

#include <string_view>

namespace merger {

// Case-sensitive prefix test on whole lines.
bool startsWith(std::string_view checkIn, std::string_view checkFor);

} // namespace merger
