#include "check_models.h"

#include "json_text.h"
#include "model_file.h"

#include "formats/check/model_check.h"
#include "gamedata/archive_path.h"
#include "gamedata/game_data.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace batch {

const char* const checkUsageLine =
    "   or: moldrin-batch --check PATH... [--json] [--fix OUT_DIR] [--game-data PATH]...";

namespace {

namespace fs = std::filesystem;

struct CheckRequest {
    std::vector<std::string> paths;
    bool json = false;
    std::optional<fs::path> fixFolder;
    std::vector<std::string> gameData;
    std::vector<std::string> sources; // the game data sources searched, in order
    const textures::TextureSource* textureSource = &textures::besideModelOnly();
};

struct FileResult {
    std::string path;
    std::string readFailure; // empty when the model was read
    check::Problems problems;
    check::Changes changes;   // what the fixes changed
    std::string fixedPath;    // where the fixed model was written
    std::string writeFailure; // why it was not
    std::vector<std::string> dropped;
};

bool isModelName(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".mdl" || ext == ".mdx";
}

// The files named, and the models in the folders named, each folder's sorted by path.
std::vector<std::string> modelFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const auto& path : paths) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            files.push_back(path); // a file that cannot be read is reported as such
            continue;
        }
        std::vector<std::string> found;
        const auto options = fs::directory_options::skip_permission_denied;
        for (fs::recursive_directory_iterator it(path, options, error), end; !error && it != end;
             it.increment(error))
            if (it->is_regular_file(error) && isModelName(it->path()))
                found.push_back(it->path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

FileResult checkFile(const std::string& path, const CheckRequest& request) {
    FileResult result;
    result.path = path;
    auto read = readModelFile(path);
    if (!read.ok()) {
        result.readFailure = read.failure(path);
        return result;
    }
    if (const auto inside = gamedata::archivePathOf(path)) {
        // The archive's own textures come first, before the game data; beside the model is
        // beside the archive.
        gamedata::GameData gameData;
        gameData.setSources(request.sources);
        std::string ignored; // it was read a moment ago
        gameData.setModelArchive(gamedata::MpqArchive::open(inside->archive, ignored));
        const textures::TextureSource textureSource(&gameData);
        result.problems =
            check::checkModel(read.model, fs::path(inside->archive).parent_path(), textureSource);
    } else {
        result.problems =
            check::checkModel(read.model, fs::path(path).parent_path(), *request.textureSource);
    }
    if (!request.fixFolder)
        return result;
    result.changes = check::applyCertainFixes(read.model);
    if (result.changes.empty())
        return result;
    result.fixedPath = (*request.fixFolder / modelFileName(path)).string();
    if (const auto failure =
            writeModelFile(result.fixedPath, read.model, read.format, result.dropped))
        result.writeFailure = failure->empty() ? "could not be written" : *failure;
    return result;
}

// Checks the files on all cores; a progress line on a terminal.
std::vector<FileResult> checkAll(const std::vector<std::string>& files, const CheckRequest& request,
                                 std::ostream& err) {
    std::vector<FileResult> results(files.size());
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::mutex progress;
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    const auto work = [&] {
        for (std::size_t i; (i = next++) < files.size();) {
            results[i] = checkFile(files[i], request);
            if (!terminal)
                continue;
            const std::lock_guard lock(progress);
            err << "\rchecked " << ++done << " of " << files.size() << " models" << std::flush;
        }
    };
    const auto cores = std::max(1u, std::thread::hardware_concurrency());
    const auto workers = std::min<std::size_t>(cores, files.size());
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < workers; ++t)
        threads.emplace_back(work);
    work();
    for (auto& thread : threads)
        thread.join();
    if (terminal && !files.empty())
        err << "\r\033[K" << std::flush;
    return results;
}

void printText(const FileResult& r, std::ostream& out) {
    for (const auto& p : r.problems)
        out << r.path << ": " << check::severityName(p.severity) << " " << p.id << ": " << p.message
            << "\n";
    if (!r.fixedPath.empty() && r.writeFailure.empty()) {
        out << r.path << ": fixed into " << r.fixedPath << ":";
        for (std::size_t i = 0; i < r.changes.size(); ++i)
            out << (i ? "; " : " ") << r.changes[i];
        out << "\n";
    }
}

template <class List> std::string jsonNumbers(const List& list) {
    std::string text = "[";
    for (std::size_t i = 0; i < list.size(); ++i)
        text += (i ? "," : "") + std::to_string(list[i]);
    return text + "]";
}

void printJson(const FileResult& r, std::ostream& out) {
    out << "{\"path\":" << jsonString(r.path);
    if (!r.readFailure.empty())
        out << ",\"error\":" << jsonString(r.readFailure);
    out << ",\"problems\":[";
    for (std::size_t i = 0; i < r.problems.size(); ++i) {
        const auto& p = r.problems[i];
        out << (i ? "," : "") << "{\"id\":" << jsonString(p.id)
            << ",\"severity\":" << jsonString(check::severityName(p.severity))
            << ",\"message\":" << jsonString(p.message)
            << ",\"geoset\":" << (p.geoset < 0 ? "null" : std::to_string(p.geoset + 1))
            << ",\"vertices\":" << jsonNumbers(p.vertices) << ",\"faces\":" << jsonNumbers(p.faces)
            << ",\"node\":" << (p.node.empty() ? "null" : jsonString(p.node)) << "}";
    }
    out << "]";
    if (!r.fixedPath.empty() && r.writeFailure.empty()) {
        out << ",\"fixed\":{\"path\":" << jsonString(r.fixedPath) << ",\"changes\":[";
        for (std::size_t i = 0; i < r.changes.size(); ++i)
            out << (i ? "," : "") << jsonString(r.changes[i]);
        out << "]}";
    }
    out << "}\n";
}

// Reads the arguments after --check; nothing after printing why they are wrong.
std::optional<CheckRequest> parseRequest(const std::vector<std::string>& arguments,
                                         std::ostream& err) {
    CheckRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--json") {
            request.json = true;
        } else if (arguments[i] == "--fix") {
            if (i + 1 >= arguments.size() || request.fixFolder) {
                err << checkUsageLine << "\n";
                return std::nullopt;
            }
            request.fixFolder = fs::path(arguments[++i]);
        } else if (arguments[i] == "--game-data") {
            if (i + 1 >= arguments.size()) {
                err << checkUsageLine << "\n";
                return std::nullopt;
            }
            request.gameData.push_back(arguments[++i]);
        } else {
            request.paths.push_back(arguments[i]);
        }
    }
    if (request.paths.empty()) {
        err << checkUsageLine << "\n";
        return std::nullopt;
    }
    return request;
}

// Refuses a fix folder that would take two models of one name, or hold an input itself.
bool fixFolderUsable(const fs::path& folder, const std::vector<std::string>& files,
                     std::ostream& err) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        err << "moldrin-batch: --fix needs a folder, and " << folder.string()
            << " is not one that can be made\n";
        return false;
    }
    std::map<std::string, std::string> names;
    for (const auto& file : files) {
        const auto name = modelFileName(file);
        const auto [at, inserted] = names.emplace(name, file);
        if (!inserted) {
            err << "moldrin-batch: --fix would write " << at->second << " and " << file
                << " to the same " << (folder / name).string() << "\n";
            return false;
        }
        if (fs::equivalent(folder / name, file, error)) {
            err << "moldrin-batch: --fix would write over " << file << "; choose another folder\n";
            return false;
        }
    }
    return true;
}

} // namespace

int checkModels(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    auto request = parseRequest(arguments, err);
    if (!request)
        return 2;
    request->sources =
        gamedata::sourcesInOrder(request->gameData, std::getenv(gamedata::gameDataVariable));
    gamedata::GameData gameData;
    gameData.setSources(request->sources);
    for (const auto& problem : gameData.problems())
        err << "Warning: " << problem << "\n";
    const textures::TextureSource textureSource(&gameData);
    request->textureSource = &textureSource;
    const auto files = modelFiles(request->paths);
    if (request->fixFolder && !fixFolderUsable(*request->fixFolder, files, err))
        return 2;
    const auto results = checkAll(files, *request, err);
    int status = 0;
    for (const auto& r : results) {
        if (!r.readFailure.empty()) {
            err << "Error: " << r.readFailure << "\n";
            status = 2;
        }
        if (!r.dropped.empty())
            err << "Warning: " << r.fixedPath << ": the MDL text cannot hold "
                << mdx::droppedList(r.dropped) << "; these were left out\n";
        if (!r.writeFailure.empty()) {
            err << "Error: " << r.fixedPath << " could not be written: " << r.writeFailure << "\n";
            status = std::max(status, 1);
        }
        if (check::hasError(r.problems))
            status = std::max(status, 1);
        if (request->json)
            printJson(r, out);
        else
            printText(r, out);
    }
    return status;
}

} // namespace batch
