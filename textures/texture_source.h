#pragma once

#include "common/game_files.h"
#include "common/rgba_image.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace textures {

// Where a model's texture was found: a file beside the model, or a file of the game's data.
struct TextureOrigin {
    std::filesystem::path file; // the file beside the model; empty when in the game data
    std::string gameSource;     // the game data source holding it
    std::string name;           // the name asked of the game data

    bool inGameData() const { return file.empty(); }
    // For messages: the file's path, or "SOURCE: NAME".
    std::string where() const;
};

// The one lookup of a model's textures, for the 3D view, the texture editor, the model check and
// the merger: beside the model first (locateTextureFile's rules), then the game data sources in
// order. Decoded pictures are shared by path and source while anyone holds them, so a texture
// shown by both views or kept across a rebuild of the scene is decoded once.
class TextureSource {
  public:
    explicit TextureSource(const common::GameFiles* gameFiles = nullptr) : gameFiles_(gameFiles) {}
    TextureSource(const TextureSource&) = delete;
    TextureSource& operator=(const TextureSource&) = delete;

    // The game data asked after the model's folder; nullptr for none. Not owned.
    void setGameFiles(const common::GameFiles* gameFiles);
    const common::GameFiles* gameFiles() const { return gameFiles_; }
    // Whether a texture not beside the model is looked for anywhere else.
    bool asksGameData() const { return gameFiles_ && !gameFiles_->empty(); }

    std::optional<TextureOrigin> locate(const std::string& imagePath,
                                        const std::filesystem::path& modelFolder) const;

    struct Decoded {
        std::shared_ptr<const common::RgbaImage> image; // nullptr when not shown
        std::optional<TextureOrigin> origin;            // nothing when not found at all
        std::string problem;                            // one sentence when found but not decoded
    };
    Decoded decode(const std::string& imagePath, const std::filesystem::path& modelFolder) const;
    // A replaceable texture's picture from the game data (team colour 1 and team glow 2, of
    // player 0); no image when there is no such picture or no game data holds it.
    Decoded decodeReplaceable(int replaceableId) const;

  private:
    Decoded decodeFound(TextureOrigin origin) const;

    const common::GameFiles* gameFiles_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, std::weak_ptr<const common::RgbaImage>> decoded_;
};

// A source without game data: beside the model only.
const TextureSource& besideModelOnly();

// The game's name of a replaceable texture's picture (1 team colour, 2 team glow) of player 0,
// red; nothing for the others, which have no picture of their own.
std::optional<std::string> replaceableTextureName(int replaceableId);

} // namespace textures
