#pragma once

#include "common/file_lock.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

// Beside the working copy: the fingerprint (common/file_fingerprint.h) of the model file the
// copy was made from, so that recovery offers a crashed run's edits only on top of that file.
std::string workingCopyOriginPath(const std::string& copyPath);

// Called each time the working copy was made anew from the model file as it is now (open, save,
// Switch Geoset): removes the recovery file, whose edits were made on the copy before, then
// records the model's fingerprint. In this order, and only after the copy is in place, so that a
// run killed at any point leaves no edits that seem made on a model file they were not made on.
// False when the record cannot be written: a later recovery then cannot tell, and asks as such.
bool recordWorkingCopyOrigin(const std::string& copyPath, const std::string& modelPath);

// What a crashed run's working copy was made from, told by its record and the model file now.
// Unknown: no record that can be read (a copy of an older version) or a model that cannot.
enum class CopyOrigin { ThisModel, ModelSavedSince, Unknown };
CopyOrigin workingCopyOrigin(const std::string& copyPath, const std::string& modelPath);

// Keeps recovered model text in a new file: name_recovered.mdl beside the model, else
// name_recovered2.mdl and so on, never over a file that is there; in the working copy's folder
// when the model's takes no new files. MDL text whatever the model's format. The path written,
// or nothing when no file could be written.
std::optional<std::string> keepRecoveredText(std::string_view text, const std::string& modelPath,
                                             const std::string& copyPath);

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

// Deletes the editor's working copy, its origin record, its recovery file and its lock.
void releaseWorkingCopy(EditingState& state);

// Writes the model as it would be saved now into the recovery file beside the working copy, for
// a later open to offer after a crash. Nothing without unsaved changes; false on failure.
bool storeRecoveryFile(EditingState& state);

} // namespace editor
