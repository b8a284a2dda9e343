#include "formats/interchange/gltf_export.h"

#include "common/file_replacement.h"
#include "formats/interchange/gltf_document.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace interchange {

namespace {

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The glTF's text or bytes as tinygltf writes them to a stream. Images are never written by
// tinygltf: they are PNG already, in the buffer or in files of their own.
std::string serialise(const tinygltf::Model& gltf, bool binary) {
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(nullptr, nullptr);
    std::ostringstream stream;
    writer.WriteGltfSceneToStream(&gltf, stream, !binary, binary);
    return std::move(stream).str();
}

// A file name as a relative URI: every byte but the unreserved ones percent-encoded.
std::string uriOf(const std::string& name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::optional<std::string> replaceFile(const std::filesystem::path& path, const void* data,
                                       std::size_t size) {
    common::FileReplacement file(path);
    if (file.isOpen() && file.write(static_cast<const char*>(data), size) && file.commit())
        return std::nullopt;
    return path.string() + " could not be written" +
           (file.refusal().empty() ? "" : ": " + file.refusal());
}

} // namespace

bool isGltfPath(const std::filesystem::path& path) {
    const auto ext = lowerExtension(path);
    return ext == ".glb" || ext == ".gltf";
}

std::vector<std::uint8_t> gltfBinary(const mdx::Model& model,
                                     const std::filesystem::path& modelFolder,
                                     std::vector<std::string>& warnings) {
    ImageOutput images;
    const auto gltf = gltfDocument(model, modelFolder, images, warnings);
    const std::string bytes = serialise(gltf, true);
    return {bytes.begin(), bytes.end()};
}

GltfExport writeGltfFile(const mdx::Model& model, const std::filesystem::path& modelFolder,
                         const std::filesystem::path& path) {
    GltfExport result;
    ImageOutput images;
    images.embedded = lowerExtension(path) == ".glb";
    images.stem = path.stem().string();
    try {
        auto gltf = gltfDocument(model, modelFolder, images, result.warnings);
        result.meshes = gltf.meshes.size();
        result.animations = gltf.animations.size();
        if (images.embedded) {
            const std::string bytes = serialise(gltf, true);
            result.error = replaceFile(path, bytes.data(), bytes.size());
            return result;
        }
        // The buffer goes beside the text, which names it; tinygltf would write it inline.
        std::vector<unsigned char> data;
        if (!gltf.buffers.empty())
            data.swap(gltf.buffers[0].data);
        for (auto& image : gltf.images)
            image.uri = uriOf(image.uri);
        auto json = nlohmann::json::parse(serialise(gltf, false));
        const std::string binName = images.stem + ".bin";
        if (!data.empty()) {
            json["buffers"][0] = {{"byteLength", data.size()}, {"uri", uriOf(binName)}};
            if ((result.error =
                     replaceFile(path.parent_path() / binName, data.data(), data.size())))
                return result;
        }
        for (std::size_t i = 0; i < images.files.size(); ++i) {
            const auto name = images.stem + "_" + std::to_string(i) + ".png";
            if ((result.error = replaceFile(path.parent_path() / name, images.files[i].data(),
                                            images.files[i].size())))
                return result;
        }
        const std::string text = json.dump(2) + "\n";
        result.error = replaceFile(path, text.data(), text.size());
    } catch (const std::bad_alloc&) {
        result.error = "the model is too large to export in the memory there is";
    } catch (const nlohmann::json::exception& error) {
        result.error = std::string("the glTF text could not be made: ") + error.what();
    }
    return result;
}

} // namespace interchange
