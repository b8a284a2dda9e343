#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mdx {

// The shortest decimal text that reads back as exactly the same 32-bit float ("0.1", "-0",
// "1e+30", "inf", "nan"); a NaN other than the usual quiet one is written with its bits,
// "nan0xffc00000", so that it too reads back the same.
void appendFloat(std::string& out, float value);
// The same text written at out, which has room for floatTextRoom characters; returns its end.
inline constexpr std::size_t floatTextRoom = 32;
char* writeFloat(char* out, float value);
std::string floatText(float value);

// A float from MDL text, rounded once to the nearest float; nothing when the text is not a
// whole number text.
std::optional<float> parseFloat(std::string_view text);

} // namespace mdx
