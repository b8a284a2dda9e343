#include "editor/editing/working_copy.h"

#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/model/model_writer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace editor {

namespace {

// More editors than this on one model are not expected; past it no copy is claimed.
constexpr int maxCopiesPerModel = 99;

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// FNV-1a: the same number for the same folder in every run.
std::uint64_t stableHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
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
        std::to_string(stableHash(model.parent_path().string()) % 1000000007ull);
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
        common::deleteFile(state.tempPath);
        common::deleteFile(recoveryFilePath(state.tempPath));
    }
    state.workingCopy = {};
}

bool storeRecoveryFile(EditingState& state) {
    if (!state.unsavedChanges || !state.modelLoaded || state.tempPath.empty() ||
        savingRemovesGeoset(state))
        return false;
    const auto lines = common::readAllLines(state.tempPath);
    if (!lines)
        return false;
    common::AtomicFileWriter out(recoveryFilePath(state.tempPath));
    if (!out.isOpen())
        return false;
    writeModel(*lines, state, false, out);
    return out.commit();
}

} // namespace editor
