#include "archive_commands.h"

#include "batch_context.h"
#include "common/file_replacement.h"
#include "gamedata/archive_listing.h"
#include "gamedata/archive_path.h"
#include "gamedata/mpq_archive.h"

#include <nlohmann/json.hpp>

namespace batch {

namespace {

std::shared_ptr<gamedata::MpqArchive> openArchive(const std::string& path, std::ostream& err) {
    std::string why;
    auto archive = gamedata::MpqArchive::open(path, why);
    if (!archive)
        err << "Error: Cannot open the archive " << path << ": " << why << ".\n";
    return archive;
}

} // namespace

int listArchive(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const bool json = arguments.size() == 3 && arguments[2] == "--json";
    if (arguments.size() != 2 && !json) {
        err << listUsageLine << "\n";
        return 2;
    }
    const auto archive = openArchive(arguments[1], err);
    if (!archive)
        return 1;
    const auto names = gamedata::modelsAndTextures(*archive);
    if (!json) {
        for (const auto& name : names) {
            const auto stored = archive->stored(name);
            out << name << "\t" << (stored ? stored->size : 0) << "\n";
        }
        return 0;
    }
    auto files = nlohmann::json::array();
    for (const auto& name : names) {
        const auto stored = archive->stored(name);
        files.push_back({{"name", name}, {"size", stored ? stored->size : 0}});
    }
    const nlohmann::json listing = {{"archive", arguments[1]}, {"files", files}};
    out << listing.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return 0;
}

int extractFromArchive(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err) {
    if (arguments.size() != 3) {
        err << extractUsageLine << "\n";
        return 2;
    }
    const auto inside = gamedata::archivePathOf(arguments[1]);
    if (!inside) {
        err << "Error: " << arguments[1]
            << " names no file inside an archive (ARCHIVE:INNER\\PATH, the archive a file)\n";
        return 1;
    }
    const auto archive = openArchive(inside->archive, err);
    if (!archive)
        return 1;
    std::string why;
    const auto bytes = archive->read(inside->inner, why);
    if (!bytes) {
        err << "Error: Cannot read from the archive " << inside->archive << ": " << why << ".\n";
        return 1;
    }
    common::FileReplacement file(arguments[2]);
    if (!file.isOpen() || !file.write(bytes->data(), bytes->size()) || !file.commit()) {
        err << "Error: " << arguments[2] << " could not be written"
            << (file.refusal().empty() ? "" : ": " + file.refusal()) << "\n";
        return 1;
    }
    out << "extracted " << inside->inner << " (" << bytes->size() << " bytes) to " << arguments[2]
        << "\n";
    return 0;
}

} // namespace batch
