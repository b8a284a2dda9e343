#pragma once

#include <string>
#include <vector>

namespace formats {

// The version of the classic models; a model without a FormatVersion line is one of them.
inline constexpr int classicFormatVersion = 800;
// From this version on, geosets may carry Tangents and SkinWeights blocks.
inline constexpr int firstReforgedFormatVersion = 900;

// The FormatVersion of a model in the tab layout: the number on the "\tFormatVersion N," line
// of its Version block, or classicFormatVersion when there is none or it is not a number.
int formatVersion(const std::vector<std::string>& lines);

inline bool isReforgedVersion(int version) {
    return version >= firstReforgedFormatVersion;
}

} // namespace formats
