#include "textures/replaceable_colour.h"

namespace textures {

common::Colour replaceableColour(int replaceableId) {
    if (replaceableId == 1 || replaceableId == 2)
        return {255, 3, 3};
    return {128, 128, 128};
}

} // namespace textures
