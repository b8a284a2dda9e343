#include "common/file_fingerprint.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace common {

namespace {

constexpr std::uint64_t fnvOffset = 14695981039346656037ull;
constexpr std::uint64_t fnvPrime = 1099511628211ull;

// The content hash takes eight bytes a step, FNV-1a style, so that a model of megabytes is
// hashed in well under a millisecond; the bytes left over are taken one by one.
class ContentHash {
  public:
    void add(const char* data, std::size_t size) {
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, data + i, 8);
            hash_ = (hash_ ^ word) * fnvPrime;
            hash_ ^= hash_ >> 29;
        }
        for (; i < size; ++i)
            hash_ = (hash_ ^ static_cast<unsigned char>(data[i])) * fnvPrime;
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = fnvOffset;
};

template <typename Number> bool readNumber(std::string_view& text, Number& value, int base = 10) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (result.ec != std::errc() || result.ptr == text.data())
        return false;
    text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
    return true;
}

bool readSpace(std::string_view& text) {
    if (text.empty() || text.front() != ' ')
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::uint64_t stableHash(std::string_view bytes) {
    std::uint64_t hash = fnvOffset;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= fnvPrime;
    }
    return hash;
}

std::optional<FileFingerprint> fingerprintFile(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<FileFingerprint> result;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        ContentHash hash;
        // Chunks of a multiple of eight bytes, so the hash does not depend on how reads end.
        std::vector<char> buffer(256 * 1024);
        std::uint64_t total = 0;
        std::size_t filled = 0;
        bool failed = false;
        for (;;) {
            const auto got = ::read(descriptor, buffer.data() + filled, buffer.size() - filled);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                failed = true;
                break;
            }
            filled += static_cast<std::size_t>(got);
            total += static_cast<std::uint64_t>(got);
            if (got == 0 || filled == buffer.size()) {
                hash.add(buffer.data(), filled);
                filled = 0;
            }
            if (got == 0)
                break;
        }
        if (!failed)
            result = FileFingerprint{total,
                                     static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                                         status.st_mtim.tv_nsec,
                                     hash.value()};
    }
    ::close(descriptor);
    return result;
}

std::string fingerprintText(const FileFingerprint& fingerprint) {
    char hash[17] = {};
    const auto end = std::to_chars(hash, hash + 16, fingerprint.contentHash, 16).ptr;
    return "size " + std::to_string(fingerprint.size) + " modified " +
           std::to_string(fingerprint.modifiedNanoseconds) + " hash " + std::string(hash, end);
}

std::optional<FileFingerprint> parseFingerprint(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    FileFingerprint fingerprint;
    const auto word = [&](std::string_view expected) {
        if (!text.starts_with(expected))
            return false;
        text.remove_prefix(expected.size());
        return readSpace(text);
    };
    if (!word("size") || !readNumber(text, fingerprint.size) || !readSpace(text) ||
        !word("modified") || !readNumber(text, fingerprint.modifiedNanoseconds) ||
        !readSpace(text) || !word("hash") || !readNumber(text, fingerprint.contentHash, 16) ||
        !text.empty())
        return std::nullopt;
    return fingerprint;
}

} // namespace common
