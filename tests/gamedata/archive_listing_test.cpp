#include "gamedata/archive_listing.h"

#include <gtest/gtest.h>

TEST(ArchiveListing, NamesMentionedInBytes) {
    using namespace std::string_literals;
    const std::string bytes = "\x05hero.mdx\0junk Textures\\Skin.BLP\x01\"Units\\a b.mdl\" x.mdxx "
                              "call Model(\"abc.tga\")"s;
    EXPECT_EQ(gamedata::mentionedNames(bytes),
              (std::vector<std::string>{"hero.mdx", "junk Textures\\Skin.BLP", "Units\\a b.mdl",
                                        "abc.tga"}));
    EXPECT_TRUE(gamedata::isModelOrTextureName("A.DDS"));
    EXPECT_FALSE(gamedata::isModelOrTextureName(".mdx"));
    EXPECT_FALSE(gamedata::isModelOrTextureName("a.wav"));
}
