// The one texture lookup: beside the model first, then the game data, and the decoded cache.
#include "support/temp_folder.h"
#include "textures/image_file.h"
#include "textures/texture_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

namespace {

using testing_support::TempFolder;
using textures::TextureSource;

// A PNG of one colour, as a file's bytes.
std::string pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int width = 1) {
    common::RgbaImage image(width, 1);
    for (int x = 0; x < width; ++x)
        std::copy_n(std::array<std::uint8_t, 4>{red, green, blue, 255}.begin(), 4, image.at(x, 0));
    const auto bytes = textures::encodeImage(image, textures::ImageFormat::Png, 90);
    return {bytes.begin(), bytes.end()};
}

// Game files in memory under exact names, counting the reads.
struct MemoryGameFiles : common::GameFiles {
    std::string source = "/game/war3.mpq";
    std::map<std::string, std::string> files;
    mutable int reads = 0;
    bool empty() const override { return files.empty(); }
    std::optional<File> find(std::string_view name) const override {
        const auto found = files.find(std::string(name));
        if (found == files.end())
            return std::nullopt;
        ++reads;
        return File{found->second, source};
    }
    std::optional<std::string> sourceOf(std::string_view name) const override {
        return files.count(std::string(name)) ? std::optional(source) : std::nullopt;
    }
};

std::uint8_t redOf(const TextureSource::Decoded& decoded) {
    return decoded.image ? decoded.image->pixels[0] : 0;
}

TEST(TextureSource, BesideTheModelComesFirstThenTheGameData) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "textures");
    folder.write("textures/SKIN.PNG", pixel(10, 0, 0)); // matched in any case
    MemoryGameFiles game;
    game.files = {{"Textures\\Skin.png", pixel(20, 0, 0)}, {"Textures\\Cape.png", pixel(30, 0, 0)}};
    const TextureSource source(&game);
    const auto model = folder.path();

    const auto beside = source.decode("Textures\\Skin.png", model);
    EXPECT_EQ(redOf(beside), 10);
    EXPECT_FALSE(beside.origin->inGameData());
    const auto fromGame = source.decode("Textures\\Cape.png", model);
    EXPECT_EQ(redOf(fromGame), 30);
    EXPECT_EQ(fromGame.origin->where(), "/game/war3.mpq: Textures\\Cape.png");
    EXPECT_FALSE(source.decode("Textures\\None.png", model).origin);
    EXPECT_FALSE(textures::besideModelOnly().locate("Textures\\Cape.png", model));
}

TEST(TextureSource, APictureIsDecodedOnceByPathAndSourceWhileHeld) {
    TempFolder folder;
    MemoryGameFiles game;
    game.files = {{"Textures\\Cape.png", pixel(30, 0, 0)}};
    const TextureSource source(&game);
    auto first = source.decode("Textures\\Cape.png", folder.path());
    const auto second = source.decode("Textures\\Cape.png", folder.path());
    EXPECT_EQ(first.image, second.image);
    EXPECT_EQ(game.reads, 1);

    // A file beside the model that changes on disk is decoded anew.
    folder.write("skin.png", pixel(1, 0, 0));
    const auto before = source.decode("skin.png", folder.path());
    folder.write("skin.png", pixel(2, 0, 0, 2)); // another size, whatever the clock says
    EXPECT_EQ(redOf(source.decode("skin.png", folder.path())), 2);
    EXPECT_EQ(redOf(before), 1);
}

TEST(TextureSource, TeamColourAndGlowAreTheGamesPicturesOfTheFirstPlayer) {
    MemoryGameFiles game;
    game.files = {{"ReplaceableTextures\\TeamColor\\TeamColor00.blp", pixel(255, 3, 3)},
                  {"ReplaceableTextures\\TeamGlow\\TeamGlow00.blp", pixel(200, 0, 0)}};
    const TextureSource source(&game);
    EXPECT_EQ(redOf(source.decodeReplaceable(1)), 255);
    EXPECT_EQ(redOf(source.decodeReplaceable(2)), 200);
    EXPECT_FALSE(source.decodeReplaceable(11).image); // cliffs have no picture of their own
    EXPECT_FALSE(textures::besideModelOnly().decodeReplaceable(1).image);
}

TEST(TextureSource, ADamagedGamePictureIsOneSentenceNamingWhereItIs) {
    MemoryGameFiles game;
    game.files = {{"Textures\\Bad.blp", "BLP1 and nothing else"}};
    const TextureSource source(&game);
    const auto decoded = source.decode("Textures\\Bad.blp", "/none");
    EXPECT_FALSE(decoded.image);
    EXPECT_EQ(decoded.problem.rfind("\"/game/war3.mpq: Textures\\Bad.blp\" cannot be read: ", 0),
              0u)
        << decoded.problem;
}

} // namespace
