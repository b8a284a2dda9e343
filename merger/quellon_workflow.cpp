#include "merger/quellon_workflow.h"

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
    const std::string done =
        result.value.empty() ? std::string(doneText) : std::string(doneText) + ". " + result.value;
    dialogs->messageBox(done, "", common::MessageButtons::Ok);
    return true;
}

void QuellonWorkflow::showInstructions() {
    dialogs->messageBox(instructionsText, instructionsTitle, common::MessageButtons::Ok);
}

void QuellonWorkflow::showAbout() {
    dialogs->messageBox(aboutText, aboutTitle, common::MessageButtons::Ok);
}

} // namespace merger
