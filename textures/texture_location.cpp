#include "textures/texture_location.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace textures {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The entry of folder whose name equals name ignoring case; an exact match first.
std::optional<std::filesystem::path> entryIgnoringCase(const std::filesystem::path& folder,
                                                       const std::string& name) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error))
        return folder / name;
    const auto wanted = lower(name);
    std::optional<std::filesystem::path> found;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const auto candidate = it->path().filename().string();
        if (lower(candidate) == wanted && (!found || candidate < found->filename().string()))
            found = it->path();
    }
    return found;
}

} // namespace

std::optional<std::filesystem::path> locateTextureFile(const std::string& imagePath,
                                                       const std::filesystem::path& modelFolder) {
    std::vector<std::string> components;
    std::string part;
    for (char c : imagePath + "\\") {
        if (c == '\\' || c == '/') {
            if (!part.empty() && part != ".")
                components.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (components.empty())
        return std::nullopt;
    std::filesystem::path base = modelFolder.empty() ? std::filesystem::path(".") : modelFolder;
    for (int up = 0; up <= 3; ++up) {
        std::optional<std::filesystem::path> at = base;
        for (const auto& component : components) {
            at = component == ".." ? std::optional(*at / "..") : entryIgnoringCase(*at, component);
            if (!at)
                break;
        }
        std::error_code error;
        if (at && std::filesystem::is_regular_file(*at, error))
            return at;
        const auto parent = std::filesystem::weakly_canonical(base, error).parent_path();
        if (error || parent == std::filesystem::weakly_canonical(base, error))
            break;
        base = parent;
    }
    return std::nullopt;
}

} // namespace textures
