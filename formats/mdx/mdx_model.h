#pragma once

// A whole Warcraft III model in memory: every chunk of the binary form (FormatVersion 800 to
// 1100) as typed records, in the units the file stores. The MDX and MDL readers fill it, the
// MDX and MDL writers write it. Fields keep the file's values bit for bit, including fields
// whose meaning is unknown, so that a model read and written again gives the same bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Equality of the records compares floats as numbers; tests that need bit equality compare the
// written bytes as well.

namespace mdx {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;
using Vec4 = std::array<float, 4>;

// The four-character tag of a chunk or track as the file stores it (first character in the
// lowest byte).
using Tag = std::uint32_t;
constexpr Tag makeTag(const char (&text)[5]) {
    return static_cast<Tag>(static_cast<unsigned char>(text[0])) |
           static_cast<Tag>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<Tag>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<Tag>(static_cast<unsigned char>(text[3])) << 24;
}
std::string tagText(Tag tag);

constexpr std::uint32_t noId = 0xFFFFFFFFu;

// One key of an animation track. Values hold as many components as the track's kind has (the
// rest stay 0); integer tracks hold their integers' bits. Tangents are used only by Hermite
// and Bezier tracks.
struct TrackKey {
    std::int32_t frame = 0;
    Vec4 value{};
    Vec4 inTan{};
    Vec4 outTan{};
    bool operator==(const TrackKey&) const = default;
};

enum class Interpolation : std::uint32_t { DontInterp = 0, Linear = 1, Hermite = 2, Bezier = 3 };

struct Track {
    Tag tag = 0;
    std::uint32_t interpolation = 0; // Interpolation; kept as stored, whatever its value
    std::int32_t globalSequenceId = -1;
    std::vector<TrackKey> keys;
    bool operator==(const Track&) const = default;
    bool hasTangents() const { return interpolation > 1; }
};
using Tracks = std::vector<Track>;

struct Extent {
    float boundsRadius = 0;
    Vec3 minimum{};
    Vec3 maximum{};
    bool operator==(const Extent&) const = default;
};

struct ModelInfo {
    std::string name;
    std::string animationFile;
    Extent extent;
    std::uint32_t blendTime = 0;
    bool operator==(const ModelInfo&) const = default;
};

struct Sequence {
    std::string name;
    std::array<std::uint32_t, 2> interval{};
    float moveSpeed = 0;
    std::uint32_t flags = 0; // 1 = NonLooping
    float rarity = 0;
    std::uint32_t syncPoint = 0;
    Extent extent;
    bool operator==(const Sequence&) const = default;
};

struct Texture {
    std::uint32_t replaceableId = 0;
    std::string path;
    std::uint32_t flags = 0; // 1 = WrapWidth, 2 = WrapHeight
    bool operator==(const Texture&) const = default;
};

// One texture of a layer of FormatVersion 1100 and later.
struct LayerTexture {
    std::uint32_t textureId = 0;
    std::uint32_t semantic = 0;
    Tracks tracks;
    bool operator==(const LayerTexture&) const = default;
};

struct Layer {
    std::uint32_t filterMode = 0;
    std::uint32_t shadingFlags = 0;
    std::uint32_t textureId = 0;
    std::uint32_t textureAnimationId = noId;
    std::uint32_t coordId = 0;
    float alpha = 1;
    float emissiveGain = 1;     // FormatVersion 900 and later
    Vec3 fresnelColor{1, 1, 1}; // 1000 and later, with the two below
    float fresnelOpacity = 0;
    float fresnelTeamColor = 0;
    std::uint32_t hd = 0; // 1100 and later, with the textures
    std::vector<LayerTexture> textures;
    Tracks tracks;
    std::string extra; // bytes inside the layer's size that follow what is known
    bool operator==(const Layer&) const = default;
};

struct Material {
    std::int32_t priorityPlane = 0;
    std::uint32_t flags = 0;
    std::string shader; // 900 and later
    std::vector<Layer> layers;
    std::string extra;
    bool operator==(const Material&) const = default;
};

struct TextureAnimation {
    Tracks tracks;
    std::string extra;
    bool operator==(const TextureAnimation&) const = default;
};

struct Geoset {
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals;
    // The face groups as stored: primitive types (4 = triangles), index counts, and all
    // indices of all groups one after the other.
    std::vector<std::uint32_t> faceTypes;
    std::vector<std::uint32_t> faceGroupSizes;
    std::vector<std::uint16_t> faces;
    std::vector<std::uint8_t> vertexGroups;
    std::vector<std::uint32_t> matrixGroupSizes;
    std::vector<std::uint32_t> matrixIndices;
    std::uint32_t materialId = 0;
    std::uint32_t selectionGroup = 0;
    std::uint32_t selectionFlags = 0; // 4 = Unselectable
    std::uint32_t lod = 0;            // 900 and later, with its name
    std::string lodName;
    Extent extent;
    std::vector<Extent> sequenceExtents;
    std::optional<std::vector<Vec4>> tangents;     // 900 and later
    std::optional<std::vector<std::uint8_t>> skin; // 900 and later, 8 bytes a vertex
    std::vector<std::vector<Vec2>> uvSets;
    std::string extra;
    bool operator==(const Geoset&) const = default;
};

struct GeosetAnimation {
    float alpha = 1;
    std::uint32_t flags = 0; // 1 = DropShadow, 2 = Color
    Vec3 color{1, 1, 1};
    std::uint32_t geosetId = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const GeosetAnimation&) const = default;
};

// The part every animated object of the skeleton shares.
struct Node {
    std::string name;
    std::uint32_t objectId = 0;
    std::uint32_t parentId = noId;
    std::uint32_t flags = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const Node&) const = default;
};

struct Bone {
    Node node;
    std::uint32_t geosetId = noId;
    std::uint32_t geosetAnimationId = noId;
    bool operator==(const Bone&) const = default;
};

struct Light {
    Node node;
    std::uint32_t type = 0; // 0 Omnidirectional, 1 Directional, 2 Ambient
    float attenuationStart = 0;
    float attenuationEnd = 0;
    Vec3 color{1, 1, 1};
    float intensity = 0;
    Vec3 ambientColor{1, 1, 1};
    float ambientIntensity = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const Light&) const = default;
};

struct Helper {
    Node node;
    bool operator==(const Helper&) const = default;
};

struct Attachment {
    Node node;
    std::string path;
    std::uint32_t attachmentId = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const Attachment&) const = default;
};

struct ParticleEmitter {
    Node node;
    float emissionRate = 0;
    float gravity = 0;
    float longitude = 0;
    float latitude = 0;
    std::string path;
    float lifespan = 0;
    float speed = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const ParticleEmitter&) const = default;
};

struct ParticleEmitter2 {
    Node node;
    float speed = 0;
    float variation = 0;
    float latitude = 0;
    float gravity = 0;
    float lifespan = 0;
    float emissionRate = 0;
    float width = 0;
    float length = 0;
    std::uint32_t filterMode = 0;
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::uint32_t headOrTail = 0;
    float tailLength = 0;
    float time = 0;
    std::array<Vec3, 3> segmentColor{};
    std::array<std::uint8_t, 3> segmentAlpha{};
    Vec3 segmentScaling{};
    std::array<std::uint32_t, 3> headIntervals{};
    std::array<std::uint32_t, 3> headDecayIntervals{};
    std::array<std::uint32_t, 3> tailIntervals{};
    std::array<std::uint32_t, 3> tailDecayIntervals{};
    std::uint32_t textureId = 0;
    std::uint32_t squirt = 0;
    std::int32_t priorityPlane = 0;
    std::uint32_t replaceableId = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const ParticleEmitter2&) const = default;
};

struct RibbonEmitter {
    Node node;
    float heightAbove = 0;
    float heightBelow = 0;
    float alpha = 0;
    Vec3 color{};
    float lifespan = 0;
    std::uint32_t textureSlot = 0;
    std::uint32_t emissionRate = 0;
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::uint32_t materialId = 0;
    float gravity = 0;
    Tracks tracks;
    std::string extra;
    bool operator==(const RibbonEmitter&) const = default;
};

struct EventTrack {
    std::int32_t globalSequenceId = -1;
    std::vector<std::uint32_t> frames;
    bool operator==(const EventTrack&) const = default;
};

struct EventObject {
    Node node;
    std::optional<EventTrack> track;
    bool operator==(const EventObject&) const = default;
};

struct Camera {
    std::string name;
    Vec3 position{};
    float fieldOfView = 0;
    float farClip = 0;
    float nearClip = 0;
    Vec3 targetPosition{};
    Tracks tracks;
    std::string extra;
    bool operator==(const Camera&) const = default;
};

// Shape types: 0 Box, 1 Plane, 2 Sphere, 3 Cylinder. Spheres have one vertex, the others two;
// spheres and cylinders have a radius.
struct CollisionShape {
    Node node;
    std::uint32_t type = 0;
    std::vector<Vec3> vertices;
    float boundsRadius = 0;
    bool operator==(const CollisionShape&) const = default;
};

struct PopcornEmitter {
    Node node;
    float lifespan = 0;
    float emissionRate = 0;
    float speed = 0;
    Vec3 color{1, 1, 1};
    float alpha = 1;
    std::uint32_t replaceableId = 0;
    std::string path;
    std::string animationVisibilityGuide;
    Tracks tracks;
    std::string extra;
    bool operator==(const PopcornEmitter&) const = default;
};

struct FaceEffect {
    std::string target;
    std::string path;
    bool operator==(const FaceEffect&) const = default;
};

using BindPose = std::array<float, 12>;

struct UnknownChunk {
    Tag tag = 0;
    std::string bytes;
    bool operator==(const UnknownChunk&) const = default;
};

struct Model {
    std::uint32_t version = 800;
    ModelInfo info;
    std::vector<Sequence> sequences;
    std::vector<std::uint32_t> globalSequences;
    std::vector<Texture> textures;
    std::vector<Material> materials;
    std::vector<TextureAnimation> textureAnimations;
    std::vector<Geoset> geosets;
    std::vector<GeosetAnimation> geosetAnimations;
    std::vector<Bone> bones;
    std::vector<Light> lights;
    std::vector<Helper> helpers;
    std::vector<Attachment> attachments;
    std::vector<Vec3> pivots;
    std::vector<ParticleEmitter> particleEmitters;
    std::vector<ParticleEmitter2> particleEmitters2;
    std::vector<RibbonEmitter> ribbonEmitters;
    std::vector<EventObject> eventObjects;
    std::vector<Camera> cameras;
    std::vector<CollisionShape> collisionShapes;
    std::vector<PopcornEmitter> popcornEmitters;
    std::vector<FaceEffect> faceEffects;
    std::vector<BindPose> bindPoses;
    std::vector<UnknownChunk> unknownChunks;
    // The chunks in the order the file gave them (an unknown chunk once for each). Writers
    // follow it, then add any chunk the model holds that it does not name.
    std::vector<Tag> chunkOrder;
    bool operator==(const Model&) const = default;
};

} // namespace mdx
