#include "bench_fixture.h"

#include "large_model.h"

#include "common/text_file.h"
#include "editor/editing/file_open.h"
#include "editor/interaction/window_lifecycle.h"
#include "editor/model/geoset_reader.h"

#include <map>
#include <stdexcept>
#include <unistd.h>

namespace bench {

OpenedLargeModel::OpenedLargeModel(int vertexCount) {
    static int opened = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("moldrin-bench-" + std::to_string(::getpid()) + "-" + std::to_string(++opened));
    modelPath_ = writeLargeModel(folder_, vertexCount);
    state_.dialogs = &dialogs_;
    editor::loadMainWindow(state_);
    dialogs_.setAnswers({modelPath_.string(), std::to_string(largeGeosetNumber)});
    editor::openModel(state_, state_.vertices, state_.faces, state_.matrices, true, true);
    if (!state_.modelLoaded || state_.vertices.size() != static_cast<std::size_t>(vertexCount))
        throw std::runtime_error("the large model did not open");
    state_.mouseArmed = true;
    readVertices_ = state_.vertices;
    readFaces_ = state_.faces;
    selectAll();
}

OpenedLargeModel::~OpenedLargeModel() {
    editor::closeMainWindow(state_);
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

void OpenedLargeModel::selectAll() {
    for (auto& vertex : state_.vertices)
        vertex.selected = true;
}

void OpenedLargeModel::reset() {
    state_.vertices = readVertices_;
    state_.faces = readFaces_;
    editor::clearUndoHistory(state_);
    state_.cloneMode = false;
    dialogs_.shown.clear();
    selectAll();
}

void OpenedLargeModel::reopenLargeModelPaths() {
    reset();
    state_.modelPath = state_.savePath = modelPath_.string();
    if (state_.tempPath != editor::workingCopyPath(state_.modelPath))
        common::deleteFile(state_.tempPath);
    state_.tempPath = editor::workingCopyPath(state_.modelPath);
    common::copyFileOver(modelPath_, state_.tempPath);
    state_.geosetNumber = largeGeosetNumber;
}

OpenedLargeModel& sharedModel(int vertexCount) {
    static std::map<int, std::unique_ptr<OpenedLargeModel>> models;
    auto& model = models[vertexCount];
    if (!model)
        model = std::make_unique<OpenedLargeModel>(vertexCount);
    return *model;
}

} // namespace bench
