#pragma once

namespace common {

// The nearest whole number, halves away from zero, as std::lround gives it, for values well
// inside the range of an int. Inline and without a branch on the fraction: drawing rounds four
// of these for every edge of a mesh, and the fractions of a mesh defeat branch prediction.
inline int nearestPixel(double value) {
    const int whole = static_cast<int>(value); // towards zero
    const double fraction = value - whole;     // exact
    return whole + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
}

} // namespace common
