#pragma once

// A whole model file read into memory and written back, for the steps that work on whole models
// (--convert, --check).

#include "formats/mdx/mdx_model.h"
#include "formats/mdx/model_conversion.h"

#include <optional>
#include <string>
#include <vector>

namespace batch {

// The model of a file: MDX when it starts with "MDLX", whatever its name, else MDL text.
struct ModelFileRead {
    mdx::Model model;
    mdx::FileFormat format = mdx::FileFormat::Mdl;
    std::string error;    // why not, empty when read
    bool damaged = false; // the file was read, its content is not a model (error says where)
    // Geosets whose faces name vertices they do not have, each led by its place in the file.
    std::vector<mdx::FaceIndexMessage> faceProblems;
    bool ok() const { return error.empty(); }
    // "PATH is not a model file that can be read", "PATH: chunk GEOS, byte 120: ..."
    std::string failure(const std::string& path) const;
};
// path is a file, or a file inside an archive (ARCHIVE:INNER, the archive a file).
ModelFileRead readModelFile(const std::string& path);

// The name a model is written under in another folder: the file's name, for a file inside an
// archive the last part of its inner name.
std::string modelFileName(const std::string& path);

// Replaces the file at path as a whole with the model in the given format; a file inside an
// archive is put into it (gamedata::replaceInArchive), stored as the file it replaces. Nothing
// when written, else why not (empty when the system gave no reason); dropped lists what MDL text
// could not hold.
std::optional<std::string> writeModelFile(const std::string& path, const mdx::Model& model,
                                          mdx::FileFormat format,
                                          std::vector<std::string>& dropped);

} // namespace batch
