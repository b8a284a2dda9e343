#include "editor/editing/working_copy.h"

#include "common/file_fingerprint.h"
#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/model/model_document.h"
#include "editor/model/model_writer.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace editor {

namespace {

// More editors than this on one model are not expected; past it no copy is claimed.
constexpr int maxCopiesPerModel = 99;

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The name of the numbered file that keeps recovered edits: name_recovered.mdl, then
// name_recovered2.mdl and on.
std::string recoveredTextPath(const std::filesystem::path& folder, const std::string& stem,
                              int number) {
    const std::string suffix =
        number == 1 ? "_recovered.mdl" : "_recovered" + std::to_string(number) + ".mdl";
    return (folder / (stem + suffix)).string();
}

std::optional<ClaimedWorkingCopy> claimAmong(const std::string& modelPath, bool inCache,
                                             bool& folderRefused) {
    const std::string model = absolutePath(modelPath);
    const std::string cache = inCache ? userCacheFolder() : std::string();
    if (inCache) {
        std::error_code error;
        std::filesystem::create_directories(cache, error);
    }
    for (int number = 1; number <= maxCopiesPerModel; ++number) {
        const std::string path = inCache ? cachedWorkingCopyPath(modelPath, cache, number)
                                         : workingCopyPath(modelPath, number);
        if (absolutePath(path) == model)
            continue;
        common::FileLock::Failure failure{};
        auto lock = common::FileLock::tryAcquire(workingCopyLockPath(path), &failure);
        if (lock) {
            std::error_code error;
            const bool stale = std::filesystem::exists(path, error);
            return ClaimedWorkingCopy{path, std::move(lock), stale};
        }
        if (failure == common::FileLock::Failure::CannotCreate) {
            folderRefused = true;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

std::string workingCopyLockPath(const std::string& copyPath) {
    return copyPath + ".lock";
}

std::string recoveryFilePath(const std::string& copyPath) {
    return copyPath + ".recovery";
}

std::string workingCopyOriginPath(const std::string& copyPath) {
    return copyPath + ".origin";
}

bool recordWorkingCopyOrigin(const std::string& copyPath, const std::string& modelPath) {
    const std::string record = workingCopyOriginPath(copyPath);
    if (!common::deleteFile(recoveryFilePath(copyPath))) {
        // Edits that stay beside a copy made anew must not look as if made on this model.
        common::deleteFile(record);
        return false;
    }
    const auto model = common::fingerprintFile(modelPath);
    if (!model) {
        common::deleteFile(record);
        return false;
    }
    return common::writeTextOver(common::fingerprintText(*model) + "\n", copyPath, record,
                                 common::Durability::Scratch);
}

CopyOrigin workingCopyOrigin(const std::string& copyPath, const std::string& modelPath) {
    const auto text = common::readTextFile(workingCopyOriginPath(copyPath));
    const auto recorded = text ? common::parseFingerprint(*text) : std::nullopt;
    const auto now = common::fingerprintFile(modelPath);
    if (!recorded || !now)
        return CopyOrigin::Unknown;
    return *recorded == *now ? CopyOrigin::ThisModel : CopyOrigin::ModelSavedSince;
}

std::optional<std::string> keepRecoveredText(std::string_view text, const std::string& modelPath,
                                             const std::string& copyPath) {
    const std::filesystem::path model(modelPath);
    const std::string stem = model.stem().string();
    std::vector<std::filesystem::path> folders{model.parent_path()};
    const auto copyFolder = std::filesystem::path(copyPath).parent_path();
    if (absolutePath(recoveredTextPath(copyFolder, stem, 1)) !=
        absolutePath(recoveredTextPath(folders[0], stem, 1)))
        folders.push_back(copyFolder);
    for (const auto& folder : folders) {
        for (int number = 1; number <= maxCopiesPerModel; ++number) {
            const std::string path = recoveredTextPath(folder, stem, number);
            std::error_code error;
            if (std::filesystem::symlink_status(path, error).type() !=
                std::filesystem::file_type::not_found)
                continue;
            if (common::createFileWith(path, text))
                return path;
            // Taken between the look and the write: the next number. Otherwise the folder
            // takes no new file.
            if (std::filesystem::symlink_status(path, error).type() ==
                std::filesystem::file_type::not_found)
                break;
        }
    }
    return std::nullopt;
}

std::string userCacheFolder() {
    const char* cacheHome = std::getenv("XDG_CACHE_HOME");
    if (cacheHome && *cacheHome == '/')
        return std::string(cacheHome) + "/moldrin";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/moldrin";
}

std::string cachedWorkingCopyPath(const std::string& modelPath, const std::string& cacheFolder,
                                  int number) {
    const std::filesystem::path model(absolutePath(modelPath));
    const std::string folderTag =
        std::to_string(common::stableHash(model.parent_path().string()) % 1000000007ull);
    const std::string name =
        (std::filesystem::path(cacheFolder) / (folderTag + "-" + model.filename().string()))
            .string();
    return workingCopyPath(name, number);
}

std::optional<ClaimedWorkingCopy> claimWorkingCopy(const std::string& modelPath) {
    bool folderRefused = false;
    if (auto beside = claimAmong(modelPath, false, folderRefused))
        return beside;
    if (!folderRefused)
        return std::nullopt;
    return claimAmong(modelPath, true, folderRefused);
}

bool isHeldWorkingCopy(const std::string& path) {
    return common::isLockHeld(workingCopyLockPath(path));
}

void releaseWorkingCopy(EditingState& state) {
    if (!state.tempPath.empty() && absolutePath(state.tempPath) != absolutePath(state.modelPath)) {
        // The record first: a copy left without it is of unknown origin, never taken as current.
        common::deleteFile(workingCopyOriginPath(state.tempPath));
        common::deleteFile(state.tempPath);
        common::deleteFile(recoveryFilePath(state.tempPath));
    }
    state.workingCopy = {};
}

bool storeRecoveryFile(EditingState& state) {
    if (!state.unsavedChanges || !state.modelLoaded || state.tempPath.empty() ||
        savingRemovesGeoset(state))
        return false;
    const SharedDocument document = heldDocument(state);
    if (!document)
        return false;
    common::AtomicFileWriter out(recoveryFilePath(state.tempPath));
    if (!out.isOpen())
        return false;
    writeModelFromText(document->text(), state, false, out);
    return out.commit();
}

} // namespace editor
