#include "textures/image_file.h"

#include "common/file_kind.h"
#include "common/file_replacement.h"
#include "textures/blp_codec.h"
#include "textures/jpeg_codec.h"
#include "textures/stb_backend.h"
#include "textures/tga_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

namespace textures {

namespace {

// Larger than any picture of 8192 x 8192 pixels in any of the formats read here.
constexpr std::uintmax_t maxFileBytes = 512ull << 20;

bool startsWith(Bytes bytes, const char* signature, std::size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    const std::string name = "\"" + path.string() + "\"";
    if (const auto why = common::whyNotARegularFile(path); !why.empty())
        throw TextureError(name + " cannot be read: " + why);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        throw TextureError(name + " cannot be read: " + error.message());
    if (size > maxFileBytes)
        throw TextureError(name + " is too large to be a picture this program reads");
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        throw TextureError(name + " cannot be read");
    return bytes;
}

} // namespace

std::optional<ImageFormat> sniffFormat(Bytes bytes) {
    if (looksLikeBlp(bytes))
        return ImageFormat::Blp;
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8))
        return ImageFormat::Png;
    if (startsWith(bytes, "\xff\xd8\xff", 3))
        return ImageFormat::Jpeg;
    if (startsWith(bytes, "GIF87a", 6) || startsWith(bytes, "GIF89a", 6))
        return ImageFormat::Gif;
    if (startsWith(bytes, "BM", 2))
        return ImageFormat::Bmp;
    if (looksLikeTga(bytes))
        return ImageFormat::Tga;
    return std::nullopt;
}

std::optional<ImageFormat> formatOfExtension(const std::filesystem::path& path) {
    const auto ext = lowerExtension(path);
    if (ext == ".blp")
        return ImageFormat::Blp;
    if (ext == ".tga")
        return ImageFormat::Tga;
    if (ext == ".png")
        return ImageFormat::Png;
    if (ext == ".jpg" || ext == ".jpeg")
        return ImageFormat::Jpeg;
    if (ext == ".gif")
        return ImageFormat::Gif;
    if (ext == ".bmp")
        return ImageFormat::Bmp;
    return std::nullopt;
}

common::RgbaImage decodeImage(Bytes bytes) {
    const auto format = sniffFormat(bytes);
    if (!format)
        throw TextureError("it is not a BLP, TGA, PNG, JPEG, GIF or BMP picture");
    switch (*format) {
    case ImageFormat::Blp:
        return decodeBlp(bytes);
    case ImageFormat::Tga:
        return decodeTga(bytes);
    case ImageFormat::Jpeg:
        return decodeJpeg(bytes);
    case ImageFormat::Png:
        return decodeWithStb(bytes, "PNG");
    case ImageFormat::Gif:
        return decodeWithStb(bytes, "GIF");
    case ImageFormat::Bmp:
        return decodeWithStb(bytes, "BMP");
    }
    throw TextureError("unknown picture format");
}

common::RgbaImage readImageFile(const std::filesystem::path& path) {
    const auto bytes = readBytes(path);
    try {
        return decodeImage(bytes);
    } catch (const TextureError& error) {
        throw TextureError("\"" + path.string() + "\" cannot be read: " + error.what());
    }
}

std::vector<std::uint8_t> encodeImage(const common::RgbaImage& image, ImageFormat format,
                                      int quality) {
    switch (format) {
    case ImageFormat::Blp:
        return encodeBlp(image, quality);
    case ImageFormat::Tga:
        return encodeTga(image);
    case ImageFormat::Png:
        return encodePng(image);
    case ImageFormat::Jpeg:
        return encodeJpeg(image, quality);
    case ImageFormat::Bmp:
        return encodeBmp(image);
    case ImageFormat::Gif:
        break;
    }
    throw TextureError("GIF pictures are read, not written");
}

void writeImageFile(const std::filesystem::path& path, const common::RgbaImage& image,
                    int quality) {
    const std::string name = "\"" + path.string() + "\"";
    const auto format = formatOfExtension(path);
    if (!format)
        throw TextureError(name + ": the extension names no format this program writes (.blp, "
                                  ".tga, .png, .jpg or .bmp)");
    std::vector<std::uint8_t> bytes;
    try {
        bytes = encodeImage(image, *format, quality);
    } catch (const TextureError& error) {
        throw TextureError(name + " cannot be written: " + error.what());
    }
    common::FileReplacement file(path);
    if (!file.isOpen())
        throw TextureError(name + " cannot be written" +
                           (file.refusal().empty() ? "" : ": " + file.refusal()));
    if (!file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()) || !file.commit())
        throw TextureError(name + " cannot be written");
}

} // namespace textures
