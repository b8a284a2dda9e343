#pragma once

// The conversions the programs need between a model file and the MDL text they edit: binary
// bytes to tab-layout text on reading, text to binary bytes on writing, with the reasons for a
// failure as text to show.

#include "formats/mdx/face_index_check.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/mdx_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace mdx {

class FormatError;

// The form a file name asks for: MDX for the extension ".mdx" in any case, MDL for any other.
FileFormat formatNamedBy(std::string_view path);

// Where and why a model could not be read: "chunk GEOS, byte 1234: ..." for binary bytes,
// "Geoset, line 12: ..." for text.
std::string errorText(const FormatError& error, FileFormat format);

// What a model file is: MDX (bytes that start with "MDLX", or are cut short inside those four
// bytes) or MDL text with at least one top-level block ("Version { ... }"). The form of the
// bytes by that rule, whether or not they are a model.
FileFormat contentFormat(std::string_view bytes);
// Why the bytes are neither ("the file is empty", ...); empty when they may be a model. A
// binary header cut short is a damaged MDX file, which readMdx names by its byte. Instant on a
// model of any size.
std::string notAModelProblem(std::string_view bytes);

// A model file's bytes, in either form, as a model. On failure error says why they are no
// model, or where they could not be read (errorText), and the model is empty; faceProblems
// lists the geosets whose faces name vertices they do not have, each led by its place in the
// file.
struct ModelFromFile {
    FileFormat format = FileFormat::Mdl;
    Model model;
    std::string error;
    std::vector<FaceIndexMessage> faceProblems;
    bool ok() const { return error.empty(); }
};
ModelFromFile readModelFile(std::string_view bytes);

// MDX bytes as MDL text in the tab layout. On failure error says where the bytes went wrong and
// text is empty; dropped lists what the text cannot hold (empty when nothing); faceProblems as
// readModelFile gives them.
struct MdlFromMdx {
    std::string text;
    std::vector<std::string> dropped;
    std::string error;
    std::vector<FaceIndexMessage> faceProblems;
    Model model; // the model the bytes hold, which the text says less what was dropped
    bool ok() const { return error.empty(); }
};
MdlFromMdx convertMdxToMdl(std::string_view bytes);

// MDL text in any layout as MDX bytes. On failure error says which block and line could not be
// read and bytes is empty.
struct MdxFromMdl {
    std::string bytes;
    std::string error;
    bool ok() const { return error.empty(); }
};
MdxFromMdl convertMdlToMdx(std::string_view text);

// MDL text in any layout as a model. On failure error says which block and line could not be
// read.
struct ModelFromMdl {
    Model model;
    std::string error;
    bool ok() const { return error.empty(); }
};
ModelFromMdl convertMdlToModel(std::string_view text);

// Replaces the file at path with the MDX bytes of the MDL text, through common::FileReplacement
// (links followed, special and hard-linked files refused, permissions kept, all or nothing). The
// text is converted before the file is touched, so a model the binary form cannot hold leaves
// the file as it was.
struct MdxFileWrite {
    bool written = false;
    std::string conversionError; // why the text has no binary form (errorText)
    std::string refusal;         // why the path was refused as a whole (FileReplacement)
};
// When written and asked for, read holds the model the text reads as.
MdxFileWrite writeMdxFile(const std::string& path, std::string_view mdlText, Model* read = nullptr);
// The same for a model in memory.
MdxFileWrite writeMdxFile(const std::string& path, const Model& model);

// What a conversion to MDL text left out, as one list: "a; b; c".
std::string droppedList(const std::vector<std::string>& dropped);

} // namespace mdx
