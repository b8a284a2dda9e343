// Each rule fires on a corpus model changed in one place, and is silent on the model as it was;
// where the rule has a fix, the fix makes it silent again.
#include "check_fixture.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

using check_test::corpusFolder;
using check_test::corpusModel;
using check_test::countOf;
using Change = void (*)(mdx::Model&);

struct RuleCase {
    const char* id;
    const char* model;
    Change prepare; // makes the unbroken model silent where the corpus file is not; may be null
    Change breakIt;
};

constexpr const char* gate = "mdx/gate.mdx";       // one bone, one geoset, its texture beside it
constexpr const char* hero = "mdx/huangzhong.mdx"; // a unit: 23 bones, an Origin, 11 sequences

void oneExtentPerSequence(mdx::Model& m) {
    for (auto& g : m.geosets)
        g.sequenceExtents.assign(m.sequences.size(), g.extent);
}

void reforged(mdx::Model& m) {
    m.version = 1000;
    for (auto& g : m.geosets) {
        g.tangents = std::vector<mdx::Vec4>(g.vertices.size(), mdx::Vec4{1, 0, 0, 1});
        g.skin = std::vector<std::uint8_t>(8 * g.vertices.size(), 0);
        for (std::size_t v = 0; v < g.vertices.size(); ++v)
            (*g.skin)[8 * v + 4] = 255;
    }
}

mdx::Track& firstTrackWithKeys(mdx::Model& m, std::size_t keys) {
    for (auto& b : m.bones)
        for (auto& t : b.node.tracks)
            if (t.keys.size() >= keys)
                return t;
    throw std::runtime_error("no track with enough keys");
}

const RuleCase cases[] = {
    {"vertex-counts", gate, nullptr, [](mdx::Model& m) { m.geosets[0].normals.pop_back(); }},
    {"face-index", gate, nullptr,
     [](mdx::Model& m) {
         m.geosets[0].faces[4] = static_cast<std::uint16_t>(m.geosets[0].vertices.size());
     }},
    {"vertex-group", gate, nullptr,
     [](mdx::Model& m) {
         m.geosets[0].vertexGroups[3] =
             static_cast<std::uint8_t>(m.geosets[0].matrixGroupSizes.size());
     }},
    {"matrix-node", gate, nullptr, [](mdx::Model& m) { m.geosets[0].matrixIndices[0] = 77; }},
    {"matrix-not-bone", hero, nullptr,
     [](mdx::Model& m) { m.geosets[0].matrixIndices[0] = m.attachments[0].node.objectId; }},
    {"matrix-limits", gate, nullptr,
     [](mdx::Model& m) {
         m.geosets[0].matrixGroupSizes.push_back(0);
         m.geosets[0].matrixGroupSizes.front() = 0;
     }},
    {"skin-weights", gate, reforged, [](mdx::Model& m) { (*m.geosets[0].skin)[8 * 5 + 4] = 200; }},
    {"geoset-empty", gate, nullptr, [](mdx::Model& m) { m.geosets[0].faces.clear(); }},
    {"material-ref", hero, nullptr,
     [](mdx::Model& m) { m.materials[1].layers[0].textureAnimationId = 3; }},
    {"geoset-anim-twice", hero, nullptr,
     [](mdx::Model& m) { m.geosetAnimations[1].geosetId = m.geosetAnimations[0].geosetId; }},
    {"node-parent", hero, nullptr,
     [](mdx::Model& m) {
         m.bones[0].node.parentId = m.bones[1].node.objectId;
         m.bones[1].node.parentId = m.bones[0].node.objectId;
     }},
    {"pivot-count", hero, nullptr, [](mdx::Model& m) { m.pivots.pop_back(); }},
    {"object-ids", hero, nullptr,
     [](mdx::Model& m) { std::swap(m.bones[2].node.objectId, m.bones[3].node.objectId); }},
    {"non-finite", gate, nullptr,
     [](mdx::Model& m) { m.geosets[0].normals[2][1] = std::numeric_limits<float>::quiet_NaN(); }},
    {"track-order", hero, nullptr,
     [](mdx::Model& m) {
         auto& t = firstTrackWithKeys(m, 3);
         std::swap(t.keys[0], t.keys[2]);
         t.keys.insert(t.keys.begin() + 1, t.keys[0]); // an exact repeat, dropped by the fix
     }},
    {"track-outside", gate, nullptr,
     [](mdx::Model& m) {
         mdx::Track track{mdx::makeTag("KGTR"), 1, -1, {mdx::TrackKey{90000, {}, {}, {}}}};
         m.bones[0].node.tracks.push_back(track);
     }},
    {"sequence-interval", hero, nullptr,
     [](mdx::Model& m) { m.sequences[3].interval[1] = m.sequences[3].interval[0]; }},
    {"sequence-overlap", hero, nullptr,
     [](mdx::Model& m) { m.sequences[1].interval[0] = m.sequences[0].interval[1] - 10; }},
    {"sequence-extents", gate, oneExtentPerSequence,
     [](mdx::Model& m) { m.geosets[0].sequenceExtents.pop_back(); }},
    {"extents-stale", gate, nullptr, [](mdx::Model& m) { m.geosets[0].vertices[0][2] += 5000; }},
    {"version-blocks", gate, nullptr,
     [](mdx::Model& m) { m.materials[0].shader = "Shader_HD_DefaultUnit"; }},
    {"sd-vertex-limit", gate, nullptr,
     [](mdx::Model& m) {
         auto& g = m.geosets[0];
         const auto n = 7434 - g.vertices.size();
         g.vertices.insert(g.vertices.end(), n, g.vertices[0]);
         g.normals.insert(g.normals.end(), n, g.normals[0]);
         for (auto& set : g.uvSets)
             set.insert(set.end(), n, set[0]);
         g.vertexGroups.insert(g.vertexGroups.end(), n, g.vertexGroups[0]);
     }},
    {"texture-missing", gate, nullptr, [](mdx::Model& m) { m.textures[0].path = "gone.blp"; }},
    {"texture-extension", gate, nullptr, [](mdx::Model& m) { m.textures[0].path = "mauer.png"; }},
    {"unused", gate, nullptr,
     [](mdx::Model& m) {
         m.textures.push_back({0, "mauer.blp", 0});
         m.globalSequences.push_back(1000);
     }},
    {"bone-unused", hero, nullptr,
     [](mdx::Model& m) {
         auto bone = m.bones.back();
         bone.node.name = "Spare";
         bone.node.objectId = 999;
         bone.node.parentId = mdx::noId;
         m.bones.push_back(bone);
     }},
    {"standard-sequences", hero, nullptr,
     [](mdx::Model& m) {
         for (auto& s : m.sequences)
             if (s.name.starts_with("Death"))
                 s.name = "Decay";
     }},
};

class RuleCases : public testing::TestWithParam<RuleCase> {};

TEST_P(RuleCases, FiresWhenBrokenSilentOtherwiseAndFixed) {
    const auto& c = GetParam();
    auto model = corpusModel(c.model);
    if (!model)
        GTEST_SKIP() << "the corpus is missing";
    if (c.prepare)
        c.prepare(*model);
    const auto folder = corpusFolder(c.model);
    ASSERT_EQ(countOf(check::checkModel(*model, folder), c.id), 0u) << "unbroken " << c.model;

    c.breakIt(*model);
    const auto broken = check::checkModel(*model, folder);
    ASSERT_GT(countOf(broken, c.id), 0u);
    for (const auto& p : broken) {
        if (p.id == c.id) {
            EXPECT_FALSE(p.message.empty());
        }
    }

    const auto* rule = check::findRule(c.id);
    ASSERT_NE(rule, nullptr);
    if (!rule->fix)
        return;
    EXPECT_FALSE(rule->fix(*model).empty()) << "the fix says what it changed";
    EXPECT_EQ(countOf(check::checkModel(*model, folder), c.id), 0u) << "after the fix";
    EXPECT_TRUE(rule->fix(*model).empty()) << "a second run changes nothing";
}

INSTANTIATE_TEST_SUITE_P(EveryRule, RuleCases, testing::ValuesIn(cases), [](const auto& info) {
    std::string name = info.param.id;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(RuleTable, EveryRuleHasACase) {
    for (const auto& rule : check::modelRules())
        EXPECT_TRUE(std::any_of(std::begin(cases), std::end(cases), [&](const RuleCase& c) {
            return std::string(c.id) == rule.id;
        })) << rule.id;
}

} // namespace
