#pragma once

#include "common/rgba_image.h"
#include "textures/byte_reader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace textures {

enum class ImageFormat { Blp, Tga, Png, Jpeg, Gif, Bmp };

// The format the bytes are in, known by their signature; TGA (which has none) when the header
// is plausible. Nothing for anything else.
std::optional<ImageFormat> sniffFormat(Bytes bytes);

// The format a file name's extension names (case-insensitive); nothing for an unknown one.
std::optional<ImageFormat> formatOfExtension(const std::filesystem::path& path);

// Decodes a picture in any format read here. Throws TextureError.
common::RgbaImage decodeImage(Bytes bytes);

// Reads and decodes a file. Throws TextureError naming the file.
common::RgbaImage readImageFile(const std::filesystem::path& path);

// Encodes in the format; quality counts for JPEG and BLP (1..100).
std::vector<std::uint8_t> encodeImage(const common::RgbaImage& image, ImageFormat format,
                                      int quality);

// Writes the picture in the format of the path's extension, through a temporary file renamed
// over the target. Throws TextureError.
void writeImageFile(const std::filesystem::path& path, const common::RgbaImage& image, int quality);

} // namespace textures
