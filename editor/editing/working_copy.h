#pragma once

#include "common/file_lock.h"

#include <memory>
#include <optional>
#include <string>

namespace editor {

struct EditingState;

// The working copy an editor holds: the model it was made for and the lock that keeps other
// editors from using or deleting it. The copy's path is GeosetModel::tempPath.
struct HeldWorkingCopy {
    std::string modelPath;
    std::shared_ptr<common::FileLock> lock;
};

// A working copy claimed for a model, not yet written.
struct ClaimedWorkingCopy {
    std::string path;
    std::shared_ptr<common::FileLock> lock;
    // A copy left by an earlier run that crashed lies at path: no running editor holds it.
    bool staleCopyFound = false;
};

// The lock file of a working copy.
std::string workingCopyLockPath(const std::string& copyPath);
// Where the window keeps the edits it has not saved, beside the working copy, for recovery.
std::string recoveryFilePath(const std::string& copyPath);

// The folder for working copies of models in folders that take no new files: $XDG_CACHE_HOME
// or ~/.cache, then "moldrin".
std::string userCacheFolder();

// A working copy's path in the cache folder: the model's name, a number made from its folder,
// then "_TMP.tdl" numbered as beside the model.
std::string cachedWorkingCopyPath(const std::string& modelPath, const std::string& cacheFolder,
                                  int number);

// Claims the first working copy of the model that no running editor holds: beside the model,
// or in the user's cache folder when the model's folder takes no new files. The model file
// itself is never one. Nothing when no copy can be claimed.
std::optional<ClaimedWorkingCopy> claimWorkingCopy(const std::string& modelPath);

// True when the file is the working copy of a model that a running editor holds.
bool isHeldWorkingCopy(const std::string& path);

// Deletes the editor's working copy, its recovery file and its lock.
void releaseWorkingCopy(EditingState& state);

// Writes the model as it would be saved now into the recovery file beside the working copy, for
// a later open to offer after a crash. Nothing without unsaved changes; false on failure.
bool storeRecoveryFile(EditingState& state);

} // namespace editor
