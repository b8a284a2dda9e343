// Drawing rounds coordinates to pixels with its own inline rounding; it must agree with the
// library's rounding (halves away from zero) everywhere in the drawing range.
#include "common/pixel_rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(PixelRounding, AgreesWithTheLibraryRounding) {
    for (double value : {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, 0.49999999999999994,
                         -0.49999999999999994, 31999.5, -31999.5, 1e-300, 1999999999.5})
        EXPECT_EQ(common::nearestPixel(value), std::lround(value)) << value;
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> any(-40000, 40000);
    std::uniform_int_distribution<int> whole(-40000, 40000);
    for (int i = 0; i < 1000000; ++i) {
        const double value = i % 2 ? any(random) : whole(random) + 0.5 * (i % 4 == 0 ? 1 : -1);
        ASSERT_EQ(common::nearestPixel(value), std::lround(value)) << value;
    }
}

} // namespace
