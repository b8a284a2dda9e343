// The rules on references between records, on texture files and on the format version.
#include "formats/check/model_rules.h"
#include "formats/check/model_usage.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace check::rules {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto separator = path.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

void unusedOf(Report& report, const std::vector<bool>& used, const char* what) {
    for (std::size_t i = 0; i < used.size(); ++i)
        if (!used[i])
            report.add(std::string(what) + " " + std::to_string(i) + " is used by nothing");
}

} // namespace

void materialRef(const CheckContext& c, Report& report) {
    const auto& m = c.model;
    for (std::size_t g = 0; g < m.geosets.size(); ++g)
        if (m.geosets[g].materialId >= m.materials.size())
            report.add(geosetName(g) + ": material " + std::to_string(m.geosets[g].materialId) +
                           " does not exist (the model has " + std::to_string(m.materials.size()) +
                           ")",
                       static_cast<int>(g));
    for (std::size_t i = 0; i < m.materials.size(); ++i)
        for (std::size_t l = 0; l < m.materials[i].layers.size(); ++l) {
            const auto& layer = m.materials[i].layers[l];
            const std::string where =
                "material " + std::to_string(i) + " layer " + std::to_string(l);
            // From FormatVersion 1100 a layer lists its textures; its single id is then unused.
            std::vector<std::uint32_t> ids;
            if (layer.textures.empty())
                ids.push_back(layer.textureId);
            for (const auto& texture : layer.textures)
                ids.push_back(texture.textureId);
            for (auto id : ids)
                if (id >= m.textures.size())
                    report.add(where + ": texture " + std::to_string(id) +
                               " does not exist (the model has " +
                               std::to_string(m.textures.size()) + ")");
            if (layer.textureAnimationId != mdx::noId &&
                layer.textureAnimationId >= m.textureAnimations.size())
                report.add(where + ": texture animation " +
                           std::to_string(layer.textureAnimationId) + " does not exist");
        }
    for (std::size_t i = 0; i < m.geosetAnimations.size(); ++i)
        if (m.geosetAnimations[i].geosetId >= m.geosets.size())
            report.add("geoset animation " + std::to_string(i) + ": geoset id " +
                       std::to_string(m.geosetAnimations[i].geosetId) +
                       " does not exist (the model has " + std::to_string(m.geosets.size()) +
                       " geosets)");
    for (const auto& ribbon : m.ribbonEmitters)
        if (ribbon.materialId >= m.materials.size())
            report
                .add("node \"" + ribbon.node.name + "\": material " +
                     std::to_string(ribbon.materialId) + " does not exist")
                .node = ribbon.node.name;
    for (const auto& emitter : m.particleEmitters2)
        if (emitter.textureId >= m.textures.size())
            report
                .add("node \"" + emitter.node.name + "\": texture " +
                     std::to_string(emitter.textureId) + " does not exist")
                .node = emitter.node.name;
}

void geosetAnimTwice(const CheckContext& c, Report& report) {
    std::map<std::uint32_t, std::size_t> first;
    const auto& anims = c.model.geosetAnimations;
    for (std::size_t i = 0; i < anims.size(); ++i) {
        const auto [at, inserted] = first.emplace(anims[i].geosetId, i);
        if (!inserted)
            report.add("geoset animations " + std::to_string(at->second) + " and " +
                           std::to_string(i) + " both animate " + geosetName(anims[i].geosetId),
                       anims[i].geosetId < c.model.geosets.size()
                           ? static_cast<int>(anims[i].geosetId)
                           : -1);
    }
}

void versionBlocks(const CheckContext& c, Report& report) {
    const auto& m = c.model;
    if (m.version == 900) {
        report.add("FormatVersion 900 is read by no released game version");
        return;
    }
    if (m.version >= 900)
        return;
    const std::string version = "FormatVersion " + std::to_string(m.version);
    for (std::size_t g = 0; g < m.geosets.size(); ++g) {
        const auto& geoset = m.geosets[g];
        const auto blocks = [&](bool has, const char* what) {
            if (has)
                report.add(geosetName(g) + " has " + what + ", which " + version + " cannot hold",
                           static_cast<int>(g));
        };
        blocks(geoset.tangents.has_value(), "tangents");
        blocks(geoset.skin.has_value(), "skin weights");
        blocks(!geoset.lodName.empty() || geoset.lod != 0, "a level of detail");
    }
    for (std::size_t i = 0; i < m.materials.size(); ++i)
        if (!m.materials[i].shader.empty())
            report.add("material " + std::to_string(i) + " names the shader \"" +
                       m.materials[i].shader + "\", which " + version + " cannot hold");
}

void textureMissing(const CheckContext& c, Report& report) {
    const auto& textures = c.model.textures;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const auto& texture = textures[i];
        if (texture.replaceableId != 0) // team colour and the like: the game supplies it
            continue;
        if (texture.path.empty())
            report.add("texture " + std::to_string(i) +
                       " names neither a file nor a replaceable id");
        else if (c.folder && !c.textureSource->locate(texture.path, *c.folder))
            report.add("texture " + std::to_string(i) + " \"" + texture.path +
                       "\" is not found beside the model or in a folder up to three levels above" +
                       (c.textureSource->asksGameData() ? " or in the game data" : ""));
    }
}

void textureExtension(const CheckContext& c, Report& report) {
    const auto& textures = c.model.textures;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        if (textures[i].path.empty())
            continue;
        const auto ext = lowerExtension(textures[i].path);
        if (ext != ".blp" && ext != ".tga" && ext != ".dds")
            report.add("texture " + std::to_string(i) + " \"" + textures[i].path +
                       "\" is not a .blp, .tga or .dds file");
    }
}

void unused(const CheckContext& c, Report& report) {
    const auto usage = usageOf(c.model);
    unusedOf(report, usage.textures, "texture");
    unusedOf(report, usage.materials, "material");
    unusedOf(report, usage.textureAnimations, "texture animation");
    unusedOf(report, usage.globalSequences, "global sequence");
}

} // namespace check::rules
