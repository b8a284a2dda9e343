#include "merger/quellon_workflow.h"

#include "merger/merge_result_check.h"

#include <filesystem>

namespace merger {

void QuellonWorkflow::showError(const std::string& text) {
    dialogs->messageBox(text, errorTitle, common::MessageButtons::Ok);
}

void QuellonWorkflow::browseBase() {
    auto chosen = dialogs->openFileDialog(modelOpenFilter);
    if (!chosen)
        return;
    basePath = *chosen;
    fillBoneList();
}

void QuellonWorkflow::browseGeoset() {
    auto chosen = dialogs->openFileDialog(modelOpenFilter);
    if (!chosen)
        return;
    geosetPath = *chosen;
}

void QuellonWorkflow::browseOutput() {
    auto chosen = dialogs->saveFileDialog(modelSaveFilter);
    if (!chosen)
        return;
    chooseOutput(*chosen);
}

bool QuellonWorkflow::chooseOutput(const std::string& path) {
    if (path != geosetPath && path != basePath) {
        outputPath = path;
        return true;
    }
    showError(outputEqualsInputMessage);
    return false;
}

bool QuellonWorkflow::fillBoneList() {
    boneList.clear();
    boneIndex = -1;
    auto entries = merger::fillBoneList(basePath);
    if (!entries.ok()) {
        showError(entries.error);
        return false;
    }
    boneList = std::move(entries.value);
    return true;
}

MergeRequest QuellonWorkflow::mergeRequest() const {
    MergeRequest request;
    request.basePath = basePath;
    request.geosetPath = geosetPath;
    request.outputPath = outputPath;
    request.texture = {texturePath, twoSided, textureType};
    request.boneIndex = boneIndex;
    return request;
}

bool QuellonWorkflow::mergeModels() {
    auto result = merger::mergeModels(mergeRequest());
    if (!result.ok()) {
        showError(result.error);
        return false;
    }
    std::string done =
        result.value.empty() ? std::string(doneText) : std::string(doneText) + ". " + result.value;
    bool sentence = !result.value.empty();
    for (const auto& note :
         {missingTextureNote(), newErrorsNote(basePath, outputPath, textureSource_)}) {
        if (note.empty())
            continue;
        done += (sentence ? " " : ". ") + note;
        sentence = true;
    }
    dialogs->messageBox(done, "", common::MessageButtons::Ok);
    return true;
}

void QuellonWorkflow::setGameDataSources(const std::vector<std::string>& sources) {
    gameData_.setSources(sources);
    textureSource_.setGameFiles(&gameData_);
    for (const auto& problem : gameData_.problems())
        dialogs->messageBox(problem, "Warning", common::MessageButtons::Ok);
}

std::string QuellonWorkflow::missingTextureNote() const {
    // An additive layer writes no path; without game data most paths name the game's files.
    if (gameData_.empty() || textureType == TextureType::Additive || texturePath.empty())
        return {};
    const auto folder = std::filesystem::path(outputPath).parent_path();
    if (textureSource_.locate(texturePath, folder))
        return {};
    return "The texture \"" + texturePath +
           "\" is found neither beside the output model nor in the game data.";
}

void QuellonWorkflow::showInstructions() {
    dialogs->messageBox(instructionsText, instructionsTitle, common::MessageButtons::Ok);
}

void QuellonWorkflow::showAbout() {
    dialogs->messageBox(aboutText, aboutTitle, common::MessageButtons::Ok);
}

} // namespace merger
