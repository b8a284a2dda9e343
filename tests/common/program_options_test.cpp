// --help and --version are answered before a program does anything else; which of them wins and
// what counts as asking for them.
#include "common/program_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

std::optional<int> answer(const std::vector<std::string>& arguments, std::string& printed) {
    std::ostringstream out;
    const auto status = common::answerHelpOrVersion(arguments, "tool", "usage: tool X\n", out);
    printed = out.str();
    return status;
}

// A stream whose every write fails, as on a full disk.
class FailingBuffer : public std::streambuf {
  protected:
    int overflow(int) override { return traits_type::eof(); }
};

} // namespace

TEST(ProgramOptions, HelpAndVersionAnywhereBeforeDoubleDash) {
    std::string printed;
    EXPECT_EQ(answer({"--help"}, printed), 0);
    EXPECT_EQ(printed, "usage: tool X\n");
    EXPECT_EQ(answer({"model.mdl", "--geoset", "2", "-h"}, printed), 0);
    EXPECT_EQ(printed, "usage: tool X\n");
    EXPECT_EQ(answer({"x", "--version"}, printed), 0);
    EXPECT_EQ(printed, std::string("tool ") + common::programVersion() + "\n");
    EXPECT_FALSE(std::string(common::programVersion()).empty());
}

TEST(ProgramOptions, FirstOfTheTwoDecides) {
    std::string printed;
    EXPECT_EQ(answer({"--version", "--help"}, printed), 0);
    EXPECT_EQ(printed.rfind("tool ", 0), 0u);
    EXPECT_EQ(answer({"--help", "--version"}, printed), 0);
    EXPECT_EQ(printed, "usage: tool X\n");
}

TEST(ProgramOptions, OtherArgumentsAreLeftToTheProgram) {
    std::string printed;
    EXPECT_EQ(answer({}, printed), std::nullopt);
    EXPECT_EQ(answer({"model.mdl", "info", "save-as=--help", "--helpful", "-help"}, printed),
              std::nullopt);
    EXPECT_EQ(answer({"--", "--help", "--version"}, printed), std::nullopt);
    EXPECT_TRUE(printed.empty());
}

TEST(ProgramOptions, MainArgumentsLeaveOutTheProgramPath) {
    std::ostringstream out;
    const char* help[] = {"--help", nullptr};
    // argv[0] itself named --help must not count.
    EXPECT_EQ(common::answerHelpOrVersion(1, help, "tool", "usage\n", out), std::nullopt);
    const char* version[] = {"/usr/bin/tool", "--version", nullptr};
    EXPECT_EQ(common::answerHelpOrVersion(2, version, "tool", "usage\n", out), 0);
    EXPECT_EQ(common::answerHelpOrVersion(0, version, "tool", "usage\n", out), std::nullopt);
}

TEST(ProgramOptions, TextThatCannotBeWrittenIsAFailure) {
    FailingBuffer buffer;
    std::ostream out(&buffer);
    EXPECT_EQ(common::answerHelpOrVersion({"--help"}, "tool", "usage\n", out), 1);
    std::ostream again(&buffer);
    EXPECT_EQ(common::answerHelpOrVersion({"--version"}, "tool", "usage\n", again), 1);
}

namespace {

TEST(EditorArguments, AFileAndAGeosetNumber) {
    std::string error;
    auto parsed = common::parseEditorArguments({"model.mdl", "--geoset", "3"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->file, "model.mdl");
    EXPECT_EQ(parsed->geoset, 3);

    parsed = common::parseEditorArguments({}, error);
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->file);
    parsed = common::parseEditorArguments({"--", "-dash.mdl"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->file, "-dash.mdl");
}

TEST(EditorArguments, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> refused{
        {"--geoset", "2"},          {"a.mdl", "--geoset"},
        {"a.mdl", "--geoset", "0"}, {"a.mdl", "--geoset", "two"},
        {"a.mdl", "b.mdl"},         {"a.mdl", "--colour"}};
    for (const auto& bad : refused) {
        std::string error;
        EXPECT_FALSE(common::parseEditorArguments(bad, error)) << bad.back();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
