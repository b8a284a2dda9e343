#include "support/temp_folder.h"
#include "texture_test_helpers.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"

#include <gtest/gtest.h>

namespace {

using namespace texture_tests;

TEST(ImageFiles, EachFormatIsChosenByExtensionAndReadBackByContent) {
    testing_support::TempFolder folder;
    const auto source = gradientPicture(20, 12);
    auto opaque = source;
    for (std::size_t i = 3; i < opaque.pixels.size(); i += 4)
        opaque.pixels[i] = 255;
    const struct {
        const char* name;
        textures::ImageFormat format;
        int worst; // the largest difference allowed
        bool keepsAlpha;
    } cases[] = {{"a.png", textures::ImageFormat::Png, 0, true},
                 {"a.TGA", textures::ImageFormat::Tga, 0, true},
                 {"a.bmp", textures::ImageFormat::Bmp, 0, false},
                 {"a.jpeg", textures::ImageFormat::Jpeg, 48, false},
                 {"a.Blp", textures::ImageFormat::Blp, 48, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        textures::writeImageFile(folder.file(c.name), source, 90);
        const auto text = testing_support::readFile(folder.file(c.name));
        EXPECT_EQ(textures::sniffFormat(
                      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}),
                  c.format);
        // Named wrongly, the file still reads by its content.
        const auto misnamed = folder.copyIn(folder.file(c.name), "misnamed.gif");
        const auto image = textures::readImageFile(misnamed);
        ASSERT_EQ(image.width, 20);
        EXPECT_LE(largestDifference(image, c.keepsAlpha ? source : opaque), c.worst);
    }
    EXPECT_THROW(textures::writeImageFile(folder.file("a.xyz"), source, 90),
                 textures::TextureError);
    EXPECT_THROW(textures::writeImageFile(folder.file("a.gif"), source, 90),
                 textures::TextureError);
}

TEST(ImageFiles, UnreadableFilesNameThemselves) {
    testing_support::TempFolder folder;
    const auto text = folder.write("notes.png", "just some text");
    try {
        textures::readImageFile(text);
        FAIL() << "a text file was read as a picture";
    } catch (const textures::TextureError& error) {
        EXPECT_NE(std::string(error.what()).find("notes.png"), std::string::npos);
    }
    EXPECT_THROW(textures::readImageFile(folder.file("missing.blp")), textures::TextureError);
    EXPECT_THROW(textures::readImageFile(folder.path()), textures::TextureError);
}

} // namespace
