#include "formats/interchange/gltf_materials.h"

#include "textures/image_file.h"
#include "textures/replaceable_colour.h"
#include "textures/texture_error.h"
#include "textures/texture_location.h"

#include <map>

namespace interchange {

namespace {

constexpr std::uint32_t twoSidedFlag = 16;
constexpr std::uint32_t wrapWidthFlag = 1;
constexpr std::uint32_t wrapHeightFlag = 2;

std::uint32_t layerTextureId(const mdx::Layer& layer) {
    // Layers of the newest files name their textures in a list; the first is the colour.
    return layer.textures.empty() ? layer.textureId : layer.textures.front().textureId;
}

// The glTF texture of the model's texture, made on first use; -1 when it cannot be had.
class TextureTable {
  public:
    TextureTable(const mdx::Model& model, const std::filesystem::path& folder,
                 tinygltf::Model& gltf, GltfBuffer& buffer, ImageOutput& images,
                 std::vector<std::string>& warnings)
        : model_(model), folder_(folder), gltf_(gltf), buffer_(buffer), images_(images),
          warnings_(warnings) {}

    int textureOf(std::uint32_t id) {
        const auto found = made_.find(id);
        if (found != made_.end())
            return found->second;
        const int made = make(model_.textures[id]);
        made_.emplace(id, made);
        return made;
    }

  private:
    int make(const mdx::Texture& texture) {
        if (texture.path.empty())
            return -1;
        const auto file = textures::locateTextureFile(texture.path, folder_);
        if (!file) {
            warnings_.push_back("the texture \"" + texture.path +
                                "\" was not found beside the model; its material is exported "
                                "without it");
            return -1;
        }
        std::vector<std::uint8_t> png;
        try {
            png = textures::encodeImage(textures::readImageFile(*file), textures::ImageFormat::Png,
                                        100);
        } catch (const textures::TextureError& error) {
            warnings_.push_back(std::string(error.what()) +
                                "; its material is exported without it");
            return -1;
        }
        tinygltf::Image image;
        image.name = std::filesystem::path(*file).stem().string();
        if (images_.embedded) {
            image.mimeType = "image/png";
            image.bufferView = buffer_.addView(png.data(), png.size(), 0);
        } else {
            image.uri = images_.stem + "_" + std::to_string(images_.files.size()) + ".png";
            images_.files.push_back(std::move(png));
        }
        gltf_.images.push_back(std::move(image));
        tinygltf::Sampler sampler;
        sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        sampler.wrapS = (texture.flags & wrapWidthFlag) ? TINYGLTF_TEXTURE_WRAP_REPEAT
                                                        : TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
        sampler.wrapT = (texture.flags & wrapHeightFlag) ? TINYGLTF_TEXTURE_WRAP_REPEAT
                                                         : TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
        gltf_.samplers.push_back(sampler);
        tinygltf::Texture out;
        out.sampler = static_cast<int>(gltf_.samplers.size() - 1);
        out.source = static_cast<int>(gltf_.images.size() - 1);
        gltf_.textures.push_back(out);
        return static_cast<int>(gltf_.textures.size() - 1);
    }

    const mdx::Model& model_;
    const std::filesystem::path& folder_;
    tinygltf::Model& gltf_;
    GltfBuffer& buffer_;
    ImageOutput& images_;
    std::vector<std::string>& warnings_;
    std::map<std::uint32_t, int> made_;
};

} // namespace

LayerLook layerLook(const mdx::Layer& layer) {
    LayerLook look;
    look.alphaMode = layer.filterMode == 0 ? "OPAQUE" : layer.filterMode == 1 ? "MASK" : "BLEND";
    look.doubleSided = (layer.shadingFlags & twoSidedFlag) != 0;
    return look;
}

const mdx::Texture* firstLayerTexture(const mdx::Model& model, std::size_t material) {
    if (material >= model.materials.size() || model.materials[material].layers.empty())
        return nullptr;
    const std::uint32_t id = layerTextureId(model.materials[material].layers.front());
    return id < model.textures.size() ? &model.textures[id] : nullptr;
}

void addMaterials(const mdx::Model& model, const std::filesystem::path& modelFolder,
                  tinygltf::Model& gltf, GltfBuffer& buffer, ImageOutput& images,
                  std::vector<std::string>& warnings) {
    TextureTable table(model, modelFolder, gltf, buffer, images, warnings);
    for (std::size_t m = 0; m < model.materials.size(); ++m) {
        tinygltf::Material out;
        out.name = "Material " + std::to_string(m);
        out.pbrMetallicRoughness.metallicFactor = 0;
        out.pbrMetallicRoughness.roughnessFactor = 1;
        const auto& layers = model.materials[m].layers;
        if (!layers.empty()) {
            const auto look = layerLook(layers.front());
            out.alphaMode = look.alphaMode;
            if (look.alphaMode == "MASK")
                out.alphaCutoff = 0.75;
            out.doubleSided = look.doubleSided;
            const std::uint32_t id = layerTextureId(layers.front());
            if (id < model.textures.size()) {
                const auto& texture = model.textures[id];
                if (texture.replaceableId != 0) {
                    const auto colour =
                        textures::replaceableColour(static_cast<int>(texture.replaceableId));
                    out.pbrMetallicRoughness.baseColorFactor = {
                        colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0, 1.0};
                } else if (const int index = table.textureOf(id); index >= 0) {
                    out.pbrMetallicRoughness.baseColorTexture.index = index;
                }
            }
        }
        gltf.materials.push_back(std::move(out));
    }
}

} // namespace interchange
