// Both batch tools on inputs and outputs that are not plain model files: FIFOs, devices, a
// pipe as standard input, a file too large for the memory, links and leftovers of saves.

#include "support/non_regular_files.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define MOLDRIN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOLDRIN_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

namespace fs = std::filesystem;
using testing_support::ProgramRun;
using testing_support::readFile;
using testing_support::TempFolder;

// Address space for a run under a memory limit: ample for the tools, far too little for reading
// an endless device or a file of many gigabytes.
constexpr const char* addressSpaceLimit = "268435456";

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a tool through the shell with a time limit, so that a tool that waits on its input fails
// the test instead of hanging it; before is put in front of the tool (a pipe, a memory limit).
ProgramRun runTool(const std::string& tool, const std::vector<std::string>& arguments,
                   const std::string& before = {}) {
    std::string command = before + "timeout 20 " + shellQuoted(tool);
    for (const auto& argument : arguments)
        command += " " + shellQuoted(argument);
    return testing_support::runProgram("/bin/sh", {"-c", command});
}

std::string underMemoryLimit() {
    return std::string("prlimit --as=") + addressSpaceLimit + " ";
}

bool memoryLimitsWork() {
#ifdef MOLDRIN_ADDRESS_SANITIZER
    return false; // the sanitizer's shadow memory needs far more address space
#else
    return fs::exists("/usr/bin/prlimit");
#endif
}

class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(QUELLON_BATCH_PATH).empty())
            GTEST_SKIP() << "quellon-batch was not built";
        fifo_ = folder_.file("pipe.mdl");
        testing_support::makeFifo(fifo_);
    }
    std::string fixture(const std::string& name) const {
        return testing_support::testDataPath("merger/" + name);
    }
    std::string cube() const {
        return folder_.copyIn(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder_;
    std::string fifo_;
};

TEST_F(HostileInput, AFifoIsRefusedAtOnceByBothTools) {
    auto result = runTool(QUELLON_BATCH_PATH, {"--list-bones", fifo_});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Cannot read the base model \"" + fifo_ +
                              "\": it is a FIFO, not a regular "
                              "file.\n");

    const auto output = folder_.file("out.mdl");
    result = runTool(QUELLON_BATCH_PATH, {"--base", fixture("base_three_bones.mdl"), "--geoset",
                                          fifo_, "--output", output});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Cannot read the geoset model \"" + fifo_ +
                              "\": it is a FIFO, not a regular file.\n");
    EXPECT_FALSE(fs::exists(output));

    result = runTool(MOLDRIN_BATCH_PATH, {fifo_, "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Bad file name\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(HostileInput, StandardInputFromAPipeIsRefused) {
    const auto result = runTool(QUELLON_BATCH_PATH, {"--list-bones", "/dev/stdin"}, "true | ");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("it is a FIFO, not a regular file."), std::string::npos)
        << result.err;
}

TEST_F(HostileInput, AnEndlessDeviceIsRefusedBeforeTheMemoryRunsOut) {
    if (!memoryLimitsWork())
        GTEST_SKIP() << "no memory limit in this build";
    auto result = runTool(QUELLON_BATCH_PATH, {"--list-bones", "/dev/zero"}, underMemoryLimit());
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err,
              "Error: Cannot read the base model \"/dev/zero\": it is a device, not a regular "
              "file.\n");
    result = runTool(MOLDRIN_BATCH_PATH, {"/dev/zero", "info"}, underMemoryLimit());
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "Error: Bad file name\n");
}

TEST_F(HostileInput, RunningOutOfMemoryEndsWithAMessageAndStatusOne) {
    if (!memoryLimitsWork())
        GTEST_SKIP() << "no memory limit in this build";
    // A regular file of 64 GiB that takes no disk space: reading it exhausts the memory limit.
    const auto huge = folder_.file("huge.mdl");
    { std::ofstream(huge) << ""; }
    fs::resize_file(huge, 64ull << 30);
    auto result = runTool(QUELLON_BATCH_PATH, {"--list-bones", huge}, underMemoryLimit());
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "quellon-batch: out of memory\n");

    const auto output = folder_.file("out.mdl");
    result =
        runTool(QUELLON_BATCH_PATH,
                {"--base", fixture("base_three_bones.mdl"), "--geoset", huge, "--output", output},
                underMemoryLimit());
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "quellon-batch: out of memory\n");
    EXPECT_FALSE(fs::exists(output));

    result = runTool(MOLDRIN_BATCH_PATH, {huge, "info"}, underMemoryLimit());
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("moldrin-batch: "), std::string::npos) << result.err;
}

TEST_F(HostileInput, SavingThroughALinkChangesTheModelAndKeepsTheLink) {
    const auto model = cube();
    TempFolder links;
    const auto link = links.path() / "linked.mdl";
    fs::create_symlink(model, link);
    const auto before = readFile(model);
    const auto result =
        runTool(MOLDRIN_BATCH_PATH, {link.string(), "select-all", "move=1,0,0", "save"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(readFile(model), before);
    EXPECT_EQ(entries(), (std::vector<std::string>{"cube.mdl", "pipe.mdl"}));
}

TEST_F(HostileInput, SavingOverAFifoOrAHardLinkedModelIsOneError) {
    const auto model = cube();
    auto result = runTool(MOLDRIN_BATCH_PATH, {model, "save-as=" + fifo_});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.err.starts_with("Error: Cannot save " + fifo_)) << result.err;
    EXPECT_TRUE(fs::is_fifo(fifo_));

    const auto other = folder_.file("other-name.mdl");
    fs::create_hard_link(model, other);
    const auto before = readFile(model);
    result = runTool(MOLDRIN_BATCH_PATH, {model, "select-all", "move=1,0,0", "save"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.starts_with("Error: Cannot save " + model)) << result.err;
    EXPECT_EQ(fs::hard_link_count(model), 2u);
    EXPECT_EQ(readFile(other), before);

    result = runTool(QUELLON_BATCH_PATH, {"--base", fixture("base_three_bones.mdl"), "--geoset",
                                          fixture("two_geosets.mdl"), "--output", fifo_});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Cannot write the output file \"" + fifo_ +
                              "\": it is a FIFO, not a regular file. It was left as it was.\n");
    EXPECT_TRUE(fs::is_fifo(fifo_));
}

TEST_F(HostileInput, LeftoversOfInterruptedSavesGoWithTheNextSave) {
    const auto model = cube();
    ::chmod(model.c_str(), 0600);
    for (int i = 0; i < 5; ++i)
        folder_.write("cube.mdl.part-99999999-" + std::to_string(i) + "-42", "interrupted");
    const auto result = runTool(MOLDRIN_BATCH_PATH, {model, "select-all", "move=1,0,0", "save"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(entries(), (std::vector<std::string>{"cube.mdl", "pipe.mdl"}));
    struct stat status {};
    ASSERT_EQ(::stat(model.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
}

} // namespace
