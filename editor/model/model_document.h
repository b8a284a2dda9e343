#pragma once

#include "formats/mdx/face_index_check.h"
#include "formats/mdx/mdx_model.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace editor {

// The whole model the editor holds: its MDL text in the tab layout (what the working copy holds,
// and what the geoset reader and the model writer read) and the mdx::Model that text reads as.
// The geoset being edited lives in GeosetModel's arrays; here it is as it was last committed.
// A document does not change once made: an edit makes a new one, so a step of the history, a
// drag's scratch state and a second thread can hold it safely.
class ModelDocument {
  public:
    // The model is read from the text when it is first asked for, at most once.
    explicit ModelDocument(std::string text);
    // A model already known to be what the text reads as (the binary model the text was made
    // from, or a model derived from one).
    ModelDocument(std::string text, mdx::Model model);
    ModelDocument(const ModelDocument&) = delete;
    ModelDocument& operator=(const ModelDocument&) = delete;

    const std::string& text() const { return text_; }

    // What the open of a file found and a later read of a geoset from this text must say the
    // same way: the file's line of each line of the text (when the file was not in the tab
    // layout), and the geosets of a binary model whose faces name vertices they lack. A
    // document made by a commit or a save has neither: its text is the working copy's.
    std::vector<std::size_t> sourceLines;
    std::vector<mdx::FaceIndexMessage> faceProblems;

    // The model the text reads as; nothing when it cannot be read (modelError says why).
    const mdx::Model* model() const;
    const std::string& modelError() const;
    // True once the model was read or given, so asking for it costs nothing.
    bool modelKnown() const;
    // The text keeps face groups in comments: only reading the text decides whether they still
    // apply to a geoset's saved triangles.
    bool faceGroupComments() const { return faceGroupComments_; }

  private:
    void readModel() const;

    std::string text_;
    bool faceGroupComments_ = false;
    mutable std::once_flag read_;
    mutable std::optional<mdx::Model> model_;
    mutable std::string error_;
    mutable std::atomic<bool> known_{false};
};

using SharedDocument = std::shared_ptr<const ModelDocument>;

struct GeosetModel;

SharedDocument makeDocument(std::string text);
SharedDocument makeDocument(std::string text, mdx::Model model);

// The text of the document after a whole-model edit, given the MDL writer's text of the edited
// model: the document's own bytes for the top-level blocks the edit left alone.
std::string textAfterEdit(const ModelDocument& before, const std::string& writtenAfter);

// The document the state holds. A state set up without an open (a test, a tool that names a
// working copy) takes the working copy's text, or the model file's when there is no copy, as
// its document once; nothing when that cannot be read.
SharedDocument heldDocument(GeosetModel& state);

} // namespace editor
