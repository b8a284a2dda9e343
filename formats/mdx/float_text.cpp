#include "formats/mdx/float_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace mdx {

char* writeFloat(char* out, float value) {
    // A NaN other than the usual one keeps its bits: "nan0x" and eight hex digits.
    const auto bits = std::bit_cast<std::uint32_t>(value);
    if (std::isnan(value) && bits != 0x7FC00000u) {
        char hex[16];
        const auto r = std::to_chars(hex, hex + sizeof hex, bits, 16);
        out = std::copy_n("nan0x", 5, out);
        out = std::fill_n(out, 8 - (r.ptr - hex), '0');
        return std::copy(hex, r.ptr, out);
    }
    return std::to_chars(out, out + floatTextRoom, value).ptr;
}

void appendFloat(std::string& out, float value) {
    char buffer[floatTextRoom];
    out.append(buffer, writeFloat(buffer, value));
}

std::string floatText(float value) {
    std::string text;
    appendFloat(text, value);
    return text;
}

std::optional<float> parseFloat(std::string_view text) {
    if (text.size() == 13 && text.substr(0, 5) == "nan0x") {
        std::uint32_t bits = 0;
        const auto r = std::from_chars(text.data() + 5, text.data() + 13, bits, 16);
        if (r.ec != std::errc() || r.ptr != text.data() + 13)
            return std::nullopt;
        const float value = std::bit_cast<float>(bits);
        if (!std::isnan(value))
            return std::nullopt;
        return value;
    }
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    // Values below the smallest normal float still read exactly; only the overflow to
    // infinity of a finite text is refused.
    if (result.ptr != text.data() + text.size())
        return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        const double wide = std::strtod(std::string(text).c_str(), nullptr);
        if (std::isinf(wide) || std::fabs(wide) > 3.5e38)
            return std::nullopt;
        return static_cast<float>(wide);
    }
    if (result.ec != std::errc())
        return std::nullopt;
    return value;
}

} // namespace mdx
