#pragma once

#include "common/rgba_image.h"
#include "textures/byte_reader.h"

namespace textures {

// True when the first 18 bytes are a plausible TGA header (the format has no signature).
bool looksLikeTga(Bytes bytes);

// A TGA file (true-colour, grey or paletted, run-length encoded or not, with or without the
// 2.0 footer, any origin) as RGBA. The header and the length of the pixel data are checked
// first, so a truncated or inconsistent file is one clear message. Throws TextureError.
common::RgbaImage decodeTga(Bytes bytes);

} // namespace textures
