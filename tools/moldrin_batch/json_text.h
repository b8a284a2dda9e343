#pragma once

#include <string>
#include <string_view>

namespace batch {

// The text as a JSON string with its quotes: quotes, backslashes and control characters escaped,
// and each byte that is not part of valid UTF-8 (names in old files are often Latin-1) as
// U+FFFD, so that the output is always valid JSON.
std::string jsonString(std::string_view text);

} // namespace batch
