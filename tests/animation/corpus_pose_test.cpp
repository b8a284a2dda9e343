// Every corpus model animates within reach of its own size, and its pose matches a second,
// plain computation written here in double precision from the rules alone.

#include "formats/animation/model_pose.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using D3 = std::array<double, 3>;
using D4 = std::array<double, 4>;
using M4 = std::array<std::array<double, 4>, 4>; // [row][column]

std::vector<std::pair<std::string, mdx::Model>> corpusModels() {
    std::vector<std::pair<std::string, mdx::Model>> models;
    const fs::path corpus = MOLDRIN_CORPUS_DIR;
    for (const auto& folder : {corpus, corpus / "mdx", corpus / "reforged"}) {
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const auto ext = entry.path().extension();
            if (ext != ".mdx" && ext != ".mdl")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            const std::string text = bytes.str();
            try {
                models.emplace_back(entry.path().filename().string(), mdx::hasMdxMagic(text)
                                                                          ? mdx::readMdx(text)
                                                                          : mdx::readMdl(text));
            } catch (const std::exception&) {
                // Files the readers refuse are the readers' tests' business.
            }
        }
    }
    return models;
}

// --- The plain computation ---

D4 plainSlerp(D4 a, D4 b, double t) {
    double c = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    if (c < 0) {
        c = -c;
        for (auto& x : b)
            x = -x;
    }
    double wa = 1 - t, wb = t;
    if (c < 0.9995) {
        const double angle = std::acos(c);
        wa = std::sin((1 - t) * angle) / std::sin(angle);
        wb = std::sin(t * angle) / std::sin(angle);
    }
    D4 r;
    double n = 0;
    for (int i = 0; i < 4; ++i) {
        r[i] = wa * a[i] + wb * b[i];
        n += r[i] * r[i];
    }
    for (auto& x : r)
        x /= std::sqrt(n);
    return r;
}

D4 toD4(const mdx::Vec4& v) {
    return {v[0], v[1], v[2], v[3]};
}

// The track at frame `frame` of [start, end], or nothing where the static value holds.
std::optional<D4> plainTrack(const mdx::Model& model, const mdx::Track& track, bool rotation,
                             double start, double end, double frame, double globalTime) {
    bool global = false;
    if (track.globalSequenceId >= 0 &&
        static_cast<std::size_t>(track.globalSequenceId) < model.globalSequences.size()) {
        const double length =
            model.globalSequences[static_cast<std::size_t>(track.globalSequenceId)];
        start = 0;
        end = length;
        frame = length > 0 ? std::fmod(globalTime, length) : 0;
        global = true;
    }
    std::vector<const mdx::TrackKey*> keys;
    for (const auto& k : track.keys)
        if (k.frame >= start && k.frame <= end && (keys.empty() || k.frame > keys.back()->frame))
            keys.push_back(&k);
    if (keys.empty()) {
        if (global && !track.keys.empty() && track.keys[0].frame > end)
            return toD4(track.keys[0].value);
        return std::nullopt;
    }
    bool equal = true;
    for (const auto* k : keys)
        equal = equal && k->value == keys[0]->value;
    if (keys.size() == 1 || equal)
        return toD4(keys[0]->value);
    const mdx::TrackKey *a = nullptr, *b = nullptr;
    double t = 0;
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
        if (keys[i]->frame <= frame && frame < keys[i + 1]->frame) {
            a = keys[i];
            b = keys[i + 1];
            t = (frame - a->frame) / (b->frame - a->frame);
        }
    if (!a) {
        a = keys.back();
        b = keys.front();
        const double span = double(b->frame) - a->frame + (end - start);
        if (span <= 0)
            return toD4(a->value);
        t = (frame - (frame < b->frame ? b->frame : a->frame)) / span;
    }
    const D4 va = toD4(a->value), vb = toD4(b->value), out = toD4(a->outTan), in = toD4(b->inTan);
    const auto kind = track.interpolation;
    if (kind == 0 || kind > 3)
        return va;
    if (rotation)
        return kind == 1
                   ? plainSlerp(va, vb, t)
                   : plainSlerp(plainSlerp(va, vb, t), plainSlerp(out, in, t), 2 * t * (1 - t));
    D4 r{};
    for (int i = 0; i < 4; ++i) {
        if (kind == 1)
            r[i] = va[i] + (vb[i] - va[i]) * t;
        else if (kind == 2)
            r[i] = (2 * t * t * t - 3 * t * t + 1) * va[i] + (t * t * t - 2 * t * t + t) * out[i] +
                   (t * t * t - t * t) * in[i] + (3 * t * t - 2 * t * t * t) * vb[i];
        else
            r[i] = (1 - t) * (1 - t) * (1 - t) * va[i] + 3 * t * (1 - t) * (1 - t) * out[i] +
                   3 * t * t * (1 - t) * in[i] + t * t * t * vb[i];
    }
    return r;
}

M4 product(const M4& a, const M4& b) {
    M4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r[i][j] += a[i][k] * b[k][j];
    return r;
}

M4 translation(D3 t) {
    return {{{1, 0, 0, t[0]}, {0, 1, 0, t[1]}, {0, 0, 1, t[2]}, {0, 0, 0, 1}}};
}

struct PlainPose {
    std::map<std::uint32_t, M4> world;
    std::vector<std::vector<D3>> vertices;
    std::vector<double> alpha;
};

PlainPose plainPose(const mdx::Model& model, std::size_t s, double time) {
    const double start = model.sequences[s].interval[0];
    const double end = std::max<double>(start, model.sequences[s].interval[1]);
    const double frame = std::min(start + time, end);
    std::map<std::uint32_t, const mdx::Node*> nodes;
    auto add = [&](const auto& records) {
        for (const auto& r : records)
            nodes.emplace(r.node.objectId, &r.node);
    };
    add(model.bones), add(model.lights), add(model.helpers), add(model.attachments);
    add(model.particleEmitters), add(model.particleEmitters2), add(model.ribbonEmitters);
    add(model.eventObjects), add(model.collisionShapes), add(model.popcornEmitters);

    PlainPose pose;
    std::function<M4(std::uint32_t, int)> worldOf = [&](std::uint32_t id, int depth) -> M4 {
        if (auto found = pose.world.find(id); found != pose.world.end())
            return found->second;
        const auto& node = *nodes.at(id);
        auto value = [&](const char* tag, D4 fallback, bool rotation) {
            for (const auto& t : node.tracks)
                if (t.tag == mdx::makeTag({tag[0], tag[1], tag[2], tag[3], 0}))
                    return plainTrack(model, t, rotation, start, end, frame, time)
                        .value_or(fallback);
            return fallback;
        };
        const D4 tr = value("KGTR", {0, 0, 0, 0}, false), sc = value("KGSC", {1, 1, 1, 0}, false);
        D4 q = value("KGRT", {0, 0, 0, 1}, true); // a rotation is a unit quaternion
        const double norm = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
        for (auto& c : q)
            c /= norm;
        const D3 p = id < model.pivots.size()
                         ? D3{model.pivots[id][0], model.pivots[id][1], model.pivots[id][2]}
                         : D3{0, 0, 0};
        const double x = q[0], y = q[1], z = q[2], w = q[3];
        const M4 rotation = {
            {{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y), 0},
             {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x), 0},
             {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y), 0},
             {0, 0, 0, 1}}};
        const M4 scaling = {{{sc[0], 0, 0, 0}, {0, sc[1], 0, 0}, {0, 0, sc[2], 0}, {0, 0, 0, 1}}};
        M4 local = product(
            product(product(product(translation({tr[0], tr[1], tr[2]}), translation(p)), rotation),
                    scaling),
            translation({-p[0], -p[1], -p[2]}));
        // Corpus skeletons have no loops; the depth guard only keeps a bad one from hanging.
        const bool hasParent =
            node.parentId != mdx::noId && nodes.count(node.parentId) && depth < 1000;
        const M4 world = hasParent ? product(worldOf(node.parentId, depth + 1), local) : local;
        return pose.world[id] = world;
    };
    for (const auto& [id, node] : nodes)
        worldOf(id, 0);

    auto apply = [](const M4& m, const mdx::Vec3& v) {
        return D3{m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2] + m[0][3],
                  m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2] + m[1][3],
                  m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2] + m[2][3]};
    };
    for (const auto& g : model.geosets) {
        std::vector<std::vector<std::uint32_t>> groups;
        std::size_t next = 0;
        for (auto size : g.matrixGroupSizes) {
            groups.emplace_back(g.matrixIndices.begin() + static_cast<std::ptrdiff_t>(next),
                                g.matrixIndices.begin() + static_cast<std::ptrdiff_t>(next + size));
            next += size;
        }
        const bool weighted = g.skin && g.skin->size() == 8 * g.vertices.size();
        auto& out = pose.vertices.emplace_back();
        for (std::size_t v = 0; v < g.vertices.size(); ++v) {
            M4 sum{};
            bool ok = true;
            if (weighted) {
                double total = 0;
                for (int i = 0; i < 4 && ok; ++i) {
                    const auto weight = (*g.skin)[8 * v + 4 + i] / 255.0;
                    if (weight == 0)
                        continue;
                    const auto entry = (*g.skin)[8 * v + i];
                    ok = entry < g.matrixIndices.size() && nodes.count(g.matrixIndices[entry]);
                    total += weight;
                    if (ok)
                        for (int r = 0; r < 4; ++r)
                            for (int c = 0; c < 4; ++c)
                                sum[r][c] += weight * pose.world[g.matrixIndices[entry]][r][c];
                }
                ok = ok && total > 0;
            } else {
                const auto group = g.vertexGroups[v];
                ok = group < groups.size() && !groups[group].empty();
                for (std::size_t i = 0; ok && i < groups[group].size(); ++i) {
                    ok = nodes.count(groups[group][i]) > 0;
                    if (ok)
                        for (int r = 0; r < 4; ++r)
                            for (int c = 0; c < 4; ++c)
                                sum[r][c] += pose.world[groups[group][i]][r][c] /
                                             static_cast<double>(groups[group].size());
                }
            }
            out.push_back(ok ? apply(sum, g.vertices[v])
                             : D3{g.vertices[v][0], g.vertices[v][1], g.vertices[v][2]});
        }
        pose.alpha.push_back(1);
    }
    std::vector<bool> seen(model.geosets.size());
    for (const auto& a : model.geosetAnimations) {
        if (a.geosetId >= model.geosets.size() || seen[a.geosetId])
            continue;
        seen[a.geosetId] = true;
        double alpha = a.alpha;
        for (const auto& t : a.tracks)
            if (t.tag == mdx::makeTag("KGAO"))
                alpha = plainTrack(model, t, false, start, end, frame, time).value_or(D4{alpha})[0];
        pose.alpha[a.geosetId] = alpha;
    }
    return pose;
}

bool usesFlagsOutsideThePlainRules(const mdx::Model& model) {
    bool found = false;
    auto check = [&](const auto& records) {
        for (const auto& r : records)
            found = found || (r.node.flags & 0x7) != 0;
    };
    check(model.bones), check(model.helpers), check(model.attachments), check(model.lights);
    return found;
}

TEST(CorpusPoses, StayNearTheModelAndMatchAPlainComputation) {
    const auto models = corpusModels();
    if (models.empty())
        GTEST_SKIP() << "no corpus at " << MOLDRIN_CORPUS_DIR;
    int compared = 0;
    for (const auto& [name, model] : models) {
        double low[3] = {1e300, 1e300, 1e300}, high[3] = {-1e300, -1e300, -1e300};
        for (const auto& g : model.geosets)
            for (const auto& v : g.vertices)
                for (int i = 0; i < 3; ++i) {
                    low[i] = std::min(low[i], double(v[i]));
                    high[i] = std::max(high[i], double(v[i]));
                }
        double size = 1;
        for (int i = 0; i < 3; ++i)
            size = std::max(size, high[i] - low[i]);
        const animation::Skeleton skeleton(model);
        animation::Pose pose;
        const bool plain = !usesFlagsOutsideThePlainRules(model);
        for (std::size_t s = 0; s < model.sequences.size(); ++s) {
            const auto& interval = model.sequences[s].interval;
            const double length = std::max<double>(0, double(interval[1]) - interval[0]);
            for (double share : {0.0, 0.3, 0.55, 0.999}) {
                const double time = std::floor(length * share) + 0.5 * (share > 0);
                animation::PoseRequest request;
                request.time = animation::sequenceTime(model, s, time);
                animation::evaluatePose(model, skeleton, request, pose);
                const auto where =
                    name + " sequence " + std::to_string(s + 1) + " at " + std::to_string(time);
                std::optional<PlainPose> expected;
                if (plain && s < 6) {
                    expected = plainPose(model, s, time);
                    ++compared;
                }
                for (std::size_t g = 0; g < model.geosets.size(); ++g) {
                    const auto& vertices = pose.geosets[g].vertices;
                    for (std::size_t v = 0; v < vertices.size(); ++v) {
                        for (int i = 0; i < 3; ++i) {
                            ASSERT_TRUE(vertices[v][i] >= low[i] - 10 * size &&
                                        vertices[v][i] <= high[i] + 10 * size)
                                << where << ": geoset " << g + 1 << " vertex " << v;
                            if (expected) {
                                const double want = expected->vertices[g][v][i];
                                ASSERT_NEAR(vertices[v][i], want, 1e-3 + 1e-4 * std::fabs(want))
                                    << where << ": geoset " << g + 1 << " vertex " << v;
                            }
                        }
                    }
                    if (expected) {
                        ASSERT_NEAR(pose.geosets[g].alpha, expected->alpha[g], 1e-4)
                            << where << ": geoset " << g + 1;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 20) << "too few poses compared with the plain computation";
}

} // namespace
