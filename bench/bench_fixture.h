#pragma once

#include "large_model.h"

#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"

#include <filesystem>
#include <memory>

namespace bench {

// The large model opened in the editor core, in a folder of its own that is removed again.
// vertexCount sets the size of the band of geoset 4 (the largest the format allows by default).
class OpenedLargeModel {
  public:
    explicit OpenedLargeModel(int vertexCount = largeVertexCount);
    ~OpenedLargeModel();
    OpenedLargeModel(const OpenedLargeModel&) = delete;
    OpenedLargeModel& operator=(const OpenedLargeModel&) = delete;

    editor::EditorState& state() { return state_; }
    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& modelPath() const { return modelPath_; }
    common::ScriptedDialogs& dialogs() { return dialogs_; }

    // Every vertex selected (a fresh copy of the geoset as read).
    void selectAll();
    // Puts the geoset back as it was read, all selected, with an empty undo history, the clone
    // toggle off and no message recorded.
    void reset();
    // reset(), and the paths and working copy of the large model again.
    void reopenLargeModelPaths();

  private:
    std::filesystem::path folder_;
    std::filesystem::path modelPath_;
    common::ScriptedDialogs dialogs_;
    editor::EditorState state_;
    std::vector<editor::VertexRecord> readVertices_;
    std::vector<editor::FaceRecord> readFaces_;
};

// One opened model of each size for the whole run, opened on first use.
OpenedLargeModel& sharedModel(int vertexCount = largeVertexCount);

} // namespace bench
