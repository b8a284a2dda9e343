// Archives read, listed and written back, made at run time and checked with a second tool.
#include "gamedata/archive_listing.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/mpq_archive.h"
#include "gamedata/test_archives.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using testing_support::ArchivedFile;
using testing_support::makeArchive;
using testing_support::readFile;
using testing_support::TempFolder;

namespace {

std::string bigText(char seed) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += static_cast<char>('a' + (i * seed) % 26);
    return text;
}

std::shared_ptr<gamedata::MpqArchive> openOrFail(const std::string& path) {
    std::string error;
    auto archive = gamedata::MpqArchive::open(path, error);
    EXPECT_TRUE(archive) << error;
    return archive;
}

std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(MpqArchive, ReadsNamesWithoutRegardToCaseOrSeparator) {
    TempFolder folder;
    const auto path = folder.file("game.mpq");
    ASSERT_TRUE(
        makeArchive(path, {{"Textures\\Footman.blp", "picture"}, {"Units\\Hero.mdx", bigText(3)}}));
    const auto archive = openOrFail(path);
    ASSERT_TRUE(archive);
    std::string error;
    EXPECT_EQ(archive->read("textures/FOOTMAN.BLP", error), "picture");
    EXPECT_EQ(archive->read("units\\hero.mdx", error), bigText(3));
    EXPECT_FALSE(archive->read("Units\\Missing.mdx", error));
    EXPECT_EQ(error, "it holds no file Units\\Missing.mdx");
    EXPECT_EQ(archive, openOrFail(path)) << "an archive is opened once and shared";
}

TEST(MpqArchive, WhatIsNoArchiveIsRefusedWithAReason) {
    TempFolder folder;
    const auto good = folder.file("good.mpq");
    ASSERT_TRUE(makeArchive(good, {{"a.mdl", bigText(5)}}));
    const std::string bytes = readFile(good);
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {folder.file("missing.mpq"), "it does not exist"},
        {folder.path().string(), "it is not a regular file"},
        {folder.write("text.mpq", "hello world"), "it is not an MPQ archive"},
        {folder.write("empty.mpq", ""), "it is not an MPQ archive"},
        {folder.write("header.mpq", bytes.substr(0, 16)), "it is not an MPQ archive"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(gamedata::MpqArchive::open(c.path, error)) << c.path;
        EXPECT_EQ(error, c.reason) << c.path;
    }
    // Cut short, the archive either opens without the lost file or is refused; never a crash.
    std::string error;
    if (const auto cut =
            gamedata::MpqArchive::open(folder.write("cut.mpq", bytes.substr(0, 200)), error)) {
        EXPECT_FALSE(cut->read("a.mdl", error).has_value() && error.empty());
    }
}

TEST(ArchiveListing, ModelsAndTexturesFromTheListfileAndTheMapsOwnFiles) {
    TempFolder folder;
    const auto listed = folder.file("listed.w3x");
    ASSERT_TRUE(makeArchive(listed, {{"war3map.j", "script"},
                                     {"war3mapImported\\Hero.mdx", "model"},
                                     {"Textures\\skin.BLP", "picture"}}));
    EXPECT_EQ(gamedata::modelsAndTextures(*openOrFail(listed)),
              (std::vector<std::string>{"Textures\\skin.BLP", "war3mapImported\\Hero.mdx"}));

    // Without a listfile the names come from what the map's files mention: the import list
    // names imported files without their folder, object data names models as .mdl.
    const auto unlisted = folder.file("unlisted.w3x");
    ASSERT_TRUE(makeArchive(unlisted,
                            {{"war3map.imp", std::string("\x01\0\0\0\x02\0\0\0\x05hero.mdx\0", 18)},
                             {"war3map.w3u", std::string("umdl\0Units\\Orc\\Grunt.mdl\0", 25)},
                             {"war3mapImported\\hero.mdx", "model"},
                             {"Units\\Orc\\Grunt.mdx", "model"},
                             {"never\\mentioned.mdx", "model"}},
                            false));
    EXPECT_EQ(gamedata::modelsAndTextures(*openOrFail(unlisted)),
              (std::vector<std::string>{"Units\\Orc\\Grunt.mdx", "war3mapImported\\hero.mdx"}));
}

TEST(ArchiveReplacement, ReplacesOneFileStoredAsBeforeAndLeavesTheRest) {
    TempFolder folder;
    const auto path = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(path, {{"war3mapImported\\hero.mdx", bigText(3)},
                                   {"plain.txt", "stored plainly", 0},
                                   {"other.blp", bigText(7)}}));
    ::chmod(path.c_str(), 0640);
    const auto before = openOrFail(path)->stored("war3mapImported\\hero.mdx");
    ASSERT_TRUE(before);

    EXPECT_EQ(gamedata::replaceInArchive(path, "war3mapImported/HERO.mdx", bigText(11)), "");
    EXPECT_EQ(gamedata::replaceInArchive(path, "plain.txt", "still plain"), "");
    EXPECT_EQ(gamedata::replaceInArchive(path, "added\\new.mdl", "new"), "");

    const auto archive = openOrFail(path);
    std::string error;
    EXPECT_EQ(archive->read("war3mapImported\\hero.mdx", error), bigText(11));
    EXPECT_EQ(archive->read("plain.txt", error), "still plain");
    EXPECT_EQ(archive->read("other.blp", error), bigText(7));
    EXPECT_EQ(archive->read("added\\new.mdl", error), "new");
    const auto after = archive->stored("war3mapImported\\hero.mdx");
    EXPECT_EQ(after->flags & (MPQ_FILE_COMPRESS | MPQ_FILE_SINGLE_UNIT),
              before->flags & (MPQ_FILE_COMPRESS | MPQ_FILE_SINGLE_UNIT));
    EXPECT_EQ(after->compression, before->compression);
    EXPECT_EQ(archive->stored("plain.txt")->flags & MPQ_FILE_COMPRESS, 0u);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"map.w3x"});

    // A second tool reads what was written.
    if (std::system("command -v smpq >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "smpq is not installed";
    const auto out = folder.path() / "out";
    std::filesystem::create_directory(out);
    const std::string command = "cd '" + out.string() + "' && smpq -x -q '" + path +
                                "' 'war3mapImported\\hero.mdx' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string extracted;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out))
        if (entry.is_regular_file())
            extracted = readFile(entry.path());
    EXPECT_EQ(extracted, bigText(11));
}

TEST(ArchiveReplacement, RefusalsLeaveTheArchiveUnchangedAndNoTemporaryFile) {
    TempFolder folder;
    const auto signedMap = folder.file("signed.w3x");
    ASSERT_TRUE(makeArchive(signedMap, {{"a.mdx", "model"}}, true, true));
    const auto notArchive = folder.write("text.w3x", "hello world");
    const auto linked = folder.file("linked.w3x");
    ASSERT_TRUE(makeArchive(linked, {{"a.mdx", "model"}}));
    ASSERT_EQ(::link(linked.c_str(), folder.file("second-name.w3x").c_str()), 0);
    const auto before = folderEntries(folder.path());
    const std::string signedBytes = readFile(signedMap);
    const std::string linkedBytes = readFile(linked);

    EXPECT_EQ(gamedata::replaceInArchive(signedMap, "a.mdx", "edited"),
              "it is signed, and writing into it would break its signature");
    EXPECT_EQ(gamedata::replaceInArchive(notArchive, "a.mdx", "edited"),
              "it is not an MPQ archive");
    EXPECT_NE(gamedata::replaceInArchive(linked, "a.mdx", "edited").find("hard links"),
              std::string::npos);
    EXPECT_EQ(gamedata::replaceInArchive(linked, "\\", "edited"),
              "no name inside the archive was given");
    EXPECT_EQ(readFile(signedMap), signedBytes);
    EXPECT_EQ(readFile(linked), linkedBytes);
    EXPECT_EQ(folderEntries(folder.path()), before);
}

TEST(ArchiveReplacement, AReadOnlyArchiveIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write read-only files";
    TempFolder folder;
    const auto path = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(path, {{"a.mdx", "model"}}));
    ::chmod(path.c_str(), 0444);
    const std::string bytes = readFile(path);
    EXPECT_FALSE(gamedata::replaceInArchive(path, "a.mdx", "edited").empty());
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"map.w3x"});
}
