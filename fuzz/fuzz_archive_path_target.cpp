// Splits any text as a path inside an archive. The name inside is always in the archive's form
// (no "/", no empty or "." folder, no separator at either end), giving it that form again
// changes nothing, and the archive part is a prefix of the text that the test accepted.
#include "gamedata/archive_path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool endsWithArchiveExtension(const std::string& path) {
    const std::string folded = gamedata::foldedName(path);
    return folded.size() >= 4 && (folded.ends_with(".w3x") || folded.ends_with(".mpq"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto split = gamedata::splitArchivePath(text, endsWithArchiveExtension);
    const std::string inner = gamedata::innerName(text);
    require(gamedata::innerName(inner) == inner);
    require(inner.find('/') == std::string::npos);
    require(inner.empty() || (inner.front() != '\\' && inner.back() != '\\'));
    require(inner.find("\\\\") == std::string::npos);
    require(gamedata::foldedName(text).size() == text.size());
    if (split) {
        require(endsWithArchiveExtension(split->archive));
        require(text.compare(0, split->archive.size(), split->archive) == 0);
        require(text[split->archive.size()] == ':');
        require(!split->inner.empty());
        require(split->inner == gamedata::innerName(text.substr(split->archive.size() + 1)));
    }
    return 0;
}
