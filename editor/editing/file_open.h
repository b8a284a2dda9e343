#pragma once

#include "editor/editing/model_text.h"
#include "editor/model/geoset_model.h"
#include "editor/model/model_document.h"
#include "formats/mdx/model_conversion.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

struct EditingState;

inline constexpr const char* mdlFileFilter = "Warcraft III MDL|*.mdl";
// Open reads either form, known by its content.
inline constexpr const char* modelOpenFilter =
    "Warcraft III models|*.mdl;*.mdx|Warcraft III MDL|*.mdl|Warcraft III MDX|*.mdx";

// The document of a model as an open read it: its text, the model when the read knew it
// (a binary model), and where its lines and faulty geosets are in the file.
SharedDocument documentOf(ModelText model, std::optional<mdx::Model> read = std::nullopt);
// The document's text as a model read from a file, for reading one of its geosets: messages
// name the file's lines while the text is the file's own.
ModelText textOf(const ModelDocument& document);

// The save dialog's filters, the given format's first so that the dialog offers it.
std::string modelSaveFilter(mdx::FileFormat first);
// Save As's filter: modelSaveFilter's entries, then MDX and MDL entries that name a
// FormatVersion; the version an entry (0-based) names, or nothing.
std::string modelSaveAsFilter(mdx::FileFormat first);
std::optional<std::uint32_t> saveAsEntryVersion(std::size_t entry);

// Which geoset to use: 1 when the file has at most one line that is exactly "Geoset {",
// otherwise the picker lists every geoset with its vertex and triangle counts and its
// texture. Nothing when the picker is cancelled.
std::optional<int> chooseGeoset(EditingState& state, const std::string& path);
// The same for a model's text in the tab layout (empty for a model that cannot be read).
// The model read from the text, when known, gives the picker's lines without reading it again.
std::optional<int> chooseGeosetInText(EditingState& state, std::string_view text,
                                      const mdx::Model* model = nullptr);

// Reads geoset geosetNumber (1-based) of the file, in whatever layout it is, into the three
// arrays; the matrices (and with storeGroupCount the group count) only when the geoset has its
// Groups block. With storeGroupCount the geoset's Reforged blocks become state.extras; extras,
// when given, receives them too. On input it cannot follow, it shows one message titled "Error"
// naming the file and line, leaves the arrays as they were and returns false. Vertices in a
// group past the matrix groups are read and named in one message titled "Warning". A geoset
// read enables the model's controls and sets modelLoaded.
bool readGeosetFile(EditingState& state, const std::string& path,
                    std::vector<VertexRecord>& vertices, std::vector<FaceRecord>& faces,
                    MatrixTable& matrices, int geosetNumber, bool storeGroupCount,
                    VertexExtras* extras = nullptr);
// The same for a model already read with readModelText (nothing: the file could not be read).
bool readGeosetOf(EditingState& state, const std::string& path,
                  const std::optional<ModelText>& model, std::vector<VertexRecord>& vertices,
                  std::vector<FaceRecord>& faces, MatrixTable& matrices, int geosetNumber,
                  bool storeGroupCount, VertexExtras* extras = nullptr);

// File -> Open (isMainModel) and the reading half of Merge Geoset: asks for a file, makes the
// working copy (main model only; the model in the tab layout), asks for the geoset and reads
// it. Opening the main model forgets the undo history.
void openModel(EditingState& state, std::vector<VertexRecord>& vertices,
               std::vector<FaceRecord>& faces, MatrixTable& matrices, bool isMainModel,
               bool storeGroupCount, VertexExtras* extras = nullptr);

// Opens a model file as the main model without the file dialog (a command line, a dropped
// file, the recent files): geoset is the geoset to edit, or nothing to ask for it. The working
// copy is claimed for this editor alone; a copy left by a run that crashed is offered for
// recovery. True when a geoset was read.
bool openModelFile(EditingState& state, const std::string& path, std::optional<int> geoset);

// The menu's File > Open: settles unsaved changes first, then opens.
void openCommand(EditingState& state);

} // namespace editor
