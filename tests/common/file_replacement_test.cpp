// Which file a save replaces and what the new file keeps: links followed, special and
// hard-linked files refused, permissions and owner kept, leftover temporary files cleared.

#include "common/file_replacement.h"
#include "common/text_file.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempFolder;

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool save(const fs::path& path, const std::string& line, std::string* refusal = nullptr) {
    common::AtomicFileWriter out(path);
    out.writeLine(line);
    if (refusal)
        *refusal = out.refusal();
    return out.commit();
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// The one temporary file a writer has open in a folder.
fs::path partIn(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".part-") != std::string::npos)
            return entry.path();
    return {};
}

TEST(FileReplacement, SavingThroughALinkReplacesTheFileItPointsTo) {
    TempFolder models, links;
    const auto model = models.write("model.mdl", "old\r\n");
    const auto absolute = links.path() / "absolute.mdl";
    const auto relative = models.path() / "relative.mdl";
    const auto chained = links.path() / "chained.mdl";
    fs::create_symlink(model, absolute);
    fs::create_symlink("model.mdl", relative);
    fs::create_symlink(relative, chained);

    for (const auto& link : {absolute, relative, chained}) {
        common::AtomicFileWriter out(link);
        out.writeLine(link.filename().string());
        // The temporary file sits beside the model, so that the rename stays in one folder.
        EXPECT_FALSE(partIn(models.path()).empty()) << link;
        ASSERT_TRUE(out.commit()) << link;
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(readFile(model), link.filename().string() + "\r\n");
    }
    EXPECT_EQ(entriesOf(models.path()), (std::vector<std::string>{"model.mdl", "relative.mdl"}));
    EXPECT_EQ(entriesOf(links.path()), (std::vector<std::string>{"absolute.mdl", "chained.mdl"}));
}

TEST(FileReplacement, ALinkToNothingCreatesTheFileItNamesAndALoopIsRefused) {
    TempFolder folder;
    const auto link = folder.path() / "link.mdl";
    fs::create_symlink("new.mdl", link);
    ASSERT_TRUE(save(link, "made"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(folder.file("new.mdl")), "made\r\n");

    const auto a = folder.path() / "a.mdl", b = folder.path() / "b.mdl";
    fs::create_symlink("b.mdl", a);
    fs::create_symlink("a.mdl", b);
    std::string refusal;
    EXPECT_FALSE(save(a, "x", &refusal));
    EXPECT_EQ(refusal, "its symbolic links form a loop");
    EXPECT_TRUE(fs::is_symlink(a) && fs::is_symlink(b));
}

TEST(FileReplacement, SpecialFilesAreRefusedAndStayWhatTheyAre) {
    TempFolder folder;
    const auto fifo = folder.file("pipe.mdl");
    const auto socket = folder.file("socket.mdl");
    testing_support::makeFifo(fifo);
    testing_support::makeSocket(socket);
    std::vector<std::pair<std::string, std::string>> cases = {
        {fifo, "it is a FIFO, not a regular file"},
        {socket, "it is a socket, not a regular file"},
        {folder.path().string(), "it is a folder, not a regular file"}};
    // A device node of our own: the null device's numbers, in the test's folder.
    const auto device = folder.file("null.mdl");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        cases.emplace_back(device, "it is a device, not a regular file");
    const auto link = folder.path() / "link-to-pipe.mdl";
    fs::create_symlink(fifo, link);
    cases.emplace_back(link.string(), "it is a FIFO, not a regular file");

    for (const auto& [path, why] : cases) {
        std::string refusal;
        EXPECT_FALSE(save(path, "x", &refusal)) << path;
        EXPECT_EQ(refusal, why) << path;
        EXPECT_FALSE(common::copyFileOver(folder.write("source.mdl", "y"), path)) << path;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_socket(socket));
    EXPECT_TRUE(fs::is_symlink(link));
    if (fs::exists(device)) {
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_TRUE(partIn(folder.path()).empty());
}

TEST(FileReplacement, AHardLinkedFileIsRefusedWithBothNamesKept) {
    TempFolder folder;
    const auto model = folder.write("model.mdl", "old\r\n");
    const auto other = folder.file("other-name.mdl");
    fs::create_hard_link(model, other);
    std::string refusal;
    EXPECT_FALSE(save(model, "new", &refusal));
    EXPECT_EQ(refusal, "it has 2 hard links, which replacing it would separate; save it under "
                       "another name");
    EXPECT_FALSE(common::copyFileOver(folder.write("source.mdl", "y"), other));
    EXPECT_EQ(fs::hard_link_count(model), 2u);
    EXPECT_EQ(readFile(other), "old\r\n");
    EXPECT_TRUE(partIn(folder.path()).empty());
}

TEST(FileReplacement, TheTemporaryFileIsAsPrivateAsTheModel) {
    TempFolder folder;
    for (const mode_t mode : {0600u, 0640u, 0604u}) {
        const auto model = folder.write("model.mdl", "old\r\n");
        ::chmod(model.c_str(), mode);
        common::AtomicFileWriter out(model);
        out.writeLine("new");
        const auto part = partIn(folder.path());
        ASSERT_FALSE(part.empty());
        EXPECT_EQ(modeOf(part) & ~mode, 0u) << std::oct << mode << " " << modeOf(part);
        ASSERT_TRUE(out.commit());
        EXPECT_EQ(modeOf(model), mode);
    }
}

TEST(FileReplacement, AWorkingCopyGetsTheModelsPermissions) {
    TempFolder folder;
    const auto model = folder.write("model.mdl", "text\r\n");
    ::chmod(model.c_str(), 0600);
    const auto copy = folder.file("model_TMP.tdl");
    ASSERT_TRUE(common::copyFileOver(model, copy));
    EXPECT_EQ(modeOf(copy), 0600u);
    // A read-only model gives a copy its owner can still replace.
    ::chmod(model.c_str(), 0444);
    ASSERT_TRUE(common::copyFileOver(model, copy));
    EXPECT_EQ(modeOf(copy), 0644u);
    ASSERT_TRUE(common::copyFileOver(model, copy));
    EXPECT_EQ(readFile(copy), "text\r\n");
}

TEST(FileReplacement, TheOwnerAndGroupAreKept) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another user";
    TempFolder folder;
    const auto model = folder.write("model.mdl", "old\r\n");
    ASSERT_EQ(::chown(model.c_str(), 65534, 65534), 0);
    ::chmod(model.c_str(), 0640);
    ASSERT_TRUE(save(model, "new"));
    struct stat status {};
    ASSERT_EQ(::stat(model.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(FileReplacement, LeftoversOfUnfinishedSavesGoWithTheNextSave) {
    TempFolder folder;
    const auto model = folder.write("model.mdl", "old\r\n");
    const std::string ours = std::to_string(::getpid());
    // 99999999 is past any process id the system hands out.
    folder.write("model.mdl.part-99999999-0-17", "stale");
    folder.write("model.mdl.part-99999999-3-0", "stale");
    const auto old = folder.write("model.mdl.part-" + ours + "-5-6", "stale, but its id is live");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(2));
    const std::vector<std::string> kept = {
        "model.mdl",
        "model.mdl.part-" + ours + "-7-8", // a live writer's file
        "model.mdl.part-1-2",
        "model.mdl.part-99999999-0-1.bak",
        "model.mdl.part-99999999-0-1x",
        "model.mdl.part-99999999-0-2", // a folder
        "other.mdl.part-99999999-0-1",
    };
    for (const auto& name : kept)
        if (name != "model.mdl" && name != "model.mdl.part-99999999-0-2")
            folder.write(name, "kept");
    fs::create_directory(folder.path() / "model.mdl.part-99999999-0-2");

    ASSERT_TRUE(save(model, "new"));
    auto expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entriesOf(folder.path()), expected);
}

TEST(FileReplacement, TheTemporaryNamesAreThoseTheCleanupLooksFor) {
    pid_t pid = 0;
    EXPECT_TRUE(common::isTemporaryOf(common::temporaryNameFor("a.mdl"), "a.mdl", pid));
    EXPECT_EQ(pid, ::getpid());
    EXPECT_FALSE(common::isTemporaryOf(common::temporaryNameFor("a.mdl"), "b.mdl", pid));
    EXPECT_FALSE(common::isTemporaryOf("a.mdl.part-", "a.mdl", pid));
    EXPECT_FALSE(common::isTemporaryOf("a.mdl.part-1--3", "a.mdl", pid));
    EXPECT_FALSE(common::isTemporaryOf("a.mdl.part-1-2-3-4", "a.mdl", pid));
}

} // namespace

namespace {

// A scratch copy trades places with the file it replaces, which then goes; a new one is simply
// renamed. Either way the folder holds the new text under the name and nothing else.
TEST(FileReplacement, AScratchCopyReplacesTheOldOneAndLeavesNothingBehind) {
    TempFolder folder;
    const auto copy = folder.path() / "model_TMP.tdl";
    for (const std::string text : {"first\r\n", "second, longer\r\n", ""}) {
        common::FileReplacement file(copy, 0640, common::Durability::Scratch);
        ASSERT_TRUE(file.write(text.data(), text.size()));
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(readFile(copy.string()), text);
        EXPECT_EQ(modeOf(copy), 0640u);
        EXPECT_EQ(entriesOf(folder.path()), std::vector<std::string>{"model_TMP.tdl"});
    }
}

} // namespace
