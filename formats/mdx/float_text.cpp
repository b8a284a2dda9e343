#include "formats/mdx/float_text.h"

#include <charconv>
#include <cmath>

namespace mdx {

void appendFloat(std::string& out, float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string floatText(float value) {
    std::string text;
    appendFloat(text, value);
    return text;
}

std::optional<float> parseFloat(std::string_view text) {
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
