// Text files: line reading with either line end, atomic replacement, copying over a file.

#include "common/file_kind.h"
#include "common/text_file.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using testing_support::readFile;
using testing_support::TempFolder;

std::vector<std::string> linesOf(const std::string& path) {
    auto lines = common::readAllLines(path);
    EXPECT_TRUE(lines.has_value());
    return lines.value_or(std::vector<std::string>{});
}

TEST(LineReader, LfAndCrLfReadAlike) {
    TempFolder folder;
    const std::vector<std::string> expected{"Geoset {", "\tVertices 1 {", "", "}"};
    EXPECT_EQ(linesOf(folder.write("lf.mdl", "Geoset {\n\tVertices 1 {\n\n}\n")), expected);
    EXPECT_EQ(linesOf(folder.write("crlf.mdl", "Geoset {\r\n\tVertices 1 {\r\n\r\n}\r\n")),
              expected);
}

TEST(LineReader, LastLineNeedsNoLineEnd) {
    TempFolder folder;
    EXPECT_EQ(linesOf(folder.write("a.mdl", "one\r\ntwo")),
              (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(linesOf(folder.write("b.mdl", "one\ntwo\r")),
              (std::vector<std::string>{"one", "two"}));
}

TEST(LineReader, EmptyFileHasNoLines) {
    TempFolder folder;
    common::LineReader reader(folder.write("empty.mdl", ""));
    EXPECT_TRUE(reader.isOpen());
    EXPECT_TRUE(reader.atEnd());
    std::string line = "unchanged";
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.lineNumber(), 0u);
}

TEST(LineReader, CountsLinesAndKeepsBlanksAndOtherBytes) {
    TempFolder folder;
    common::LineReader reader(folder.write("x.mdl", std::string("  a \t\n\nb\0c\n", 11)));
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "  a \t");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, std::string("b\0c", 3));
    EXPECT_EQ(reader.lineNumber(), 3u);
    EXPECT_FALSE(reader.next(line));
}

TEST(LineReader, MissingFileAndFolderDoNotOpen) {
    TempFolder folder;
    EXPECT_FALSE(common::LineReader(folder.file("missing.mdl")).isOpen());
    EXPECT_FALSE(common::LineReader(folder.path()).isOpen());
    EXPECT_FALSE(common::readAllLines(folder.file("missing.mdl")).has_value());
    EXPECT_FALSE(common::canOpenForReading(folder.file("missing.mdl")));
    EXPECT_FALSE(common::canOpenForReading(folder.path()));
    EXPECT_FALSE(common::canOpenForReading(""));
    EXPECT_TRUE(common::canOpenForReading(folder.write("there.mdl", "x")));
}

TEST(LineReader, FifoSocketAndDeviceAreRefusedWithoutWaiting) {
    TempFolder folder;
    const auto fifo = folder.file("pipe.mdl");
    const auto socket = folder.file("socket.mdl");
    testing_support::makeFifo(fifo);
    testing_support::makeSocket(socket);
    const auto link = folder.path() / "link.mdl";
    std::filesystem::create_symlink(fifo, link);
    for (const auto& path : {fifo, socket, std::string("/dev/null"), link.string()}) {
        // Should the reader open the FIFO anyway, it is fed a line rather than left waiting.
        testing_support::FifoFeeder feeder(fifo);
        EXPECT_FALSE(common::canOpenForReading(path)) << path;
        EXPECT_FALSE(common::LineReader(path).isOpen()) << path;
        EXPECT_FALSE(common::readAllLines(path).has_value()) << path;
    }
    EXPECT_EQ(common::whyNotARegularFile(fifo), "it is a FIFO, not a regular file");
    EXPECT_EQ(common::whyNotARegularFile(link), "it is a FIFO, not a regular file");
    EXPECT_EQ(common::whyNotARegularFile(socket), "it is a socket, not a regular file");
    EXPECT_EQ(common::whyNotARegularFile("/dev/zero"), "it is a device, not a regular file");
    EXPECT_EQ(common::whyNotARegularFile(folder.path()), "it is a folder, not a regular file");
    EXPECT_EQ(common::whyNotARegularFile(folder.file("missing.mdl")), "");
    EXPECT_EQ(common::whyNotARegularFile(folder.write("model.mdl", "x")), "");
}

// Text held in memory splits into the lines the file reader gives.
TEST(LinesOf, SplitAsTheLineReaderReads) {
    TempFolder folder;
    for (const std::string text :
         {"", "a", "a\n", "a\r\nb", "\r\n\r\n", "a\rb\n", "x\n\ny\r\n", "\tGeoset {\r\n}"}) {
        EXPECT_EQ(common::linesOf(text), linesOf(folder.write("t.mdl", text))) << text;
    }
}

TEST(AtomicFileWriter, CommitWritesCrLfLinesAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const auto target = folder.write("model.mdl", "old\r\n");
    {
        common::AtomicFileWriter out(target);
        ASSERT_TRUE(out.isOpen());
        out.writeLine("Geoset {");
        out.writeLine("");
        out.writeLine("}");
        EXPECT_EQ(readFile(target), "old\r\n"); // nothing shows before the commit
        EXPECT_TRUE(out.commit());
    }
    EXPECT_EQ(readFile(target), "Geoset {\r\n\r\n}\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(AtomicFileWriter, WithoutCommitTheTargetStaysAsItWas) {
    TempFolder folder;
    const auto target = folder.write("model.mdl", "old\r\n");
    {
        common::AtomicFileWriter out(target);
        out.writeLine("new");
    }
    EXPECT_EQ(readFile(target), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(AtomicFileWriter, FolderThatCannotHoldFilesFails) {
    TempFolder folder;
    const auto notAFolder = folder.write("file", "x");
    for (const auto& target : {folder.file("missing/model.mdl"), notAFolder + "/model.mdl"}) {
        common::AtomicFileWriter out(target);
        EXPECT_FALSE(out.isOpen());
        out.writeLine("ignored");
        EXPECT_FALSE(out.commit());
        EXPECT_FALSE(testing_support::fileExists(target));
    }
    common::AtomicFileWriter onFolder(folder.path());
    EXPECT_FALSE(onFolder.commit());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path()));
}

TEST(AtomicFileWriter, ReadOnlyFolderOrFileIsLeftUntouched) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempFolder folder;
    const auto sub = folder.path() / "locked";
    std::filesystem::create_directory(sub);
    const auto inLocked = (sub / "model.mdl").string();
    { std::ofstream(inLocked) << "old"; }
    const auto readOnlyFile = folder.write("readonly.mdl", "kept");
    std::filesystem::permissions(readOnlyFile, std::filesystem::perms::owner_read);
    std::filesystem::permissions(sub, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_exec);

    for (const auto& target : {inLocked, readOnlyFile}) {
        common::AtomicFileWriter out(target);
        out.writeLine("new");
        EXPECT_FALSE(out.commit()) << target;
    }
    EXPECT_EQ(readFile(inLocked), "old");
    EXPECT_EQ(readFile(readOnlyFile), "kept");
    EXPECT_FALSE(common::copyFileOver(inLocked, readOnlyFile));
    EXPECT_EQ(readFile(readOnlyFile), "kept");
}

TEST(AtomicFileWriter, ReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    const auto target = folder.write("model.mdl", "old");
    const auto wanted = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                        std::filesystem::perms::group_read;
    std::filesystem::permissions(target, wanted);
    common::AtomicFileWriter out(target);
    out.writeLine("new");
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(std::filesystem::status(target).permissions(), wanted);
}

TEST(CopyFileOver, CopiesBytesAsTheyAre) {
    TempFolder folder;
    const std::string text("a\r\nb\nc\0\xff", 9);
    const auto from = folder.write("from.mdl", text);
    const auto to = folder.write("to.tdl", "something longer that must go entirely");
    EXPECT_TRUE(common::copyFileOver(from, to));
    EXPECT_EQ(readFile(to), text);
    EXPECT_TRUE(common::copyFileOver(from, folder.file("new.tdl")));
    EXPECT_EQ(readFile(folder.file("new.tdl")), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

TEST(CopyFileOver, FailureLeavesTheTargetAsItWas) {
    TempFolder folder;
    const auto to = folder.write("to.tdl", "kept");
    EXPECT_FALSE(common::copyFileOver(folder.file("missing.mdl"), to));
    EXPECT_EQ(readFile(to), "kept");
    EXPECT_FALSE(common::copyFileOver(to, folder.file("missing/to.tdl")));
    EXPECT_FALSE(common::copyFileOver(to, folder.path()));
    EXPECT_EQ(readFile(to), "kept");
}

TEST(DeleteFile, RemovesAndToleratesAMissingFile) {
    TempFolder folder;
    const auto path = folder.write("x.tdl", "x");
    EXPECT_TRUE(common::deleteFile(path));
    EXPECT_FALSE(testing_support::fileExists(path));
    EXPECT_TRUE(common::deleteFile(path));
}

} // namespace
