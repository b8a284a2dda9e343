#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// FNV-1a over the bytes: the same number for the same text in every run and on every machine.
std::uint64_t stableHash(std::string_view bytes);

// What tells one content of a file from another: its size, its modification time and a hash
// of all its bytes. Equal only when all three are.
struct FileFingerprint {
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t contentHash = 0;

    bool operator==(const FileFingerprint&) const = default;
};

// The fingerprint of a regular file as it is now; nothing when it cannot be read whole.
std::optional<FileFingerprint> fingerprintFile(const std::filesystem::path& path);

// One line of text for a fingerprint, and the fingerprint read back from it (nothing for any
// other text).
std::string fingerprintText(const FileFingerprint& fingerprint);
std::optional<FileFingerprint> parseFingerprint(std::string_view text);

} // namespace common
