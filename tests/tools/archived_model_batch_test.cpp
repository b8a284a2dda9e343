// Models inside archives in the batch tools: opened, edited and saved back into the archive,
// stored as they were; converted and checked; merged; and refused archives left byte for byte.
#include "gamedata/test_archives.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing_support::ArchivedFile;
using testing_support::makeArchive;
using testing_support::readFile;
using testing_support::readTestData;
using testing_support::runProgram;
using testing_support::TempFolder;

const std::string heroName = "war3mapImported\\hero.mdx";
const std::string cubeName = "war3mapImported\\cube.mdl";

// The file of an archive as StormLib reads it, and the flags it is stored with.
struct Stored {
    std::string bytes;
    DWORD flags = 0;
    bool found = false;
};
Stored storedFile(const std::string& archivePath, const std::string& name) {
    Stored stored;
    HANDLE archive = nullptr, file = nullptr;
    if (!SFileOpenArchive(archivePath.c_str(), 0, MPQ_OPEN_READ_ONLY, &archive))
        return stored;
    if (SFileOpenFileEx(archive, name.c_str(), 0, &file)) {
        SFileGetFileInfo(file, SFileInfoFlags, &stored.flags, sizeof(stored.flags), nullptr);
        stored.bytes.resize(SFileGetFileSize(file, nullptr));
        DWORD got = 0;
        stored.found = stored.bytes.empty() ||
                       SFileReadFile(file, stored.bytes.data(),
                                     static_cast<DWORD>(stored.bytes.size()), &got, nullptr);
        SFileCloseFile(file);
    }
    SFileCloseArchive(archive);
    return stored;
}

// Every run of the tools extracts into this fixture's own temporary folder, so that what they
// leave behind can be seen.
class ArchivedModelBatch : public ::testing::Test {
  public:
    void SetUp() override {
        fs::create_directories(tmp);
        if (const char* previous = std::getenv("TMPDIR"))
            previousTmp = previous;
        setenv("TMPDIR", tmp.c_str(), 1);
    }
    void TearDown() override {
        if (previousTmp)
            setenv("TMPDIR", previousTmp->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    // The names in the fixture's folder and its temporary folder, besides the given ones.
    std::vector<std::string> leftOver(const std::vector<std::string>& expected) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
            const auto name = fs::relative(entry.path(), folder.path()).string();
            if (name != "tmp" &&
                std::find(expected.begin(), expected.end(), name) == expected.end())
                names.push_back(name);
        }
        return names;
    }
    // A map holding a script, the cube as MDL text and, when given, a binary model.
    std::string makeMap(const std::string& binaryModel = {}, bool signedMap = false) const {
        std::vector<ArchivedFile> files = {
            {"war3map.j", "call CreateUnit(\"" + cubeName + "\")"},
            {cubeName, readTestData("tools/quad.mdl"), MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED},
            {"Textures\\Skin.blp", "picture"}};
        if (!binaryModel.empty())
            files.push_back({heroName, binaryModel});
        const auto map = folder.file("map.w3x");
        EXPECT_TRUE(makeArchive(map, files, true, signedMap));
        return map;
    }

    TempFolder folder;
    fs::path tmp = folder.path() / "tmp";
    std::optional<std::string> previousTmp;
};

TEST_F(ArchivedModelBatch, EditsAModelInAMapAndSavesItBackAsAPlainSaveWritesIt) {
    const fs::path gate = fs::path(MOLDRIN_CORPUS_DIR) / "mdx" / "gate.mdx";
    if (!fs::exists(gate))
        GTEST_SKIP() << "the corpus model " << gate << " is missing";
    const auto map = makeMap(readFile(gate));
    const auto plain = folder.copyIn(gate, "gate.mdx");
    const auto before = storedFile(map, heroName);

    auto run = runProgram(MOLDRIN_BATCH_PATH,
                          {map + ":" + heroName, "info", "select-all", "move=0,0,10", "save"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"geosets\": "), std::string::npos) << run.out;
    run = runProgram(MOLDRIN_BATCH_PATH, {plain, "select-all", "move=0,0,10", "save"});
    ASSERT_EQ(run.status, 0) << run.err;

    // Taken out again by another tool, the file is the one a save of the plain file writes,
    // stored with the same flags.
    fs::create_directories(folder.path() / "out");
    run = runProgram("/bin/sh",
                     {"-c", "cd '" + (folder.path() / "out").string() + "' && smpq -x -q '" + map +
                                "' 'war3mapImported\\hero.mdx'"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::string extracted;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path() / "out"))
        if (entry.is_regular_file())
            extracted = readFile(entry.path());
    EXPECT_EQ(extracted, readFile(plain));
    EXPECT_NE(extracted, readFile(gate));
    const auto after = storedFile(map, heroName);
    EXPECT_EQ(after.flags, before.flags);
    EXPECT_EQ(storedFile(map, cubeName).bytes, readTestData("tools/quad.mdl"));

    // save=OUT writes a plain file and leaves the archive alone.
    const auto mapBytes = readFile(map);
    run = runProgram(MOLDRIN_BATCH_PATH, {map + ":" + heroName, "save=" + folder.file("copy.mdx")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder.file("copy.mdx")), readFile(plain));
    EXPECT_TRUE(readFile(map) == mapBytes);
    EXPECT_EQ(leftOver({"map.w3x", "gate.mdx", "copy.mdx", "out", "out/war3mapImported",
                        "out/war3mapImported/hero.mdx"}),
              std::vector<std::string>());
}

TEST_F(ArchivedModelBatch, AnEncryptedTextModelIsSavedBackEncrypted) {
    const auto map = makeMap();
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {map + ":" + cubeName, "select-all", "move=1,2,3", "save"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto plain = folder.write("quad.mdl", readTestData("tools/quad.mdl"));
    ASSERT_EQ(runProgram(MOLDRIN_BATCH_PATH, {plain, "select-all", "move=1,2,3", "save"}).status,
              0);
    const auto saved = storedFile(map, cubeName);
    EXPECT_EQ(saved.bytes, readFile(plain));
    EXPECT_NE(saved.flags & MPQ_FILE_ENCRYPTED, 0u);
    EXPECT_EQ(leftOver({"map.w3x", "quad.mdl"}), std::vector<std::string>());
}

TEST_F(ArchivedModelBatch, RefusedArchivesAndNamesWriteNothing) {
    struct Case {
        const char* what;
        std::function<std::string(ArchivedModelBatch&)> make; // the archive
        std::string inner;
        std::string error; // the first error line, %A the archive path argument
    };
    const Case cases[] = {
        {"a signed map", [](ArchivedModelBatch& t) { return t.makeMap({}, true); }, cubeName,
         "Error: Cannot save %A:" + cubeName +
             ": it is signed, and writing into it would break its signature."},
        {"a read-only map",
         [](ArchivedModelBatch& t) {
             const auto map = t.makeMap();
             fs::permissions(map, fs::perms::owner_read | fs::perms::group_read |
                                      fs::perms::others_read);
             return map;
         },
         cubeName, "Error: Cannot save %A:" + cubeName + ": it is read-only."},
        {"a wrong inner path", [](ArchivedModelBatch& t) { return t.makeMap(); },
         "war3mapImported\\none.mdl",
         "Error: Cannot open %A:war3mapImported\\none.mdl: it holds no file "
         "war3mapImported\\none.mdl."},
        {"a damaged archive",
         [](ArchivedModelBatch& t) {
             auto bytes = readFile(t.makeMap());
             for (std::size_t i = 16; i < 32; ++i)
                 bytes[i] = '\xEE'; // the header's table places
             return t.folder.write("map.w3x", bytes);
         },
         cubeName, "Error: Cannot open %A:" + cubeName + ": "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& entry : fs::directory_iterator(folder.path()))
            if (entry.path() != tmp) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
                fs::remove_all(entry.path());
            }
        const auto map = c.make(*this);
        const auto bytes = readFile(map);
        const auto run = runProgram(MOLDRIN_BATCH_PATH,
                                    {map + ":" + c.inner, "select-all", "move=1,0,0", "save"});
        EXPECT_EQ(run.status, 1);
        std::string expected = c.error;
        expected.replace(expected.find("%A"), 2, map);
        EXPECT_EQ(run.err.substr(0, expected.size()), expected) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(readFile(map) == bytes);
        EXPECT_EQ(leftOver({"map.w3x"}), std::vector<std::string>());
    }
}

TEST_F(ArchivedModelBatch, ConvertAndCheckTakeArchivePaths) {
    const auto map = makeMap();
    const auto mdx = folder.file("cube.mdx");
    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", map + ":" + cubeName, mdx});
    ASSERT_EQ(run.status, 0) << run.err;
    // Into the archive, as a new file, and back out.
    const std::string added = "war3mapImported\\added.mdx";
    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", mdx, map + ":" + added});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(storedFile(map, added).bytes, readFile(mdx));
    run = runProgram(MOLDRIN_BATCH_PATH, {"--check", map + ":" + added, "--json"});
    EXPECT_NE(run.out.find("{\"path\":\"" + map + ":war3mapImported\\\\added.mdx\""),
              std::string::npos)
        << run.out << run.err;
    EXPECT_NE(run.status, 2) << run.err;

    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", map + ":none.mdx", mdx});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: " + map + ":none.mdx cannot be read: it holds no file none.mdx\n");

    EXPECT_EQ(leftOver({"map.w3x", "cube.mdx"}), std::vector<std::string>());
}

// No file of the tools may grow past the archive's size: the copy of the archive is made, and
// the write of the new file into it fails, between the copy and the replace.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the run
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, SIG_DFL);
    }

  private:
    rlimit previous_{};
};

TEST_F(ArchivedModelBatch, AWriteThatFailsAfterTheCopyLeavesTheArchiveAndNoCopy) {
    std::string padding(20000, '\0');
    std::mt19937 random(3);
    for (char& c : padding)
        c = static_cast<char>(random());
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(
        makeArchive(map, {{"war3map.w3e", padding}, {cubeName, readTestData("tools/quad.mdl")}}));
    const auto mdx = folder.file("quad.mdx");
    ASSERT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--convert", map + ":" + cubeName, mdx}).status, 0);
    const auto bytes = readFile(map);
    testing_support::ProgramRun save, convert;
    {
        const FileSizeLimit limit(bytes.size());
        save = runProgram(MOLDRIN_BATCH_PATH,
                          {map + ":" + cubeName, "select-all", "move=1,0,0", "save"});
        convert =
            runProgram(MOLDRIN_BATCH_PATH, {"--convert", mdx, map + ":war3mapImported\\new.mdx"});
    }
    // The library's write of the file or of the tables after it fails, whichever passes the
    // limit first.
    const auto failed = [](const testing_support::ProgramRun& run, const std::string& start,
                           const std::string& end) {
        return run.status == 1 && run.err.rfind(start, 0) == 0 && run.err.ends_with(end) &&
               std::count(run.err.begin(), run.err.end(), '\n') == 1;
    };
    EXPECT_TRUE(failed(save, "Error: Cannot save " + map + ":" + cubeName + ": cannot write ",
                       ": the disk is full.\n"))
        << save.err;
    EXPECT_TRUE(failed(convert,
                       "Error: " + map +
                           ":war3mapImported\\new.mdx could not be written: "
                           "cannot write ",
                       ": the disk is full\n"))
        << convert.err;
    EXPECT_TRUE(readFile(map) == bytes);
    EXPECT_EQ(leftOver({"map.w3x", "quad.mdx"}), std::vector<std::string>());
}

TEST_F(ArchivedModelBatch, KilledSavesLeaveTheOldMapOrTheNewAndNoCopyAfterTheNextSave) {
    const auto map = makeMap();
    const auto old = storedFile(map, cubeName).bytes;
    const auto plain = folder.write("quad.mdl", old);
    ASSERT_EQ(runProgram(MOLDRIN_BATCH_PATH, {plain, "select-all", "move=5,0,0", "save"}).status,
              0);
    const auto edited = readFile(plain);
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = testing_support::startProgram(
            MOLDRIN_BATCH_PATH, {map + ":" + cubeName, "select-all", "move=5,0,0", "save"});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        const auto now = storedFile(map, cubeName);
        ASSERT_TRUE(now.found) << "round " << round;
        EXPECT_TRUE(now.bytes == old || now.bytes == edited) << "round " << round;
        // The old one back for the next round; a copy the kill left beside it stays.
        fs::remove(map);
        ASSERT_TRUE(makeArchive(map, {{"war3map.j", "x"}, {cubeName, old}}));
    }
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {map + ":" + cubeName, "select-all", "move=5,0,0", "save"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(storedFile(map, cubeName).bytes, edited);
    // A killed run cannot remove its extracted folder; none is left beside the map.
    for (const auto& name : leftOver({"map.w3x", "quad.mdl"}))
        EXPECT_EQ(name.rfind("tmp/moldrin-archive-", 0), 0u) << name;
}

TEST_F(ArchivedModelBatch, QuellonBatchMergesModelsInsideArchives) {
    if (std::string(QUELLON_BATCH_PATH).empty())
        GTEST_SKIP() << "quellon-batch was not built";
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(
        map, {{"war3mapImported\\base.mdl", readTestData("merger/base_three_bones.mdl")},
              {"war3mapImported\\parts.mdl", readTestData("merger/two_geosets.mdl")}}));
    const std::string merged = "war3mapImported\\merged.mdl";
    auto run = runProgram(QUELLON_BATCH_PATH,
                          {"--base", map + ":war3mapImported\\base.mdl", "--geoset",
                           map + ":war3mapImported\\parts.mdl", "--output", map + ":" + merged});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto plainOut = folder.file("merged.mdl");
    run = runProgram(QUELLON_BATCH_PATH,
                     {"--base", testing_support::testDataPath("merger/base_three_bones.mdl"),
                      "--geoset", testing_support::testDataPath("merger/two_geosets.mdl"),
                      "--output", plainOut});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(storedFile(map, merged).bytes, readFile(plainOut));

    const auto bytes = readFile(map);
    run = runProgram(QUELLON_BATCH_PATH, {"--base", map + ":none.mdl", "--geoset", plainOut,
                                          "--output", map + ":" + merged});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Cannot open " + map + ":none.mdl: it holds no file none.mdl.\n");
    EXPECT_TRUE(readFile(map) == bytes);
    EXPECT_EQ(leftOver({"map.w3x", "merged.mdl"}), std::vector<std::string>());
}

} // namespace
