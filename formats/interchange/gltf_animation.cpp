#include "formats/interchange/gltf_animation.h"

#include "formats/animation/track_evaluation.h"
#include "formats/interchange/gltf_axes.h"
#include "formats/interchange/node_motion.h"

#include <algorithm>
#include <cmath>

namespace interchange {

namespace {

// The sample times of a node in ms: its keys, and every 1/30 s from 0 up to the length. The
// steps are the same for every node, so that all nodes have samples at those times. A sequence
// longer than maxSteps steps (10 minutes; damaged files have hours) is stepped more coarsely.
std::vector<double> sampleTimes(const std::vector<double>& keys, double length) {
    constexpr double maxSteps = 18000;
    const double step = std::max(1000.0 / samplesPerSecond, length / maxSteps);
    std::vector<double> times;
    for (double k = 0; k * step < length; ++k) {
        // Steps that fall on a whole ms are taken there, where a key there is too.
        const double t = k * step;
        times.push_back(std::abs(t - std::round(t)) < 1e-6 ? std::round(t) : t);
    }
    times.push_back(length);
    for (const double key : keys)
        if (key > 0 && key < length)
            times.push_back(key);
    std::sort(times.begin(), times.end());
    return times;
}

// The interpolation a channel is written with: STEP when its track holds DontInterp keys.
std::string interpolationOf(const mdx::Node& node, mdx::Tag tag) {
    const auto* track = animation::findTrack(node.tracks, tag);
    return track && track->interpolation == 0 ? "STEP" : "LINEAR";
}

void addChannel(tinygltf::Animation& animation, int node, const char* path, int input, int output,
                const std::string& interpolation) {
    tinygltf::AnimationSampler sampler;
    sampler.input = input;
    sampler.output = output;
    sampler.interpolation = interpolation;
    animation.samplers.push_back(sampler);
    tinygltf::AnimationChannel channel;
    channel.sampler = static_cast<int>(animation.samplers.size() - 1);
    channel.target_node = node;
    channel.target_path = path;
    animation.channels.push_back(channel);
}

void addNodeChannels(SequenceMotion& motion, int node, tinygltf::Animation& animation,
                     GltfBuffer& buffer) {
    const auto times = sampleTimes(motion.keyTimes(node), motion.length());
    std::vector<float> seconds;
    std::vector<float> translations, rotations, scales;
    for (const double t : times) {
        const float second = static_cast<float>(t / 1000);
        if (!seconds.empty() && second <= seconds.back())
            continue;
        seconds.push_back(second);
        const auto local = motion.local(node, t);
        const auto tr = gltfPoint(local.translation);
        const auto r = gltfRotation(local.rotation);
        const auto s = gltfScale(local.scale);
        translations.insert(translations.end(), tr.begin(), tr.end());
        rotations.insert(rotations.end(), r.begin(), r.end());
        scales.insert(scales.end(), s.begin(), s.end());
    }
    const int input =
        buffer.addFloats(seconds.data(), seconds.size(), TINYGLTF_TYPE_SCALAR, 0, true);
    const auto& record = *motion.skeleton().nodes[static_cast<std::size_t>(node)].node;
    const bool whole = SequenceMotion::dropsInheritance(record);
    static const mdx::Tag translationTag = mdx::makeTag("KGTR"), rotationTag = mdx::makeTag("KGRT"),
                          scalingTag = mdx::makeTag("KGSC");
    const std::size_t count = seconds.size();
    const struct {
        mdx::Tag tag;
        const char* path;
        const std::vector<float>& values;
        int type;
    } channels[] = {{translationTag, "translation", translations, TINYGLTF_TYPE_VEC3},
                    {rotationTag, "rotation", rotations, TINYGLTF_TYPE_VEC4},
                    {scalingTag, "scale", scales, TINYGLTF_TYPE_VEC3}};
    for (const auto& channel : channels)
        if (whole || animation::findTrack(record.tracks, channel.tag))
            addChannel(animation, node, channel.path, input,
                       buffer.addFloats(channel.values.data(), count, channel.type, 0, false),
                       whole ? "LINEAR" : interpolationOf(record, channel.tag));
}

} // namespace

void addAnimations(const mdx::Model& model, tinygltf::Model& gltf, GltfBuffer& buffer,
                   int fallbackNode, std::vector<std::string>& warnings) {
    if (fallbackNode < 0) {
        if (!model.sequences.empty())
            warnings.push_back("the model has no node and no geoset, so its " +
                               std::to_string(model.sequences.size()) +
                               " sequences cannot be exported");
        return;
    }
    for (std::size_t s = 0; s < model.sequences.size(); ++s) {
        SequenceMotion motion(model, s);
        tinygltf::Animation animation;
        animation.name = model.sequences[s].name;
        const int count = static_cast<int>(motion.skeleton().nodes.size());
        for (int node = 0; node < count; ++node)
            if (motion.moves(node))
                addNodeChannels(motion, node, animation, buffer);
        if (animation.channels.empty()) {
            // Nothing moves: the fallback node holds its rest translation over the length.
            const float seconds[2] = {0, static_cast<float>(motion.length() / 1000)};
            const auto& rest = gltf.nodes[static_cast<std::size_t>(fallbackNode)].translation;
            float values[6] = {};
            for (std::size_t k = 0; k < 6 && rest.size() == 3; ++k)
                values[k] = static_cast<float>(rest[k % 3]);
            const std::size_t keys = seconds[1] > 0 ? 2 : 1;
            const int input = buffer.addFloats(seconds, keys, TINYGLTF_TYPE_SCALAR, 0, true);
            addChannel(animation, fallbackNode, "translation", input,
                       buffer.addFloats(values, keys, TINYGLTF_TYPE_VEC3, 0, false), "STEP");
        }
        gltf.animations.push_back(std::move(animation));
    }
}

} // namespace interchange
