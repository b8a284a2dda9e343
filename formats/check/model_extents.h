#pragma once

// The box around a geoset's vertices, and whether a stored extent fits it: what the stale
// extents rule checks and the fix sets.

#include "formats/mdx/mdx_model.h"

#include <optional>
#include <vector>

namespace check {

struct Bounds {
    mdx::Vec3 minimum;
    mdx::Vec3 maximum;
    void add(const Bounds& other);
};

// The box around the finite points; nothing when there is none.
std::optional<Bounds> boundsOf(const std::vector<mdx::Vec3>& points);

// The extent contains the box with 1 % of its diagonal to spare, and is at most twice its size.
bool extentFits(const mdx::Extent& extent, const Bounds& bounds);

// The box as an extent; the radius reaches from its centre to the farthest point.
mdx::Extent extentOf(const Bounds& bounds,
                     const std::vector<const std::vector<mdx::Vec3>*>& points);

} // namespace check
