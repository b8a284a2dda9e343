#pragma once

#include "formats/animation/animation_time.h"
#include "formats/animation/skeleton.h"

#include <optional>
#include <vector>

namespace animation {

// Node flags of the file.
inline constexpr std::uint32_t dontInheritTranslation = 1;
inline constexpr std::uint32_t dontInheritRotation = 2;
inline constexpr std::uint32_t dontInheritScaling = 4;
inline constexpr std::uint32_t billboarded = 8;
inline constexpr std::uint32_t billboardedLockX = 16;
inline constexpr std::uint32_t billboardedLockY = 32;
inline constexpr std::uint32_t billboardedLockZ = 64;
inline constexpr std::uint32_t anyBillboard =
    billboarded | billboardedLockX | billboardedLockY | billboardedLockZ;

// The world matrix of every node (in Skeleton::nodes order) at the moment:
// local = T(translation) · T(pivot) · R(rotation) · S(scaling) · T(-pivot), world = parent's
// world · local. A DontInherit flag drops that part of the parent's matrix (the pivot keeps
// its bind position without translation; the parent's rotation or its axes' scales are left
// out of the rest). With a camera (its view matrix, world to camera, in the file's axes),
// billboarded nodes turn their x axis toward it: fully, or about the world's x, y or z axis
// for the locks; without one they keep the animated rotation, and the count of such nodes is
// returned.
int nodeWorldMatrices(const Skeleton& skeleton, const AnimationTime& time,
                      const std::optional<common::Mat4>& camera, std::vector<common::Mat4>& world);

} // namespace animation
