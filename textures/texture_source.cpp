#include "textures/texture_source.h"

#include "textures/image_file.h"
#include "textures/texture_error.h"
#include "textures/texture_location.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace textures {

namespace {

// Game data names are the same file whatever their case and separator.
std::string gameKey(const TextureOrigin& origin) {
    std::string name = origin.name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    });
    return "game\n" + origin.gameSource + "\n" + name;
}

// A file beside the model is known by its path and its state on disk, so a changed file is
// decoded anew.
std::string fileKey(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    const auto time = std::filesystem::last_write_time(file, error);
    return "file\n" + file.lexically_normal().string() + "\n" + std::to_string(size) + "\n" +
           std::to_string(time.time_since_epoch().count());
}

} // namespace

std::string TextureOrigin::where() const {
    return inGameData() ? gameSource + ": " + name : file.string();
}

std::optional<std::string> replaceableTextureName(int replaceableId) {
    if (replaceableId == 1)
        return common::teamColourTexture(0);
    if (replaceableId == 2)
        return common::teamGlowTexture(0);
    return std::nullopt;
}

const TextureSource& besideModelOnly() {
    static const TextureSource source;
    return source;
}

void TextureSource::setGameFiles(const common::GameFiles* gameFiles) {
    std::lock_guard lock(mutex_);
    gameFiles_ = gameFiles;
    decoded_.clear();
}

std::optional<TextureOrigin> TextureSource::locate(const std::string& imagePath,
                                                   const std::filesystem::path& modelFolder) const {
    if (auto file = locateTextureFile(imagePath, modelFolder))
        return TextureOrigin{std::move(*file), {}, imagePath};
    if (!gameFiles_ || imagePath.empty())
        return std::nullopt;
    if (auto source = gameFiles_->sourceOf(imagePath))
        return TextureOrigin{{}, std::move(*source), imagePath};
    return std::nullopt;
}

TextureSource::Decoded TextureSource::decode(const std::string& imagePath,
                                             const std::filesystem::path& modelFolder) const {
    auto origin = locate(imagePath, modelFolder);
    if (!origin)
        return {};
    return decodeFound(std::move(*origin));
}

TextureSource::Decoded TextureSource::decodeReplaceable(int replaceableId) const {
    const auto name = replaceableTextureName(replaceableId);
    if (!name || !gameFiles_)
        return {};
    auto source = gameFiles_->sourceOf(*name);
    if (!source)
        return {};
    return decodeFound(TextureOrigin{{}, std::move(*source), *name});
}

TextureSource::Decoded TextureSource::decodeFound(TextureOrigin origin) const {
    Decoded result;
    const std::string key = origin.inGameData() ? gameKey(origin) : fileKey(origin.file);
    {
        std::lock_guard lock(mutex_);
        if (const auto cached = decoded_.find(key); cached != decoded_.end())
            result.image = cached->second.lock();
    }
    if (result.image) {
        result.origin = std::move(origin);
        return result;
    }
    try {
        if (origin.inGameData()) {
            const auto found = gameFiles_ ? gameFiles_->find(origin.name) : std::nullopt;
            if (!found)
                throw TextureError("\"" + origin.where() + "\" cannot be read");
            const auto* data = reinterpret_cast<const std::uint8_t*>(found->bytes.data());
            try {
                result.image = std::make_shared<const common::RgbaImage>(
                    decodeImage(Bytes(data, found->bytes.size())));
            } catch (const TextureError& error) {
                throw TextureError("\"" + origin.where() + "\" cannot be read: " + error.what());
            }
        } else {
            result.image = std::make_shared<const common::RgbaImage>(readImageFile(origin.file));
        }
    } catch (const TextureError& error) {
        result.problem = error.what();
    } catch (const std::bad_alloc&) {
        result.problem = "\"" + origin.where() + "\" is too large to hold in memory";
    }
    if (result.image) {
        std::lock_guard lock(mutex_);
        std::erase_if(decoded_, [](const auto& entry) { return entry.second.expired(); });
        decoded_[key] = result.image;
    }
    result.origin = std::move(origin);
    return result;
}

} // namespace textures
