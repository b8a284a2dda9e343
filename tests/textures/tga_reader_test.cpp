#include "support/independent_decoders.h"
#include "support/temp_folder.h"
#include "texture_test_helpers.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"
#include "textures/tga_reader.h"

#include <gtest/gtest.h>

namespace {

using namespace texture_tests;

// A 3 x 2 picture: red, green, blue on the top row; white, grey, black below; alpha 255, 128,
// 0 along each row.
common::RgbaImage smallPicture() {
    common::RgbaImage image(3, 2);
    const std::uint8_t rgba[] = {255, 0,   0,   255, 0,   255, 0,   128, 0, 0, 255, 0,
                                 255, 255, 255, 255, 128, 128, 128, 128, 0, 0, 0,   0};
    image.pixels.assign(std::begin(rgba), std::end(rgba));
    return image;
}

struct TgaLayout {
    int type = 2; // 1 paletted, 2 true colour, 3 grey; +8 run-length encoded
    int bits = 32;
    bool topDown = false;
    bool fromRight = false;
    bool footer = false;
};

// Writes the picture in the layout, byte by byte.
std::vector<std::uint8_t> tgaOf(const common::RgbaImage& image, const TgaLayout& layout) {
    const bool paletted = (layout.type & 7) == 1;
    const bool grey = (layout.type & 7) == 3;
    std::vector<std::uint8_t> out(18, 0);
    out[0] = 3; // an id of three bytes
    out[1] = paletted ? 1 : 0;
    out[2] = static_cast<std::uint8_t>(layout.type);
    std::vector<std::array<std::uint8_t, 4>> palette;
    if (paletted) {
        for (std::size_t i = 0; i < image.pixels.size(); i += 4)
            palette.push_back(
                {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2], image.pixels[i + 3]});
        out[5] = static_cast<std::uint8_t>(palette.size());
        out[7] = 32;
    }
    out[12] = static_cast<std::uint8_t>(image.width);
    out[14] = static_cast<std::uint8_t>(image.height);
    out[16] = static_cast<std::uint8_t>(paletted || grey ? 8 : layout.bits);
    out[17] =
        static_cast<std::uint8_t>((layout.topDown ? 0x20 : 0) | (layout.fromRight ? 0x10 : 0) |
                                  (layout.bits == 32 && !grey ? 8 : 0));
    out.insert(out.end(), {'i', 'd', '!'});
    for (const auto& entry : palette)
        out.insert(out.end(), {entry[2], entry[1], entry[0], entry[3]});
    std::vector<std::vector<std::uint8_t>> pixels;
    for (int row = 0; row < image.height; ++row) {
        const int y = layout.topDown ? row : image.height - 1 - row;
        for (int column = 0; column < image.width; ++column) {
            const int x = layout.fromRight ? image.width - 1 - column : column;
            const auto* p = image.at(x, y);
            if (paletted)
                pixels.push_back({static_cast<std::uint8_t>(y * image.width + x)});
            else if (grey)
                pixels.push_back({p[0]});
            else if (layout.bits == 24)
                pixels.push_back({p[2], p[1], p[0]});
            else
                pixels.push_back({p[2], p[1], p[0], p[3]});
        }
    }
    if (layout.type >= 9) {
        // One raw packet of the first two pixels, then a run packet per further pixel.
        out.push_back(1);
        out.insert(out.end(), pixels[0].begin(), pixels[0].end());
        out.insert(out.end(), pixels[1].begin(), pixels[1].end());
        for (std::size_t i = 2; i < pixels.size(); ++i) {
            out.push_back(0x80);
            out.insert(out.end(), pixels[i].begin(), pixels[i].end());
        }
    } else {
        for (const auto& p : pixels)
            out.insert(out.end(), p.begin(), p.end());
    }
    if (layout.footer) {
        out.insert(out.end(), 8, 0);
        const char signature[] = "TRUEVISION-XFILE.";
        out.insert(out.end(), signature, signature + sizeof signature);
    }
    return out;
}

TEST(TgaReader, EveryLayoutReadsThePictureExactly) {
    const auto picture = smallPicture();
    auto opaque = picture;
    for (std::size_t i = 3; i < opaque.pixels.size(); i += 4)
        opaque.pixels[i] = 255;
    for (int type : {1, 2, 9, 10})
        for (bool topDown : {false, true})
            for (bool fromRight : {false, true})
                for (bool footer : {false, true}) {
                    const TgaLayout layout{type, 32, topDown, fromRight, footer};
                    SCOPED_TRACE(::testing::Message()
                                 << "type " << type << " top " << topDown << " right " << fromRight
                                 << " footer " << footer);
                    const auto bytes = tgaOf(picture, layout);
                    EXPECT_EQ(textures::sniffFormat(bytes), textures::ImageFormat::Tga);
                    EXPECT_EQ(textures::decodeImage(bytes).pixels, picture.pixels);
                }
    EXPECT_EQ(textures::decodeTga(tgaOf(picture, {2, 24})).pixels, opaque.pixels);
    EXPECT_EQ(textures::decodeTga(tgaOf(picture, {10, 24, true})).pixels, opaque.pixels);
    for (int type : {3, 11}) {
        const auto grey = textures::decodeTga(tgaOf(picture, {type, 8}));
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(grey.at(x, 0)[0], picture.at(x, 0)[0]);
            EXPECT_EQ(grey.at(x, 1)[1], picture.at(x, 1)[0]);
            EXPECT_EQ(grey.at(x, 1)[3], 255);
        }
    }
}

TEST(TgaReader, TruncatedOrInconsistentFilesAreOneMessage) {
    const auto whole = tgaOf(smallPicture(), {10, 32});
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> part(whole.begin(),
                                             whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(textures::decodeTga(part), textures::TextureError) << length;
    }
    auto wrongDepth = tgaOf(smallPicture(), {2, 32});
    wrongDepth[16] = 12;
    EXPECT_THROW(textures::decodeTga(wrongDepth), textures::TextureError);
    auto noPalette = tgaOf(smallPicture(), {1, 32});
    noPalette[1] = 0;
    EXPECT_THROW(textures::decodeTga(noPalette), textures::TextureError);
}

// ImageMagick writes TGAs without the 2.0 footer. Its paletted and uncompressed true-colour
// files must read exactly as Pillow reads them, and hold the PNG they were made from. (This
// ImageMagick stores the rows top first under a header that says bottom first, so the header's
// order, which we follow, shows them upside down; either order is accepted for the source.)
TEST(TgaReader, ImageMagicksFilesReadExactly) {
    if (!testing_support::imageMagickAvailable())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    testing_support::TempFolder folder;
    common::RgbaImage source(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            auto* p = source.at(x, y);
            p[0] = static_cast<std::uint8_t>((x % 8) * 32);
            p[1] = static_cast<std::uint8_t>((y % 6) * 40);
            p[2] = static_cast<std::uint8_t>(x < 20 ? 30 : 220);
            p[3] = 255;
        }
    textures::writeImageFile(folder.file("source.png"), source, 90);
    testing_support::runImageMagick(
        {folder.file("source.png"), "-type", "Palette", folder.file("paletted.tga")});
    testing_support::runImageMagick({folder.file("source.png"), "-type", "TrueColor", "-compress",
                                     "None", folder.file("truecolour.tga")});
    for (const char* name : {"paletted.tga", "truecolour.tga"}) {
        SCOPED_TRACE(name);
        const auto text = testing_support::readFile(folder.file(name));
        const textures::Bytes bytes{reinterpret_cast<const std::uint8_t*>(text.data()),
                                    text.size()};
        ASSERT_GE(bytes.size(), 18u);
        EXPECT_EQ(bytes[2], std::string(name) == "paletted.tga" ? 1 : 2);
        const auto image = textures::readImageFile(folder.file(name));
        ASSERT_EQ(image.width, 40);
        ASSERT_EQ(image.height, 30);
        auto flipped = source;
        for (int y = 0; y < 30; ++y)
            std::copy_n(source.at(0, 29 - y), 40 * 4, flipped.at(0, y));
        EXPECT_TRUE(image.pixels == source.pixels || image.pixels == flipped.pixels);
        const auto other = testing_support::decodeWithPillow(folder.file(name));
        if (!other)
            continue;
        ASSERT_EQ(other->channels, 3);
        for (std::size_t i = 0; i < 40 * 30; ++i)
            for (std::size_t c = 0; c < 3; ++c)
                ASSERT_EQ(image.pixels[i * 4 + c], other->pixels[i * 3 + c]) << i;
    }
}

} // namespace
