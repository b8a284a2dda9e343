#include "model_file.h"

#include "common/file_replacement.h"
#include "gamedata/archive_path.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/mpq_archive.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace batch {

namespace {

// The bytes of a file inside an archive; nothing with error set when they cannot be had.
std::optional<std::string> archivedBytes(const gamedata::ArchivePath& inside, std::string& error) {
    const auto archive = gamedata::MpqArchive::open(inside.archive, error);
    if (!archive) {
        error = "cannot be read: the archive " + inside.archive + " cannot be opened: " + error;
        return std::nullopt;
    }
    auto bytes = archive->read(inside.inner, error);
    if (!bytes)
        error = "cannot be read: " + error;
    return bytes;
}

} // namespace

ModelFileRead readModelFile(const std::string& path) {
    ModelFileRead read;
    std::string bytes;
    if (const auto inside = gamedata::archivePathOf(path)) {
        auto fromArchive = archivedBytes(*inside, read.error);
        if (!fromArchive)
            return read;
        bytes = std::move(*fromArchive);
    } else {
        std::error_code code;
        if (!std::filesystem::is_regular_file(path, code)) {
            read.error = "is not a model file that can be read";
            return read;
        }
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            read.error = "could not be read";
            return read;
        }
    }
    auto fromFile = mdx::readModelFile(bytes);
    read.format = fromFile.format;
    read.model = std::move(fromFile.model);
    read.error = std::move(fromFile.error);
    read.damaged = !read.error.empty();
    read.faceProblems = std::move(fromFile.faceProblems);
    return read;
}

std::string modelFileName(const std::string& path) {
    if (const auto inside = gamedata::archivePathOf(path)) {
        const auto slash = inside->inner.find_last_of('\\');
        return slash == std::string::npos ? inside->inner : inside->inner.substr(slash + 1);
    }
    return std::filesystem::path(path).filename().string();
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
    if (const auto inside = gamedata::archivePathOf(path)) {
        auto why = gamedata::replaceInArchive(inside->archive, inside->inner, bytes);
        return why.empty() ? std::nullopt : std::optional<std::string>(std::move(why));
    }
    common::FileReplacement file(path);
    if (!file.isOpen() || !file.write(bytes.data(), bytes.size()) || !file.commit())
        return file.refusal();
    return std::nullopt;
}

} // namespace batch
