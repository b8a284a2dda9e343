#include "formats/format_version.h"

#include "common/number_text.h"

#include <string_view>

namespace formats {

int formatVersion(const std::vector<std::string>& lines) {
    constexpr std::string_view prefix = "\tFormatVersion ";
    bool inVersion = false;
    for (const auto& line : lines) {
        if (line == "Version {") {
            inVersion = true;
        } else if (line == "}") {
            if (inVersion)
                break;
        } else if (inVersion && line.starts_with(prefix) && line.ends_with(",")) {
            const auto text =
                std::string_view(line).substr(prefix.size(), line.size() - prefix.size() - 1);
            if (const auto value = common::parseInteger32(text))
                return *value;
        }
    }
    return classicFormatVersion;
}

} // namespace formats
