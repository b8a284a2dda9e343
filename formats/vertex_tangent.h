#pragma once

#include <array>

namespace formats {

// The tangent (x, y, z, w) made perpendicular to the normal again, unit length, with the sign w
// kept (a w of 0 becomes 1). A tangent along the normal, or of length 0, is replaced by a unit
// vector perpendicular to it. A normal of length 0 leaves the tangent as it is.
std::array<double, 4> tangentAcross(const std::array<double, 3>& normal,
                                    const std::array<double, 4>& tangent);

} // namespace formats
