#include "gamedata/archive_path.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

using gamedata::ArchivePath;

TEST(ArchivePath, SplitsAtTheFirstColonWhoseLeftPartIsAnArchive) {
    const std::set<std::string> archives = {"map.w3x", "odd:name.w3m", "/maps/a.w3x"};
    const auto isArchive = [&](const std::string& path) { return archives.contains(path); };
    struct Case {
        const char* text;
        std::optional<ArchivePath> expected;
    };
    const Case cases[] = {
        {"map.w3x:war3mapImported\\hero.mdx", ArchivePath{"map.w3x", "war3mapImported\\hero.mdx"}},
        {"map.w3x:war3mapImported/hero.mdx", ArchivePath{"map.w3x", "war3mapImported\\hero.mdx"}},
        {"map.w3x:\\\\Textures\\.\\a.blp", ArchivePath{"map.w3x", "Textures\\a.blp"}},
        {"odd:name.w3m:x.mdl", ArchivePath{"odd:name.w3m", "x.mdl"}},
        {"/maps/a.w3x:b:c.mdx", ArchivePath{"/maps/a.w3x", "b:c.mdx"}},
        {"map.w3x:", std::nullopt},
        {"map.w3x:\\", std::nullopt},
        {":map.w3x", std::nullopt},
        {"other.w3x:hero.mdx", std::nullopt},
        {"hero.mdx", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gamedata::splitArchivePath(c.text, isArchive), c.expected) << c.text;
}

TEST(ArchivePath, APathThatIsAFileIsNoArchivePath) {
    testing_support::TempFolder folder;
    const auto plain = folder.write("a:b.mdl", "Version { }\n");
    const auto archive = folder.write("map.w3x", "not really an archive");
    EXPECT_FALSE(gamedata::archivePathOf(plain));
    EXPECT_FALSE(gamedata::archivePathOf(folder.file("missing.w3x:hero.mdx")));
    const auto inside = gamedata::archivePathOf(archive + ":Units/hero.mdx");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->archive, archive);
    EXPECT_EQ(inside->inner, "Units\\hero.mdx");
    EXPECT_EQ(inside->title(), "map.w3x: Units\\hero.mdx");
}
