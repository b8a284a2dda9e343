#include "formats/check/model_check.h"

#include "formats/check/model_fixes.h"
#include "formats/check/model_rules.h"
#include "formats/check/model_walk.h"

namespace check {

CheckContext::CheckContext(const mdx::Model& m, std::optional<std::filesystem::path> f)
    : model(m), folder(std::move(f)), nodes(nodesInFileOrder(m)) {
    // Ids past every plausible node are looked up as missing without a table entry.
    byId_.assign(nodes.size(), 0);
    for (std::size_t i = nodes.size(); i-- > 0;) {
        const auto id = nodes[i].node->objectId;
        if (id < byId_.size())
            byId_[id] = i + 1;
    }
}

const NodeEntry* CheckContext::nodeWithId(std::uint32_t id) const {
    if (id >= byId_.size() || byId_[id] == 0)
        return nullptr;
    return &nodes[byId_[id] - 1];
}

Problem& Report::add(std::string message, int geoset) {
    Problem problem;
    problem.id = id_;
    problem.severity = severity_;
    problem.message = std::move(message);
    problem.geoset = geoset;
    out_.push_back(std::move(problem));
    return out_.back();
}

std::string rules::geosetName(std::size_t index) {
    return "geoset " + std::to_string(index + 1);
}

const std::vector<Rule>& modelRules() {
    using S = Severity;
    namespace r = rules;
    static const std::vector<Rule> table{
        {"vertex-counts", S::Error, r::vertexCounts, nullptr,
         "normals, texture coordinates, vertex groups, tangents or skin weights not one a vertex"},
        {"face-index", S::Error, r::faceIndex, nullptr,
         "a face corner past the vertices, or a face count not a multiple of 3"},
        {"vertex-group", S::Error, r::vertexGroup, nullptr,
         "a vertex group past the geoset's matrix groups"},
        {"matrix-node", S::Error, r::matrixNode, nullptr, "a matrix index naming no node"},
        {"matrix-not-bone", S::Error, r::matrixNotBone, nullptr,
         "a matrix index naming a node that is not a bone"},
        {"matrix-limits", S::Error, r::matrixLimits, nullptr,
         "more than 255 matrix groups, an empty one, or sizes that do not match the indices"},
        {"skin-weights", S::Error, r::skinWeights, clampSkinWeights,
         "skin weights that do not sum to 255, or a bone past the matrix indices"},
        {"geoset-empty", S::Error, r::geosetEmpty, nullptr, "a geoset with no vertex or no face"},
        {"material-ref", S::Error, r::materialRef, nullptr,
         "a material, texture, texture animation or geoset referred to that does not exist"},
        {"geoset-anim-twice", S::Warning, r::geosetAnimTwice, nullptr,
         "two geoset animations for one geoset"},
        {"node-parent", S::Error, r::nodeParent, nullptr,
         "a parent that does not exist, or a parent loop"},
        {"pivot-count", S::Error, r::pivotCount, nullptr, "fewer pivot points than nodes"},
        {"object-ids", S::Error, r::objectIds, nullptr,
         "node ids that are not 0 to n-1 in the file's order of kinds"},
        {"non-finite", S::Error, r::nonFinite, nullptr, "a number that is NaN or infinite"},
        {"track-order", S::Error, r::trackOrder, sortTrackKeys,
         "keys whose frames are not strictly increasing"},
        {"track-outside", S::Note, r::trackOutside, nullptr,
         "keys outside every sequence and not on a global sequence"},
        {"sequence-interval", S::Error, r::sequenceInterval, nullptr,
         "a sequence whose end is not after its start"},
        {"sequence-overlap", S::Warning, r::sequenceOverlap, nullptr, "sequences that overlap"},
        {"sequence-extents", S::Warning, r::sequenceExtents, nullptr,
         "a geoset without one extent a sequence"},
        {"extents-stale", S::Warning, r::extentsStale, recalculateExtents,
         "an extent that does not contain its vertices or is more than twice their size"},
        {"version-blocks", S::Error, r::versionBlocks, nullptr,
         "Reforged data in a FormatVersion 800 model, or FormatVersion 900"},
        {"sd-vertex-limit", S::Warning, r::sdVertexLimit, nullptr,
         "a classic geoset with more than 7,433 vertices"},
        {"texture-missing", S::Warning, r::textureMissing, nullptr,
         "a texture file found nowhere the editor looks"},
        {"texture-extension", S::Warning, r::textureExtension, nullptr,
         "a texture path not ending in .blp, .tga or .dds"},
        {"unused", S::Note, r::unused, removeUnused,
         "textures, materials, texture animations or global sequences nothing uses"},
        {"bone-unused", S::Note, r::boneUnused, nullptr,
         "a bone no vertex is bound to and no node hangs from"},
        {"standard-sequences", S::Note, r::standardSequences, nullptr,
         "a unit model without Stand or Death"},
    };
    return table;
}

const Rule* findRule(const std::string& id) {
    for (const auto& rule : modelRules())
        if (id == rule.id)
            return &rule;
    return nullptr;
}

Problems checkModel(const mdx::Model& model, const std::optional<std::filesystem::path>& folder,
                    const textures::TextureSource& textureSource) {
    CheckContext context(model, folder);
    context.textureSource = &textureSource;
    Problems problems;
    for (const auto& rule : modelRules()) {
        Report report(problems, rule.id, rule.severity);
        rule.check(context, report);
    }
    return problems;
}

Changes applyCertainFixes(mdx::Model& model) {
    Changes all;
    for (const auto& rule : modelRules())
        if (rule.fix) {
            auto changes = rule.fix(model);
            all.insert(all.end(), changes.begin(), changes.end());
        }
    return all;
}

} // namespace check
