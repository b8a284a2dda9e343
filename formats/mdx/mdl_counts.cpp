#include "formats/mdx/mdl_counts.h"

#include "formats/mdx/mdl_tree.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace mdx {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// A header's count and what its block holds, by name.
constexpr std::array<Pair, 5> countedBlocks = {{{"Sequences", "Anim"},
                                                {"GlobalSequences", "Duration"},
                                                {"Textures", "Bitmap"},
                                                {"Materials", "Material"},
                                                {"TextureAnims", "TVertexAnim"}}};

// The Model block's counts and the blocks of the model they count.
constexpr std::array<Pair, 10> modelCounts = {{{"NumGeosets", "Geoset"},
                                               {"NumGeosetAnims", "GeosetAnim"},
                                               {"NumHelpers", "Helper"},
                                               {"NumBones", "Bone"},
                                               {"NumLights", "Light"},
                                               {"NumAttachments", "Attachment"},
                                               {"NumEvents", "EventObject"},
                                               {"NumParticleEmitters", "ParticleEmitter"},
                                               {"NumParticleEmitters2", "ParticleEmitter2"},
                                               {"NumRibbonEmitters", "RibbonEmitter"}}};

// A geoset's blocks of vectors and the numbers each entry has.
constexpr std::array<std::pair<std::string_view, std::size_t>, 5> vectorBlocks = {
    {{"Vertices", 3}, {"Normals", 3}, {"TVertices", 2}, {"Tangents", 4}, {"SkinWeights", 8}}};

bool isNamed(const MdlItem& item, std::string_view key) {
    return !item.words.empty() && item.words[0].text == key;
}

std::size_t itemsNamed(const MdlItem& parent, std::string_view key) {
    return static_cast<std::size_t>(
        std::count_if(parent.children.begin(), parent.children.end(),
                      [&](const MdlItem& child) { return isNamed(child, key); }));
}

struct CountCheck {
    std::vector<std::string> mismatches;

    // Compares word `word` of item, when it has one, with holds.
    void compare(const MdlItem& item, std::size_t word, std::size_t holds, std::string_view what,
                 std::string_view holder = "") {
        if (item.words.size() <= word)
            return;
        const std::string_view text = item.words[word].text;
        std::uint64_t declared = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), declared);
        if (r.ec == std::errc() && r.ptr == text.data() + text.size() && declared == holds)
            return;
        mismatches.push_back("line " + std::to_string(item.line) + ": " +
                             std::string(item.words[0].text) + " declares " + std::string(text) +
                             " " + std::string(what) + " but " + std::string(holder) +
                             (holder.empty() ? "" : " ") + "holds " + std::to_string(holds));
    }

    void checkModel(const MdlItem& model, const MdlItem& root) {
        for (const auto& line : model.children)
            for (const auto& [key, block] : modelCounts)
                if (isNamed(line, key))
                    compare(line, 1, itemsNamed(root, block), block, "the model");
    }

    void checkFaces(const MdlItem& faces) {
        std::size_t lists = 0, indices = 0;
        for (const auto& primitives : faces.children) {
            indices += numberCount(primitives);
            lists += static_cast<std::size_t>(
                std::count_if(primitives.children.begin(), primitives.children.end(),
                              [](const MdlItem& list) { return list.hasBlock; }));
        }
        compare(faces, 1, lists, "index lists");
        compare(faces, 2, indices, "indices");
    }

    void checkGeoset(const MdlItem& geoset) {
        for (const auto& block : geoset.children) {
            if (!block.hasBlock)
                continue;
            for (const auto& [key, numbers] : vectorBlocks)
                if (isNamed(block, key))
                    compare(block, 1, numberCount(block) / numbers, "entries");
            if (isNamed(block, "Faces")) {
                checkFaces(block);
            } else if (isNamed(block, "Groups")) {
                std::size_t matrices = 0;
                for (const auto& group : block.children)
                    matrices += numberCount(group);
                compare(block, 1, block.children.size(), "matrix groups");
                compare(block, 2, matrices, "matrices");
            }
        }
    }

    void check(const MdlItem& root) {
        for (const auto& item : root.children) {
            if (!item.hasBlock)
                continue;
            for (const auto& [key, entry] : countedBlocks)
                if (isNamed(item, key))
                    compare(item, 1, itemsNamed(item, entry), entry);
            if (isNamed(item, "PivotPoints"))
                compare(item, 1, numberCount(item) / 3, "pivot points");
            else if (isNamed(item, "Model"))
                checkModel(item, root);
            else if (isNamed(item, "Geoset"))
                checkGeoset(item);
            else if (isNamed(item, "EventObject"))
                for (const auto& track : item.children)
                    if (track.hasBlock && isNamed(track, "EventTrack"))
                        compare(track, 1, numberCount(track), "frames");
        }
    }
};

} // namespace

std::vector<std::string> declaredCountMismatches(std::string_view text) {
    const MdlTree tree = parseMdl(text);
    CountCheck check;
    check.check(tree.root);
    return std::move(check.mismatches);
}

} // namespace mdx
