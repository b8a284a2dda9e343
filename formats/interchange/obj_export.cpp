#include "formats/interchange/obj_export.h"

#include "common/file_replacement.h"
#include "formats/interchange/gltf_geometry.h"
#include "formats/interchange/gltf_materials.h"
#include "textures/replaceable_colour.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace interchange {

namespace {

void putNumbers(std::string& out, const char* lead, const float* values, int count) {
    out += lead;
    char text[64];
    for (int i = 0; i < count; ++i) {
        const float value = std::isfinite(values[i]) ? values[i] : 0.0f;
        const int length = std::snprintf(text, sizeof text, " %.6f", static_cast<double>(value));
        out.append(text, static_cast<std::size_t>(std::clamp(length, 0, 63)));
    }
    out += '\n';
}

std::optional<std::string> replaceFile(const std::filesystem::path& path, const std::string& text) {
    common::FileReplacement file(path);
    if (file.isOpen() && file.write(text.data(), text.size()) && file.commit())
        return std::nullopt;
    return path.string() + " could not be written" +
           (file.refusal().empty() ? "" : ": " + file.refusal());
}

} // namespace

std::string objText(const mdx::Geoset& geoset, const std::string& mtlName,
                    const std::string& materialName) {
    std::string out = "# one geoset, in the model's axes (z up)\nmtllib " + mtlName + "\n";
    out.reserve(geoset.vertices.size() * 110 + geoset.faces.size() * 12);
    const std::size_t count = geoset.vertices.size();
    const bool hasNormals = geoset.normals.size() == count;
    const bool hasUvs = !geoset.uvSets.empty() && geoset.uvSets.front().size() == count;
    for (const auto& vertex : geoset.vertices)
        putNumbers(out, "v", vertex.data(), 3);
    if (hasUvs)
        for (const auto& uv : geoset.uvSets.front()) {
            const float flipped[2] = {uv[0], 1 - uv[1]};
            putNumbers(out, "vt", flipped, 2);
        }
    if (hasNormals)
        for (const auto& normal : geoset.normals)
            putNumbers(out, "vn", normal.data(), 3);
    out += "usemtl " + materialName + "\n";
    std::size_t dropped = 0;
    const auto corners = triangleCorners(geoset, dropped);
    for (std::size_t i = 0; i + 2 < corners.size(); i += 3) {
        out += 'f';
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string index = std::to_string(corners[i + k] + 1);
            out += ' ' + index;
            if (hasUvs || hasNormals)
                out += '/' + (hasUvs ? index : std::string()) +
                       (hasNormals ? '/' + index : std::string());
        }
        out += '\n';
    }
    return out;
}

std::string mtlText(const mdx::Model& model, std::size_t geosetIndex,
                    const std::string& materialName) {
    std::string out = "newmtl " + materialName + "\nKa 0 0 0\nKs 0 0 0\nd 1\nillum 1\n";
    const auto* texture = firstLayerTexture(model, model.geosets[geosetIndex].materialId);
    if (texture && texture->replaceableId != 0) {
        const auto colour = textures::replaceableColour(static_cast<int>(texture->replaceableId));
        char text[64];
        std::snprintf(text, sizeof text, "Kd %.6f %.6f %.6f\n", colour.red / 255.0,
                      colour.green / 255.0, colour.blue / 255.0);
        return out + text;
    }
    out += "Kd 1 1 1\n";
    if (texture && !texture->path.empty()) {
        std::string path = texture->path;
        std::replace(path.begin(), path.end(), '\\', '/');
        out += "map_Kd " + path + "\n";
    }
    return out;
}

std::optional<std::string> writeObjFiles(const mdx::Model& model, std::size_t geosetIndex,
                                         const std::filesystem::path& path) {
    if (geosetIndex >= model.geosets.size())
        return "the model has no geoset " + std::to_string(geosetIndex + 1);
    auto mtlPath = path;
    mtlPath.replace_extension(".mtl");
    const std::string material = "Material" + std::to_string(model.geosets[geosetIndex].materialId);
    if (auto failure = replaceFile(mtlPath, mtlText(model, geosetIndex, material)))
        return failure;
    return replaceFile(path,
                       objText(model.geosets[geosetIndex], mtlPath.filename().string(), material));
}

} // namespace interchange
