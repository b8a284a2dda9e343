#include "support/temp_folder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("moldrin-test-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++) + "-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Folders made read-only by a test must be writable again before they can be emptied.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
        if (entry.is_directory(error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::string TempFolder::file(const std::string& name) const {
    return (path_ / name).string();
}

std::string TempFolder::write(const std::string& name, const std::string& text) const {
    const auto target = path_ / name;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out)
        throw std::runtime_error("cannot write " + target.string());
    return target.string();
}

std::string TempFolder::copyIn(const std::filesystem::path& source, const std::string& name) const {
    const auto target = path_ / name;
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    // Copies of read-only sources (the corpus) must stay writable for the tests.
    std::filesystem::permissions(
        target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
        std::filesystem::perm_options::add);
    return target.string();
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string testDataPath(const std::string& relative) {
    return (std::filesystem::path(MOLDRIN_TEST_DATA_DIR) / relative).string();
}

std::string readTestData(const std::string& relative) {
    return readFile(testDataPath(relative));
}

} // namespace testing_support
