#include "bench_fixture.h"

#include "large_model.h"

#include "common/text_file.h"
#include "editor/interaction/window_lifecycle.h"
#include "editor/model/geoset_reader.h"

#include <stdexcept>
#include <unistd.h>

namespace bench {

OpenedLargeModel::OpenedLargeModel()
    : folder_(std::filesystem::temp_directory_path() /
              ("moldrin-bench-" + std::to_string(::getpid()))) {
    modelPath_ = writeLargeModel(folder_);
    state_.dialogs = &dialogs_;
    editor::loadMainWindow(state_);
    dialogs_.setAnswers({modelPath_.string(), std::to_string(largeGeosetNumber)});
    editor::openModel(state_, state_.vertices, state_.faces, state_.matrices, true, true);
    if (!state_.modelLoaded || state_.vertices.size() != largeVertexCount)
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
    state_.undoHistory.clear();
    state_.cloneMode = false;
    selectAll();
}

} // namespace bench

namespace bench {

void OpenedLargeModel::reopenLargeModelPaths() {
    reset();
    state_.modelPath = state_.savePath = modelPath_.string();
    if (state_.tempPath != editor::workingCopyPath(state_.modelPath))
        common::deleteFile(state_.tempPath);
    state_.tempPath = editor::workingCopyPath(state_.modelPath);
    common::copyFileOver(modelPath_, state_.tempPath);
    state_.geosetNumber = largeGeosetNumber;
}

} // namespace bench
