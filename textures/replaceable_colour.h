#pragma once

#include "common/canvas.h"

namespace textures {

// The flat colour a replaceable texture shows as: team colour and team glow in the first
// player's red, anything else (cliffs, trees) grey.
common::Colour replaceableColour(int replaceableId);

} // namespace textures
