#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace textures {

// Finds a texture file named in a model: backslashes and slashes both separate folders, and
// each component matches case-insensitively. Looked up relative to the model's folder, then to
// each of its parents, up to three levels up. Nothing when no file matches.
std::optional<std::filesystem::path> locateTextureFile(const std::string& imagePath,
                                                       const std::filesystem::path& modelFolder);

} // namespace textures
