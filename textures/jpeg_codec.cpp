#include "textures/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace textures {

namespace {

// libjpeg reports a fatal error by calling error_exit; it must not return. The handler jumps
// back into the function that set the trap, which owns no object with a destructor between the
// trap and the libjpeg calls.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jumpOnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings (a stream ending early, say) are not reported: the decoder fills in and goes on.
extern "C" void ignoreMessage(j_common_ptr, int) {}

void setTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpOnError;
    trap.manager.emit_message = ignoreMessage;
    trap.message[0] = '\0';
}

enum class DecodeOutcome { Done, LibraryError, TooLarge, WrongComponents };

struct DecodeRequest {
    Bytes bytes;
    bool fourComponents = false; // raw samples of a four-component stream, else RGBA
};

struct DecodeResult {
    int width = 0;
    int height = 0;
    bool adobeInverted = false;
    bool cmyk = false;
    std::vector<std::uint8_t> samples;
};

DecodeOutcome decodeTrapped(const DecodeRequest& request, DecodeResult& result, ErrorTrap& trap) {
    jpeg_decompress_struct info;
    info.err = &trap.manager;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return DecodeOutcome::LibraryError;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, request.bytes.data(), static_cast<unsigned long>(request.bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > static_cast<unsigned>(maxTextureSide) ||
        info.image_height > static_cast<unsigned>(maxTextureSide)) {
        result.width = static_cast<int>(info.image_width);
        result.height = static_cast<int>(info.image_height);
        jpeg_destroy_decompress(&info);
        return DecodeOutcome::TooLarge;
    }
    if (request.fourComponents) {
        if (info.num_components != 4) {
            jpeg_destroy_decompress(&info);
            return DecodeOutcome::WrongComponents;
        }
        // The samples as stored: no colour space conversion at all.
        info.jpeg_color_space = JCS_CMYK;
        info.out_color_space = JCS_CMYK;
    } else if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        info.out_color_space = JCS_CMYK;
        result.cmyk = true;
        result.adobeInverted = info.saw_Adobe_marker;
    } else {
        info.out_color_space = JCS_EXT_RGBA;
    }
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
    result.samples.assign(stride * info.output_height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.samples.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return DecodeOutcome::Done;
}

DecodeResult decode(Bytes bytes, bool fourComponents) {
    if (bytes.empty())
        throw TextureError("the JPEG data is empty");
    ErrorTrap trap;
    setTrap(trap);
    DecodeResult result;
    switch (decodeTrapped({bytes, fourComponents}, result, trap)) {
    case DecodeOutcome::Done:
        if (result.width < 1 || result.height < 1)
            throw TextureError("the JPEG data holds an empty picture");
        return result;
    case DecodeOutcome::TooLarge:
        checkTextureSize(result.width, result.height, "the JPEG data");
        break;
    case DecodeOutcome::WrongComponents:
        throw TextureError("the JPEG data does not have the four components a texture needs");
    case DecodeOutcome::LibraryError:
        break;
    }
    throw TextureError(std::string("the JPEG data cannot be decoded: ") + trap.message);
}

// Writes with the trap set; the caller owns the output buffer, freed whatever happens.
struct EncodeRequest {
    const std::uint8_t* samples = nullptr;
    int width = 0;
    int height = 0;
    int components = 0; // 3 (RGB) or 4 (stored as is)
    int quality = 90;
    bool tablesOnly = false;
};

bool encodeTrapped(const EncodeRequest& request, unsigned char*& buffer, unsigned long& size,
                   ErrorTrap& trap) {
    jpeg_compress_struct info;
    info.err = &trap.manager;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(request.width);
    info.image_height = static_cast<JDIMENSION>(request.height);
    info.input_components = request.components;
    info.in_color_space = request.components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    if (request.components == 4) {
        // Keep the samples as they are: no Adobe marker (which would mark them inverted), no
        // JFIF marker, every component at full resolution.
        jpeg_set_colorspace(&info, JCS_CMYK);
        info.write_Adobe_marker = FALSE;
        info.write_JFIF_header = FALSE;
    }
    jpeg_set_quality(&info, request.quality, TRUE);
    if (request.tablesOnly) {
        jpeg_write_tables(&info);
    } else {
        if (request.components == 4)
            jpeg_suppress_tables(&info, TRUE);
        jpeg_start_compress(&info, request.components == 4 ? FALSE : TRUE);
        const std::size_t stride =
            static_cast<std::size_t>(request.width) * static_cast<std::size_t>(request.components);
        while (info.next_scanline < info.image_height) {
            auto row = const_cast<JSAMPROW>(request.samples + stride * info.next_scanline);
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
    }
    jpeg_destroy_compress(&info);
    return true;
}

std::vector<std::uint8_t> encode(const EncodeRequest& request) {
    if (request.quality < 1 || request.quality > 100)
        throw TextureError("the JPEG quality must be between 1 and 100");
    ErrorTrap trap;
    setTrap(trap);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool done = encodeTrapped(request, buffer, size, trap);
    std::vector<std::uint8_t> out;
    if (done && buffer)
        out.assign(buffer, buffer + size);
    std::free(buffer);
    if (!done)
        throw TextureError(std::string("the JPEG data cannot be written: ") + trap.message);
    return out;
}

std::uint8_t fromInk(int ink, int black, bool inverted) {
    // Adobe writers store CMYK inverted (255 is no ink).
    if (inverted)
        return static_cast<std::uint8_t>(ink * black / 255);
    return static_cast<std::uint8_t>((255 - ink) * (255 - black) / 255);
}

} // namespace

common::RgbaImage decodeJpeg(Bytes bytes) {
    auto decoded = decode(bytes, false);
    common::RgbaImage image;
    image.width = decoded.width;
    image.height = decoded.height;
    if (decoded.cmyk) {
        for (std::size_t i = 0; i + 3 < decoded.samples.size(); i += 4) {
            auto* p = &decoded.samples[i];
            const int black = p[3];
            p[0] = fromInk(p[0], black, decoded.adobeInverted);
            p[1] = fromInk(p[1], black, decoded.adobeInverted);
            p[2] = fromInk(p[2], black, decoded.adobeInverted);
            p[3] = 255;
        }
    }
    image.pixels = std::move(decoded.samples);
    return image;
}

FourComponentPicture decodeFourComponentJpeg(Bytes bytes) {
    auto decoded = decode(bytes, true);
    return {decoded.width, decoded.height, std::move(decoded.samples)};
}

std::vector<std::uint8_t> encodeJpeg(const common::RgbaImage& image, int quality) {
    checkTextureSize(image.width, image.height, "the picture");
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
        rgb.insert(rgb.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
                   image.pixels.begin() + static_cast<std::ptrdiff_t>(i + 3));
    return encode({rgb.data(), image.width, image.height, 3, quality, false});
}

std::vector<std::uint8_t> encodeFourComponentTables(int quality) {
    return encode({nullptr, 1, 1, 4, quality, true});
}

std::vector<std::uint8_t> encodeFourComponentImage(const FourComponentPicture& picture,
                                                   int quality) {
    checkTextureSize(picture.width, picture.height, "the picture");
    return encode({picture.samples.data(), picture.width, picture.height, 4, quality, false});
}

} // namespace textures
