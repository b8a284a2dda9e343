#include "formats/mdx/model_conversion.h"

#include "common/file_replacement.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdl_tree.h"
#include "formats/mdx/mdx_file.h"

#include <exception>

namespace mdx {

FileFormat formatNamedBy(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const auto name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
    if (name.size() <= 4)
        return FileFormat::Mdl;
    std::string ext(name.substr(name.size() - 4));
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".mdx" ? FileFormat::Mdx : FileFormat::Mdl;
}

std::string errorText(const FormatError& error, FileFormat format) {
    if (format == FileFormat::Mdl)
        return error.where() + ", line " + std::to_string(error.position()) + ": " + error.what();
    const std::string chunk = error.where() == "file" ? "" : "chunk " + error.where() + ", ";
    return chunk + "byte " + std::to_string(error.position()) + ": " + error.what();
}

FileFormat contentFormat(std::string_view bytes) {
    return hasMdxMagic(bytes) || isCutMdxMagic(bytes) ? FileFormat::Mdx : FileFormat::Mdl;
}

std::string notAModelProblem(std::string_view bytes) {
    if (bytes.empty())
        return "the file is empty";
    if (contentFormat(bytes) == FileFormat::Mdx || hasTopLevelBlock(bytes))
        return {};
    return "the file is neither a binary model (MDX) nor model text (MDL) with a block such as "
           "\"Model { ... }\"";
}

ModelFromFile readModelFile(std::string_view bytes) {
    ModelFromFile result;
    result.format = contentFormat(bytes);
    result.error = notAModelProblem(bytes);
    if (!result.ok())
        return result;
    FacePlaces places;
    try {
        result.model =
            result.format == FileFormat::Mdx ? readMdx(bytes, &places) : readMdl(bytes, &places);
    } catch (const FormatError& e) {
        result.error = errorText(e, result.format);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    if (!result.ok()) {
        result.model = Model();
        return result;
    }
    result.faceProblems = faceIndexMessages(result.model, places, result.format);
    return result;
}

MdlFromMdx convertMdxToMdl(std::string_view bytes) {
    MdlFromMdx result;
    try {
        FacePlaces places;
        result.model = readMdx(bytes, &places);
        result.faceProblems = faceIndexMessages(result.model, places, FileFormat::Mdx);
        auto mdl = writeMdl(result.model);
        result.text = std::move(mdl.text);
        result.dropped = std::move(mdl.dropped);
    } catch (const FormatError& e) {
        result.error = errorText(e, FileFormat::Mdx);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

ModelFromMdl convertMdlToModel(std::string_view text) {
    ModelFromMdl result;
    try {
        result.model = readMdl(text);
    } catch (const FormatError& e) {
        result.error = errorText(e, FileFormat::Mdl);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

MdxFromMdl convertMdlToMdx(std::string_view text) {
    MdxFromMdl result;
    auto converted = convertMdlToModel(text);
    if (!converted.ok()) {
        result.error = std::move(converted.error);
        return result;
    }
    try {
        result.bytes = writeMdx(converted.model);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

MdxFileWrite writeMdxFile(const std::string& path, std::string_view mdlText, Model* read) {
    auto converted = convertMdlToModel(mdlText);
    if (!converted.ok()) {
        MdxFileWrite result;
        result.conversionError = converted.error;
        return result;
    }
    auto result = writeMdxFile(path, converted.model);
    if (result.written && read)
        *read = std::move(converted.model);
    return result;
}

MdxFileWrite writeMdxFile(const std::string& path, const Model& model) {
    MdxFileWrite result;
    std::string bytes;
    try {
        bytes = writeMdx(model);
    } catch (const std::exception& e) {
        result.conversionError = e.what();
        return result;
    }
    common::FileReplacement file(path);
    result.refusal = file.refusal();
    result.written = file.isOpen() && file.write(bytes.data(), bytes.size()) && file.commit();
    return result;
}

std::string droppedList(const std::vector<std::string>& dropped) {
    std::string list;
    for (const auto& item : dropped)
        list += (list.empty() ? "" : "; ") + item;
    return list;
}

} // namespace mdx
