#pragma once

#include "formats/mdx/model_conversion.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace editor {

// A model file's text in the tab layout the geoset reader and the model writer read, whatever
// layout the file has (formats/mdl_normaliser.h). A binary model (its content starts with
// "MDLX", whatever its name) becomes MDL text through formats/mdx.
struct ModelText {
    // The normalised text; when MDL text cannot be normalised, the file's text as it is; when
    // binary bytes cannot be read, nothing.
    std::string text;
    bool rewritten = false; // the file was not in the tab layout
    bool binary = false;    // the file is a binary model
    bool notAModel = false; // neither form (mdx::notAModelProblem says why, in error)
    std::string error;      // why the file cannot be normalised; empty when it can
    std::size_t errorLine = 0;
    std::vector<std::size_t> sourceLines; // when rewritten: the file's line of every line
    // What the text of a binary model cannot hold and was left out (each a short phrase).
    std::vector<std::string> dropped;
    // The geosets of a binary model whose faces name vertices they lack, each with its place in
    // the file: the text's line would mean nothing to the user.
    std::vector<mdx::FaceIndexMessage> faceProblems;
    // A binary model's content, when the text holds all of it (nothing dropped).
    std::optional<mdx::Model> binaryModel;

    bool ok() const { return error.empty(); }
    // The file's line that line (1-based) of text comes from, for messages.
    std::size_t fileLine(std::size_t line) const;
};

// Reads and normalises a model file; nothing when the file cannot be read at all.
std::optional<ModelText> readModelText(const std::string& path);

// The message for a model that cannot be normalised: file, line (binary: chunk and byte) and
// why; for a file that is no model, why not.
std::string modelTextError(const std::string& path, const ModelText& model);

// The format of the model file by its content: MDX when it starts with "MDLX".
mdx::FileFormat modelFileFormat(const std::string& path);

// Makes the working copy of a model: the file byte for byte when it is in the tab layout, its
// normalised text otherwise. False when it cannot be read, normalised or written.
bool writeWorkingCopy(const std::string& modelPath, const std::string& workingCopy);
// The same from the model as read already (an unreadable one is not written).
bool writeWorkingCopy(const ModelText& model, const std::string& modelPath,
                      const std::string& workingCopy);

} // namespace editor
