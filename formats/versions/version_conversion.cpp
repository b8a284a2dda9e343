#include "formats/versions/version_conversion.h"

#include "formats/animation/skeleton.h"
#include "formats/animation/skinning.h"
#include "formats/check/model_check.h"
#include "formats/mdx/geoset_list.h"
#include "formats/versions/geoset_tangents.h"
#include "formats/versions/material_versions.h"
#include "formats/versions/node_removal.h"
#include "formats/versions/pose_displacement.h"
#include "formats/versions/vertex_weights.h"

#include "common/number_text.h"

#include <algorithm>
#include <set>

namespace versions {

namespace {

constexpr std::uint32_t classicVersion = 800;
constexpr std::uint32_t combinedLayersVersion = 1100;
// A geoset shown at every level of detail.
constexpr std::uint32_t everyLevel = 0xFFFFFFFFu;

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

void add(std::vector<std::string>& changes, std::size_t n, const char* one, const char* many,
         const std::string& what) {
    if (n > 0)
        changes.push_back(counted(n, one, many) + " " + what);
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? ", \"" : "\"") + items[i] + "\"";
    return text;
}

void toClassic(const mdx::Model& original, VersionConversion& out) {
    auto& model = out.model;
    auto& changes = out.changes;
    std::vector<mdx::Geoset> geosets;
    std::vector<std::vector<std::uint32_t>> madeFrom(model.geosets.size());
    std::vector<VertexSource> sources;
    std::size_t lodGeosets = 0, lodNames = 0, tangents = 0, uvSets = 0, approximated = 0,
                missingBone = 0, unweighted = 0, splits = 0;
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        const auto& geoset = model.geosets[g];
        lodNames += !geoset.lodName.empty();
        if (geoset.lod != 0 && geoset.lod != everyLevel) {
            ++lodGeosets;
            continue;
        }
        tangents += geoset.tangents.has_value();
        uvSets += geoset.uvSets.size() > 1 ? geoset.uvSets.size() - 1 : 0;
        GroupedGeoset grouped;
        if (animation::hasSkinWeights(geoset)) {
            grouped = skinToGroups(geoset);
            if (grouped.unsplittable) {
                out.refusal = "geoset " + std::to_string(g) +
                              " needs more than 255 vertex groups and holds faces other than "
                              "triangles, so it cannot be split";
                return;
            }
        } else {
            GroupedPart whole{geoset, {}};
            whole.geoset.skin.reset();
            whole.geoset.tangents.reset();
            if (whole.geoset.uvSets.size() > 1)
                whole.geoset.uvSets.resize(1);
            for (std::uint32_t v = 0; v < geoset.vertices.size(); ++v)
                whole.sourceVertex.push_back(v);
            grouped.parts.push_back(std::move(whole));
        }
        approximated += grouped.approximated;
        missingBone += grouped.missingBone;
        unweighted += grouped.unweighted;
        splits += grouped.parts.size() > 1 ? 1 : 0;
        for (auto& part : grouped.parts) {
            part.geoset.lod = 0;
            part.geoset.lodName.clear();
            madeFrom[g].push_back(static_cast<std::uint32_t>(geosets.size()));
            sources.push_back({static_cast<std::uint32_t>(g), std::move(part.sourceVertex)});
            geosets.push_back(std::move(part.geoset));
        }
    }
    mdx::replaceGeosets(model, std::move(geosets), madeFrom);

    add(changes, approximated, "vertex", "vertices",
        "approximated: their skin weights were not equal shares of the bones kept");
    add(changes, missingBone, "vertex", "vertices",
        "weighted to bones past the matrix index list: those weights were left out");
    if (approximated + missingBone > 0)
        changes.push_back("the largest displacement of a vertex over the keys of all sequences "
                          "is " +
                          common::formatNumber(largestDisplacement(original, model, sources)));
    add(changes, unweighted, "vertex", "vertices",
        "without a weight on an existing bone: given the geoset's first bone");
    add(changes, splits, "geoset", "geosets",
        "split into several of the same material, as they needed more than 255 vertex groups");
    add(changes, lodGeosets, "geoset", "geosets", "of a level of detail other than 0 removed");
    add(changes, lodNames, "level of detail name", "level of detail names", "dropped");
    if (tangents > 0)
        changes.push_back("the tangents of " + counted(tangents, "geoset", "geosets") + " dropped");
    add(changes, uvSets, "extra texture coordinate set", "extra texture coordinate sets",
        "dropped");
    add(changes, model.bindPoses.size(), "bind pose", "bind poses", "dropped");
    add(changes, model.faceEffects.size(), "FaceFX entry", "FaceFX entries", "dropped");
    model.bindPoses.clear();
    model.faceEffects.clear();
    add(changes, removePopcornEmitters(model), "popcorn emitter", "popcorn emitters", "dropped");
    std::erase_if(model.chunkOrder, [](mdx::Tag tag) {
        return tag == mdx::makeTag("CORN") || tag == mdx::makeTag("FAFX") ||
               tag == mdx::makeTag("BPOS");
    });

    const auto materials = toClassicMaterials(model);
    add(changes, materials.converted, "shader material", "shader materials",
        "made classic (diffuse layer, " + std::to_string(materials.teamColour) +
            " with team colour under it, " + std::to_string(materials.emissive) +
            " with an additive emissive layer)");
    add(changes, materials.tracksDropped, "layer track", "layer tracks",
        "of Reforged layers dropped");
    if (!materials.renamedTextures.empty())
        changes.push_back(
            counted(materials.renamedTextures.size(), "texture path", "texture paths") +
            " changed from .dds to .blp (convert the files themselves): " +
            joined(materials.renamedTextures));
}

void toReforged(std::uint32_t from, VersionConversion& out) {
    auto& model = out.model;
    std::size_t skinned = 0, capped = 0, unplaced = 0, tangents = 0;
    for (auto& geoset : model.geosets) {
        if (!animation::hasSkinWeights(geoset) && !geoset.vertices.empty()) {
            auto skin = groupsToSkin(geoset);
            geoset.skin = std::move(skin.skin);
            ++skinned;
            capped += skin.capped;
            unplaced += skin.unplaced;
        }
        if (!geoset.tangents || geoset.tangents->size() != geoset.vertices.size()) {
            geoset.tangents = computeTangents(geoset);
            ++tangents;
        }
    }
    auto& changes = out.changes;
    add(changes, skinned, "geoset", "geosets", "given skin weights from the vertex groups");
    add(changes, capped, "vertex", "vertices",
        "in a vertex group of more than 4 bones: its first 4 kept");
    add(changes, unplaced, "vertex", "vertices",
        "in a vertex group that does not exist or lies past the 256th matrix index: weighted "
        "to the geoset's first bone");
    add(changes, tangents, "geoset", "geosets",
        "given tangents computed from their texture coordinates");
    if (from < 900)
        add(changes, toShaderMaterials(model), "material", "materials",
            "given the default shader, the first layer as diffuse");
}

// What the model refers to that it does not have, which the conversion passes over: one
// sentence a material naming missing textures and a geoset naming missing objects.
std::vector<std::string> missingReferences(const mdx::Model& model) {
    std::vector<std::string> missing;
    for (std::size_t m = 0; m < model.materials.size(); ++m) {
        const auto& layers = model.materials[m].layers;
        if (std::any_of(layers.begin(), layers.end(),
                        [&](const mdx::Layer& l) { return l.textureId >= model.textures.size(); }))
            missing.push_back("material " + std::to_string(m) +
                              " names a texture the model does not have");
    }
    const animation::Skeleton skeleton(model);
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        const auto& list = model.geosets[g].matrixIndices;
        const auto absent = std::count_if(
            list.begin(), list.end(), [&](std::uint32_t id) { return skeleton.indexOf(id) < 0; });
        if (absent > 0)
            missing.push_back("geoset " + std::to_string(g) + " names " +
                              counted(static_cast<std::size_t>(absent), "bone", "bones") +
                              " the model does not have: its vertices do not follow them");
    }
    return missing;
}

// Bytes past the known fields of the records whose layout differs between versions: their
// meaning belongs to the version they were written for, so they are left out. How many records
// held some.
std::size_t dropVersionedExtras(mdx::Model& model) {
    std::size_t records = 0;
    const auto drop = [&](std::string& extra) {
        records += !extra.empty();
        extra.clear();
    };
    for (auto& material : model.materials) {
        drop(material.extra);
        for (auto& layer : material.layers)
            drop(layer.extra);
    }
    for (auto& geoset : model.geosets)
        drop(geoset.extra);
    return records;
}

// The errors of a check, by rule.
std::set<std::string> errorIds(const check::Problems& problems) {
    std::set<std::string> ids;
    for (const auto& problem : problems)
        if (problem.severity == check::Severity::Error)
            ids.insert(problem.id);
    return ids;
}

} // namespace

bool isTargetVersion(std::uint32_t version) {
    return version == classicVersion || version == 1000 || version == combinedLayersVersion;
}

VersionConversion convertFormatVersion(const mdx::Model& model, std::uint32_t target,
                                       const std::optional<std::filesystem::path>& folder) {
    VersionConversion out;
    out.model = model;
    if (!isTargetVersion(target)) {
        out.refusal = "FormatVersion " + std::to_string(target) + " is not 800, 1000 or 1100";
        return out;
    }
    out.changes = missingReferences(model);
    const std::uint32_t from = model.version;
    // Everything below works on layers in the 1000 layout.
    if (from >= combinedLayersVersion)
        toSeparateLayers(out.model);
    if (target == classicVersion)
        toClassic(model, out);
    else
        toReforged(from, out);
    if (!out.ok())
        return out;
    if (from != target)
        add(out.changes, dropVersionedExtras(out.model), "material, layer or geoset",
            "materials, layers or geosets", "held unknown bytes of their version: left out");
    if (target == combinedLayersVersion)
        add(out.changes, toCombinedLayers(out.model), "layer", "layers",
            "of shader materials with settings of their own: the combined layer has the first "
            "layer's");
    out.model.version = target;

    const auto before = errorIds(check::checkModel(model, folder));
    const auto after = check::checkModel(out.model, folder);
    std::string added;
    for (const auto& problem : after)
        if (problem.severity == check::Severity::Error && !before.count(problem.id))
            added += (added.empty() ? "" : "; ") + problem.id + ": " + problem.message;
    if (!added.empty())
        out.refusal =
            "the converted model would have errors the original does not have (" + added + ")";
    return out;
}

} // namespace versions
