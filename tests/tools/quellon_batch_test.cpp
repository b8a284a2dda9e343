// quellon-batch run as a program: arguments, exit status, messages on standard error, the bone
// list, the merged file, and the merged model read back by the editor's reader (moldrin-batch).

#include "formats/mdx/mdl_counts.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct QuellonRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

QuellonRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const testing_support::TempFolder& scratch) {
    std::string command = shellQuoted(program);
    for (const auto& argument : arguments)
        command += " " + shellQuoted(argument);
    const auto outPath = scratch.file("run.stdout");
    const auto errPath = scratch.file("run.stderr");
    command += " >" + shellQuoted(outPath) + " 2>" + shellQuoted(errPath);
    const int raw = std::system(command.c_str());
    QuellonRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = testing_support::readFile(outPath);
    run.err = testing_support::readFile(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

std::string fixture(const std::string& name) {
    return testing_support::testDataPath("merger/" + name);
}

class QuellonBatch : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(QUELLON_BATCH_PATH).empty())
            GTEST_SKIP() << "quellon-batch was not built";
    }
    QuellonRun run(const std::vector<std::string>& arguments) {
        return runProgram(QUELLON_BATCH_PATH, arguments, scratch);
    }
    std::vector<std::string> mergeArguments(const std::string& output) const {
        return {"--base",   fixture("base_three_bones.mdl"),
                "--geoset", fixture("two_geosets.mdl"),
                "--output", output};
    }
    std::vector<std::string> outputFolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testing_support::TempFolder scratch; // the runs' captured output
    testing_support::TempFolder folder;  // the models written
};

TEST_F(QuellonBatch, ListBonesPrintsTheEntries) {
    const auto result = run({"--list-bones", fixture("base_three_bones.mdl")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Root: No parent\nArm: Root\nHand: Arm\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(QuellonBatch, ListBonesShowsTheQuirkFreeNames) {
    const auto result = run({"--list-bones", fixture("odd_ids.mdl")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Twelve: No parent\nOne: Twelve\nOrphan: \nHeldByHelper: Holder\n"
                          "LitByLamp: Orphan\n");
}

TEST_F(QuellonBatch, ListBonesOfAMissingOrBadModelIsOneError) {
    const auto missing = folder.file("missing.mdl");
    auto result = run({"--list-bones", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Error: Cannot read the base model \"" + missing + "\".\n");
    result = run({"--list-bones", fixture("bone_without_quotes.mdl")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Line 10 of the base model \"" +
                              fixture("bone_without_quotes.mdl") +
                              "\" is a bone header without a name in double quotes.\n");
}

TEST_F(QuellonBatch, MergeSaysDoneAndWritesTheModel) {
    const auto output = folder.file("merged.mdl");
    auto arguments = mergeArguments(output);
    arguments.insert(arguments.end(),
                     {"--bone", "2", "--texture", "Textures\\Arm.blp", "--type", "team-color"});
    const auto result = run(arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, ": Done\n");
    EXPECT_EQ(result.out, "");
    const auto text = testing_support::readFile(output);
    EXPECT_NE(text.find("\tBitmap {\r\n\t\tImage \"Textures\\Arm.blp\",\r\n\t}\r\n\tBitmap {\r\n"
                        "\t\tImage \"\",\r\n\t\tReplaceableId 1,\r\n\t}\r\n}\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\t\t\tstatic TextureID 3,\r\n\t\t}\r\n\t\tLayer {\r\n"
                        "\t\t\tFilterMode Blend,\r\n\t\t\tstatic TextureID 2,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tGroups 1 1 {\r\n\t\tMatrices { 2 },\r\n\t}\r\n"), std::string::npos);
    EXPECT_NE(text.find("\tMaterialID 3,\r\n"), std::string::npos);
    EXPECT_EQ(outputFolderEntries(), (std::vector<std::string>{"merged.mdl"}));
}

TEST_F(QuellonBatch, EveryTypeAndTwoSided) {
    struct Case {
        std::vector<std::string> options;
        std::string expected; // the new material's first layer
    };
    const std::vector<Case> cases = {
        {{}, "\t\tLayer {\r\n\t\t\tFilterMode Transparent,\r\n\t\t\tstatic TextureID 2,\r\n"},
        {{"--two-sided"},
         "\t\tLayer {\r\n\t\t\tFilterMode Transparent,\r\n\t\t\tTwoSided,\r\n"
         "\t\t\tstatic TextureID 2,\r\n"},
        {{"--type", "none", "--two-sided"},
         "\t\tLayer {\r\n\t\t\tFilterMode None,\r\n\t\t\tTwoSided,\r\n\t\t\tstatic TextureID "
         "2,\r\n"},
        {{"--type", "additive"},
         "\t\tLayer {\r\n\t\t\tFilterMode Additive,\r\n\t\t\tUnshaded,\r\n\t\t\tTwoSided,\r\n"
         "\t\t\tstatic TextureID 2,\r\n"},
        {{"--type", "team-color", "--two-sided"},
         "\t\tLayer {\r\n\t\t\tFilterMode None,\r\n\t\t\tUnshaded,\r\n\t\t\tstatic TextureID "
         "3,\r\n"},
    };
    for (const auto& c : cases) {
        const auto output = folder.file("typed.mdl");
        auto arguments = mergeArguments(output);
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(testing_support::readFile(output).find(c.expected), std::string::npos)
            << (c.options.empty() ? "(defaults)" : c.options[0]);
    }
}

TEST_F(QuellonBatch, WithoutBoneTheGeosetsGoToIdZero) {
    const auto output = folder.file("merged.mdl");
    const auto result = run(mergeArguments(output));
    EXPECT_EQ(result.status, 0);
    const auto text = testing_support::readFile(output);
    EXPECT_EQ(text.find("Matrices { 2 }"), std::string::npos);
    EXPECT_NE(text.find("\tGroups 1 1 {\r\n\t\tMatrices { 0 },\r\n\t}\r\n"), std::string::npos);
}

TEST_F(QuellonBatch, ABonePastTheEndOfTheListIsAnError) {
    const auto output = folder.file("merged.mdl");
    auto arguments = mergeArguments(output);
    arguments.insert(arguments.end(), {"--bone", "3"});
    const auto result = run(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: There is no bone at list position 3: the base model's bone "
                          "list has 3 entries.\n");
    EXPECT_TRUE(outputFolderEntries().empty());
}

TEST_F(QuellonBatch, OutputEqualToAnInputIsRefused) {
    const auto base = folder.copyIn(fixture("base_three_bones.mdl"), "base.mdl");
    const auto before = testing_support::readFile(base);
    for (const auto& output : {base, fixture("two_geosets.mdl")}) {
        const auto result = run({"--base", base, "--geoset", fixture("two_geosets.mdl"), "--output",
                                 output, "--bone", "1"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err,
                  "Error: Your output file must be different from both your input files.\n");
    }
    EXPECT_EQ(testing_support::readFile(base), before);
    EXPECT_EQ(outputFolderEntries(), (std::vector<std::string>{"base.mdl"}));
}

TEST_F(QuellonBatch, MissingInputsAndUnwritableOutputAreOneErrorEach) {
    auto result = run({"--base", folder.file("nope.mdl"), "--geoset", fixture("two_geosets.mdl"),
                       "--output", folder.file("out.mdl")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Error: Cannot read the base model \"" + folder.file("nope.mdl") + "\".\n");
    result = run({"--base", fixture("base_three_bones.mdl"), "--geoset", folder.file("nope.mdl"),
                  "--output", folder.file("out.mdl")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Error: Cannot read the geoset model \"" + folder.file("nope.mdl") + "\".\n");
    const auto unwritable = folder.file("missing-folder/out.mdl");
    result = run(mergeArguments(unwritable));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Cannot write the output file \"" + unwritable +
                              "\". It was left as it was.\n");
    result = run(
        {"--base", "", "--geoset", fixture("two_geosets.mdl"), "--output", folder.file("out.mdl")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Choose a base model first.\n");
    EXPECT_TRUE(outputFolderEntries().empty());
}

TEST_F(QuellonBatch, AnUnsoundMergeIsAnErrorAndNotDone) {
    const auto empty = scratch.write("empty.mdl", "");
    const auto output = folder.file("out.mdl");
    auto result =
        run({"--base", fixture("base_three_bones.mdl"), "--geoset", empty, "--output", output});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Error: Cannot read the geoset model \"" + empty + "\", the file is empty.\n");
    const auto noNodes = scratch.write("no-nodes.mdl", "Version {\n\tFormatVersion 800,\n}\n");
    result = run({"--base", noNodes, "--geoset", fixture("two_geosets.mdl"), "--output", output});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.find("Done"), std::string::npos) << result.err;
    result = run({"--base", fixture("base_three_bones.mdl"), "--geoset", fixture("two_geosets.mdl"),
                  "--output", output, "--texture", "a\nb.blp"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: The texture path cannot hold a double quote, a line break or "
                          "another control character. Nothing was written.\n");
    EXPECT_TRUE(outputFolderEntries().empty());
}

TEST_F(QuellonBatch, BadArgumentsExitTwoWithUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--list-bones"},
        {"--list-bones", "a.mdl", "b.mdl"},
        {"--base", "a.mdl", "--geoset", "b.mdl"},
        {"--base", "a.mdl", "--geoset", "b.mdl", "--output"},
        {"--base", "a.mdl", "--geoset", "b.mdl", "--output", "c.mdl", "--type", "glow"},
        {"--base", "a.mdl", "--geoset", "b.mdl", "--output", "c.mdl", "--bone", "x"},
        {"--base", "a.mdl", "--geoset", "b.mdl", "--output", "c.mdl", "--bone", "-1"},
        {"--base", "a.mdl", "--geoset", "b.mdl", "--output", "c.mdl", "--frobnicate"},
    };
    for (const auto& arguments : bad) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(result.err.find("usage: quellon-batch"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(outputFolderEntries().empty());
}

TEST_F(QuellonBatch, TheEditorReadsTheMergedGeosets) {
    if (std::string(MOLDRIN_BATCH_PATH).empty())
        GTEST_SKIP() << "moldrin-batch was not built";
    const auto output = folder.file("merged.mdl");
    auto arguments = mergeArguments(output);
    arguments.insert(arguments.end(), {"--bone", "2", "--type", "none"});
    ASSERT_EQ(run(arguments).status, 0);

    auto info = runProgram(MOLDRIN_BATCH_PATH, {output, "info"}, scratch);
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("\"geosets\": 3"), std::string::npos) << info.out;

    // The second geoset of the merged model is the first of the geoset model: 4 vertices, two
    // triangles, every vertex in group 0, the only group holding bone id 2.
    auto dump = runProgram(MOLDRIN_BATCH_PATH, {output, "--geoset", "2", "dump"}, scratch);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"groups\": [0,0,0,0]"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"faces\": [[0,1,2],[2,1,3]]"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"matrices\": [[2]]"), std::string::npos) << dump.out;

    dump = runProgram(MOLDRIN_BATCH_PATH, {output, "--geoset", "3", "dump"}, scratch);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"groups\": [0,0,0]"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"matrices\": [[2]]"), std::string::npos) << dump.out;
}

TEST_F(QuellonBatch, CorpusModelMergedIntoAnotherReadsBack) {
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "corpus not found at " << corpus;
    if (std::string(MOLDRIN_BATCH_PATH).empty())
        GTEST_SKIP() << "moldrin-batch was not built";
    // The palm tree's two geosets into the villager (5 geosets), bound to its third bone.
    const auto output = folder.file("villager_palms.mdl");
    const auto listed = run({"--list-bones", (corpus / "villager_zombie.mdl").string()});
    ASSERT_EQ(listed.status, 0);
    const auto result = run({"--base", (corpus / "villager_zombie.mdl").string(), "--geoset",
                             (corpus / "palm_tree.mdl").string(), "--output", output, "--bone", "2",
                             "--texture", "Textures\\Palm.blp", "--type", "transparent"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto info = runProgram(MOLDRIN_BATCH_PATH, {output, "info"}, scratch);
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("\"geosets\": 7"), std::string::npos) << info.out;
    const auto dump = runProgram(MOLDRIN_BATCH_PATH, {output, "--geoset", "6", "dump"}, scratch);
    ASSERT_EQ(dump.status, 0) << dump.err;
    // The villager's first two bones carry object ids 0 and 1, so entry 2 binds to id 2.
    EXPECT_NE(dump.out.find("\"matrices\": [[2]]"), std::string::npos);
}

TEST_F(QuellonBatch, AnEffectsGeosetMergedIntoAHeroDeclaresItsCountsRight) {
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "corpus not found at " << corpus;
    if (std::string(MOLDRIN_BATCH_PATH).empty())
        GTEST_SKIP() << "moldrin-batch was not built";
    // The effect's one geoset, saved alone by the editor, into the hero (6 geosets, 5
    // materials, 4 textures), as text and as a binary model read back as text.
    const auto geoset = folder.file("wing.mdl");
    const auto saved =
        runProgram(MOLDRIN_BATCH_PATH,
                   {(corpus / "mdx" / "wing2.mdx").string(), "save-geoset=" + geoset}, scratch);
    ASSERT_EQ(saved.status, 0) << saved.err;
    for (const std::string name : {"hero.mdl", "hero.mdx"}) {
        const auto output = folder.file(name);
        const auto merged = run({"--base", (corpus / "mdx" / "huangzhong.mdx").string(), "--geoset",
                                 geoset, "--output", output, "--bone", "0", "--type", "none"});
        ASSERT_EQ(merged.status, 0) << merged.err;
        auto text = folder.file("hero_text.mdl");
        if (name.ends_with(".mdx")) {
            const auto converted =
                runProgram(MOLDRIN_BATCH_PATH, {"--convert", output, text}, scratch);
            ASSERT_EQ(converted.status, 0) << converted.err;
        } else {
            text = output;
        }
        const auto model = testing_support::readFile(text);
        EXPECT_EQ(mdx::declaredCountMismatches(model), std::vector<std::string>{}) << name;
        for (const auto* count : {"\tNumGeosets 7,", "Materials 6 {", "Textures 5 {"})
            EXPECT_NE(model.find(count), std::string::npos) << name << ": " << count;
    }
}

} // namespace
