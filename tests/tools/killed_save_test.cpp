// moldrin-batch saves of a large binary model killed at random moments: the model is always
// the old file or the new one, and an open that takes the recovery question's default answer
// followed by a save never loses what the killed run saved.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

const fs::path corpusMdx = fs::path(MOLDRIN_CORPUS_DIR) / "mdx";
constexpr int killedSaves = 30;

fs::path largestMdx() {
    fs::path largest;
    std::uintmax_t size = 0;
    for (const auto& entry : fs::directory_iterator(corpusMdx))
        if (entry.path().extension() == ".mdx" && entry.file_size() > size) {
            size = entry.file_size();
            largest = entry.path();
        }
    return largest;
}

// The geoset with the most vertices, by the info step's list.
std::string largestGeoset(const std::string& model) {
    const auto info = runProgram(MOLDRIN_BATCH_PATH, {model, "info"}).out;
    int best = 1, number = 0;
    long most = -1;
    for (auto at = info.find("\"vertices\": "); at != std::string::npos;
         at = info.find("\"vertices\": ", at + 1)) {
        ++number;
        const long vertices = std::stol(info.substr(at + 12));
        if (vertices > most) {
            most = vertices;
            best = number;
        }
    }
    return std::to_string(best);
}

// Puts the model back as given and removes everything else a run left in the folder.
void resetFolder(const TempFolder& folder, const std::string& name, const std::string& bytes) {
    for (const auto& entry : fs::directory_iterator(folder.path()))
        fs::remove_all(entry.path());
    folder.write(name, bytes);
}

double secondsToRun(const std::vector<std::string>& arguments) {
    const auto start = std::chrono::steady_clock::now();
    const auto run = runProgram(MOLDRIN_BATCH_PATH, arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(KilledBatchSave, ThirtyKilledSavesThenRecoveryNeverLoseTheSavedEdit) {
    if (!fs::is_directory(corpusMdx))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    const std::string original = readFile(largestMdx());
    const std::string model = folder.write("model.mdx", original);
    const std::string geoset = largestGeoset(model);
    const std::vector<std::string> edit{model, "--geoset", geoset, "select-all", "move=3,0,0"};
    auto editAndSave = edit;
    editAndSave.push_back("save");
    const std::vector<std::string> recoverAndSave{model, "--geoset", geoset, "save"};

    // The bytes each outcome leads to: the edit saved or not, then an open and a save.
    const double editTime = secondsToRun(edit);
    const double saveTime = secondsToRun(editAndSave);
    const std::string edited = readFile(model);
    ASSERT_NE(edited, original);
    secondsToRun(recoverAndSave);
    const std::string editedThenSaved = readFile(model);
    resetFolder(folder, "model.mdx", original);
    secondsToRun(recoverAndSave);
    const std::string originalThenSaved = readFile(model);

    // The kills land from the end of the editing on to the end of the save.
    std::mt19937 random(std::random_device{}());
    std::uniform_real_distribution<double> delay(editTime * 0.8, saveTime * 1.1);
    int killedAfterReplacing = 0, kept = 0;
    for (int i = 0; i < killedSaves; ++i) {
        resetFolder(folder, "model.mdx", original);
        const pid_t pid = testing_support::startProgram(MOLDRIN_BATCH_PATH, editAndSave);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::duration<double>(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);

        const std::string afterKill = readFile(model);
        ASSERT_TRUE(afterKill == original || afterKill == edited) << "kill " << i;
        const auto recovery = runProgram(MOLDRIN_BATCH_PATH, recoverAndSave);
        ASSERT_EQ(recovery.status, 0) << "kill " << i << ": " << recovery.err;
        EXPECT_TRUE(readFile(model) == (afterKill == edited ? editedThenSaved : originalThenSaved))
            << "kill " << i << (afterKill == edited ? ": the saved edit was lost" : "") << "\n"
            << recovery.err;
        killedAfterReplacing += afterKill == edited && WIFSIGNALED(status) ? 1 : 0;
        kept += fs::exists(folder.file("model_recovered.mdl")) ? 1 : 0;
    }
    std::cout << killedAfterReplacing << " of " << killedSaves
              << " runs were killed after the model was replaced; " << kept
              << " kept older edits under another name\n";
}

} // namespace
