#include "model_difference.h"

namespace mdx_test {

namespace {

template <class T> std::string vectorDifference(const char* name, const T& a, const T& b) {
    if (a.size() != b.size())
        return std::string(name) + " count " + std::to_string(a.size()) + " vs " +
               std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i]))
            return std::string(name) + "[" + std::to_string(i) + "]";
    return "";
}

} // namespace

std::string modelDifference(const mdx::Model& a, const mdx::Model& b) {
    if (a.version != b.version)
        return "version";
    if (!(a.info == b.info))
        return "info";
    std::string d;
#define MDX_COMPARE(member)                                                                        \
    if (d.empty())                                                                                 \
        d = vectorDifference(#member, a.member, b.member);
    MDX_COMPARE(sequences)
    MDX_COMPARE(globalSequences)
    MDX_COMPARE(textures)
    MDX_COMPARE(materials)
    MDX_COMPARE(textureAnimations)
    MDX_COMPARE(geosets)
    MDX_COMPARE(geosetAnimations)
    MDX_COMPARE(bones)
    MDX_COMPARE(lights)
    MDX_COMPARE(helpers)
    MDX_COMPARE(attachments)
    MDX_COMPARE(pivots)
    MDX_COMPARE(particleEmitters)
    MDX_COMPARE(particleEmitters2)
    MDX_COMPARE(ribbonEmitters)
    MDX_COMPARE(eventObjects)
    MDX_COMPARE(cameras)
    MDX_COMPARE(collisionShapes)
    MDX_COMPARE(popcornEmitters)
    MDX_COMPARE(faceEffects)
    MDX_COMPARE(bindPoses)
    MDX_COMPARE(unknownChunks)
    MDX_COMPARE(chunkOrder)
#undef MDX_COMPARE
    return d;
}

} // namespace mdx_test
