#include "common/file_replacement.h"

#include "common/file_kind.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <stdio.h> // renameat2
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace common {

namespace {

constexpr int maximumLinkHops = 40;
constexpr auto staleAge = std::chrono::hours(1);

// The path with every symbolic link on its end followed; a link that points nowhere gives the
// path it points to, so saving through it creates that file. Nothing for a loop of links.
std::optional<std::filesystem::path> followLinks(std::filesystem::path path) {
    for (int hop = 0; hop < maximumLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::error_code error;
        const auto link = std::filesystem::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return std::nullopt;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Makes the rename itself last: without it a crash can lose the new name even though the data
// was flushed.
void syncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool processIsRunning(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

} // namespace

std::string temporaryNameFor(const std::string& targetName) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    return targetName + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
           "-" + std::to_string(random() % 100000);
}

bool isTemporaryOf(const std::string& name, const std::string& targetName, pid_t& pid) {
    const std::string prefix = targetName + ".part-";
    if (!name.starts_with(prefix))
        return false;
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const auto first = rest.find('-');
    const auto second = first == std::string_view::npos ? first : rest.find('-', first + 1);
    if (second == std::string_view::npos)
        return false;
    const auto pidText = rest.substr(0, first);
    if (!allDigits(pidText) || pidText.size() > 9 ||
        !allDigits(rest.substr(first + 1, second - first - 1)) ||
        !allDigits(rest.substr(second + 1)))
        return false;
    pid = static_cast<pid_t>(std::stol(std::string(pidText)));
    return true;
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    const auto targetName = target.filename().string();
    std::error_code error;
    std::filesystem::directory_iterator entries(folderOf(target), error);
    if (error)
        return;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : entries) {
        pid_t pid = 0;
        if (!isTemporaryOf(entry.path().filename().string(), targetName, pid) ||
            !entry.is_regular_file(error) || entry.is_symlink(error))
            continue;
        const auto modified = entry.last_write_time(error);
        const bool old = !error && now - modified > staleAge;
        if (!processIsRunning(pid) || old)
            std::filesystem::remove(entry.path(), error);
    }
}

FileReplacement::FileReplacement(const std::filesystem::path& path, std::optional<mode_t> mode,
                                 Durability durability)
    : durability_(durability) {
    if (path.empty())
        return;
    const auto followed = followLinks(path);
    if (!followed) {
        refusal_ = "its symbolic links form a loop";
        return;
    }
    target_ = *followed;

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return;
    if (exists) {
        const auto kind = nonRegularKind(existing.st_mode);
        if (!kind.empty()) {
            refusal_ = "it is " + kind + ", not a regular file";
            return;
        }
        if (existing.st_nlink > 1) {
            refusal_ = "it has " + std::to_string(existing.st_nlink) +
                       " hard links, which replacing it would separate; save it under another "
                       "name";
            return;
        }
        // A file that may not be written is not replaced either, as a plain write would fail.
        if (::access(target_.c_str(), W_OK) != 0)
            return;
        owner_ = existing.st_uid;
        group_ = existing.st_gid;
    }
    finalMode_ = mode     ? mode
                 : exists ? std::optional<mode_t>(existing.st_mode & 07777)
                          : std::nullopt;
    // Created with the final permissions already (less the umask), so that a half-written copy
    // of a private model is never readable by others.
    const mode_t createMode = finalMode_ ? (*finalMode_ & 0777) : 0666;
    temporary_ = folderOf(target_) / temporaryNameFor(target_.filename().string());
    descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
    if (descriptor_ < 0)
        temporary_.clear();
}

FileReplacement::~FileReplacement() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

bool FileReplacement::write(const char* data, std::size_t size) {
    if (descriptor_ < 0 || failed_)
        return false;
    while (size > 0) {
        const auto written = ::write(descriptor_, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failed_ = true;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

namespace {

void closeOnASecondThread(int descriptor) {
    try {
        std::thread([descriptor] { ::close(descriptor); }).detach();
    } catch (const std::system_error&) {
        ::close(descriptor); // no thread to be had: the release waits after all
    }
}

} // namespace

bool FileReplacement::putInPlace(Placement placement) {
    if (placement == Placement::New)
        return ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(),
                           RENAME_NOREPLACE) == 0;
    // A scratch copy trades places with the file it replaces, which then goes: renamed over a
    // file, its blocks would be written with whatever flush comes next (the file system's guard
    // against empty files after a crash), such as the next save's, which would wait for them.
    if (durability_ == Durability::Scratch && ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD,
                                                          target_.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporary_.c_str());
        return true;
    }
    return ::rename(temporary_.c_str(), target_.c_str()) == 0;
}

bool FileReplacement::commit() {
    return finish(Placement::Replace);
}

bool FileReplacement::commitAsNew() {
    return finish(Placement::New);
}

bool FileReplacement::finish(Placement placement) {
    if (descriptor_ < 0 || failed_ || committed_)
        return false;
    if (owner_ && ::fchown(descriptor_, *owner_, *group_) != 0) {
        // Only the superuser may give a file away; the group may still be one of ours.
        [[maybe_unused]] const int ignored = ::fchown(descriptor_, static_cast<uid_t>(-1), *group_);
    }
    // After the owner: changing it clears the set-id bits.
    if (finalMode_ && ::fchmod(descriptor_, *finalMode_) != 0)
        return false;
    const bool synced = durability_ == Durability::Scratch || ::fsync(descriptor_) == 0;
    const bool closed = ::close(descriptor_) == 0;
    descriptor_ = -1;
    if (!synced || !closed)
        return false;
    // The file replaced goes with its last name, and its pages are released then: for a file of
    // megabytes that takes as long as writing it. Held open past the rename, it is let go by a
    // second thread instead of on the way of the save.
    const int replaced = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (!putInPlace(placement)) {
        if (replaced >= 0)
            ::close(replaced);
        return false;
    }
    if (replaced >= 0)
        closeOnASecondThread(replaced);
    committed_ = true;
    if (durability_ == Durability::Flushed)
        syncFolder(folderOf(target_));
    removeStaleTemporaries(target_);
    return true;
}

} // namespace common
