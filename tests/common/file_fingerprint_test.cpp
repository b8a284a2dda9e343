// A file's fingerprint tells every change of its content, and reads back from its text only as
// written; a new file is never put over one that is there.

#include "common/file_fingerprint.h"
#include "common/text_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempFolder;

TEST(FileFingerprint, ChangesWithAnyByteAndWithTheTimeButNotWithTheName) {
    TempFolder folder;
    // Past the first block read, so that the hash covers every chunk and the odd tail.
    const std::string text(3 * 1024 * 1024 + 5, 'a');
    const auto first = common::fingerprintFile(folder.write("a.mdl", text));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, text.size());
    const auto time = fs::last_write_time(folder.file("a.mdl"));
    for (const std::size_t at : {std::size_t{0}, std::size_t{1024 * 1024 + 3}, text.size() - 1}) {
        std::string changed = text;
        changed[at] = 'b';
        const auto path = folder.write("b.mdl", changed);
        fs::last_write_time(path, time);
        const auto other = common::fingerprintFile(path);
        ASSERT_TRUE(other);
        EXPECT_NE(other->contentHash, first->contentHash) << at;
    }
    const auto same = folder.write("c.mdl", text);
    EXPECT_EQ(common::fingerprintFile(same)->contentHash, first->contentHash);
    fs::last_write_time(same, time);
    EXPECT_EQ(common::fingerprintFile(same), first);
    fs::last_write_time(same, time + std::chrono::nanoseconds(1));
    EXPECT_NE(common::fingerprintFile(same), first);

    EXPECT_FALSE(common::fingerprintFile(folder.file("missing.mdl")));
    EXPECT_FALSE(common::fingerprintFile(folder.path()));
}

TEST(FileFingerprint, TextReadsBackOnlyAsWritten) {
    const common::FileFingerprint fingerprint{1234, 1733766420123456789, 0xfedcba9876543210};
    const auto text = common::fingerprintText(fingerprint);
    EXPECT_EQ(common::parseFingerprint(text), fingerprint);
    EXPECT_EQ(common::parseFingerprint(text + "\n"), fingerprint);
    for (const std::string& bad :
         std::vector<std::string>{"", "size 1234", text + " 7", "size -1 modified 0 hash 0",
                                  "size 1 modified 0 hash xyz", "hash 0 modified 0 size 1"})
        EXPECT_FALSE(common::parseFingerprint(bad)) << bad;
}

TEST(CreateFile, WritesANewFileAndNeverOneOverAnother) {
    TempFolder folder;
    const auto path = folder.file("kept.mdl");
    EXPECT_TRUE(common::createFileWith(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(common::createFileWith(path, "newer"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(common::createFileWith(folder.file("no/folder.mdl"), "x"));
    // Nothing is left beside it but the one file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

} // namespace
