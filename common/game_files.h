#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// The game's own files, named by their path inside the game's data ("\" or "/" between folders,
// any case). Implemented by the game data sources; the texture lookup and the model check ask it
// without knowing where the files come from.
class GameFiles {
  public:
    struct File {
        std::string bytes;
        std::string source; // the archive's or folder's path, for messages and caches
    };

    virtual ~GameFiles() = default;
    // No source at all: messages then do not mention the game data.
    virtual bool empty() const = 0;
    // The first source's file of that name.
    virtual std::optional<File> find(std::string_view name) const = 0;
    // The path of the first source holding that name, without reading the file.
    virtual std::optional<std::string> sourceOf(std::string_view name) const = 0;
};

// The game's team colour and team glow textures of a player (0 red ... 11 dark green).
inline std::string teamColourTexture(int player) {
    char name[64];
    std::snprintf(name, sizeof(name), "ReplaceableTextures\\TeamColor\\TeamColor%02d.blp", player);
    return name;
}
inline std::string teamGlowTexture(int player) {
    char name[64];
    std::snprintf(name, sizeof(name), "ReplaceableTextures\\TeamGlow\\TeamGlow%02d.blp", player);
    return name;
}

} // namespace common
