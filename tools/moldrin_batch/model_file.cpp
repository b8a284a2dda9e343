#include "model_file.h"

#include "common/file_replacement.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace batch {

ModelFileRead readModelFile(const std::string& path) {
    ModelFileRead read;
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        read.error = "is not a model file that can be read";
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        read.error = "could not be read";
        return read;
    }
    auto fromFile = mdx::readModelFile(bytes);
    read.format = fromFile.format;
    read.model = std::move(fromFile.model);
    read.error = std::move(fromFile.error);
    read.damaged = !read.error.empty();
    read.faceProblems = std::move(fromFile.faceProblems);
    return read;
}

std::string ModelFileRead::failure(const std::string& path) const {
    return path + (damaged ? ": " : " ") + error;
}

std::optional<std::string> writeModelFile(const std::string& path, const mdx::Model& model,
                                          mdx::FileFormat format,
                                          std::vector<std::string>& dropped) {
    std::string bytes;
    if (format == mdx::FileFormat::Mdx) {
        bytes = mdx::writeMdx(model);
    } else {
        auto mdl = mdx::writeMdl(model);
        dropped = std::move(mdl.dropped);
        bytes = std::move(mdl.text);
    }
    common::FileReplacement file(path);
    if (!file.isOpen() || !file.write(bytes.data(), bytes.size()) || !file.commit())
        return file.refusal();
    return std::nullopt;
}

} // namespace batch
