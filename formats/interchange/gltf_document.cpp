#include "formats/interchange/gltf_document.h"

#include "formats/animation/skeleton.h"
#include "formats/interchange/gltf_animation.h"
#include "formats/interchange/gltf_axes.h"
#include "formats/interchange/gltf_geometry.h"

namespace interchange {

namespace {

std::vector<double> vectorOf(common::Vec3 v) {
    return {v[0], v[1], v[2]};
}

// Node i of the skeleton as glTF node i: its origin at the pivot, at rest translated by
// pivot - parent's pivot, neither turned nor scaled; one without a name is called after its
// ObjectId. Returns the nodes without a parent.
std::vector<int> addSkeletonNodes(const animation::Skeleton& skeleton, tinygltf::Model& gltf) {
    std::vector<int> roots;
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        const auto& node = skeleton.nodes[i];
        tinygltf::Node out;
        out.name = node.node->name.empty() ? "Node " + std::to_string(node.node->objectId)
                                           : node.node->name;
        common::Vec3 offset = node.pivot;
        if (node.parent >= 0)
            offset = common::operator-(offset,
                                       skeleton.nodes[static_cast<std::size_t>(node.parent)].pivot);
        if (offset != common::Vec3{})
            out.translation = vectorOf(gltfPoint(offset));
        gltf.nodes.push_back(std::move(out));
    }
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        const int parent = skeleton.nodes[i].parent;
        if (parent >= 0)
            gltf.nodes[static_cast<std::size_t>(parent)].children.push_back(static_cast<int>(i));
        else
            roots.push_back(static_cast<int>(i));
    }
    return roots;
}

// The skin over every node, each bound at its pivot: inverse bind matrix T(-pivot).
int addSkin(const animation::Skeleton& skeleton, int skeletonRoot, int staticJoint,
            tinygltf::Model& gltf, GltfBuffer& buffer) {
    tinygltf::Skin skin;
    skin.skeleton = skeletonRoot;
    std::vector<float> inverses;
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        skin.joints.push_back(static_cast<int>(i));
        const auto p = gltfPoint(skeleton.nodes[i].pivot);
        inverses.insert(inverses.end(),
                        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -p[0], -p[1], -p[2], 1});
    }
    if (staticJoint >= 0) {
        skin.joints.push_back(staticJoint);
        inverses.insert(inverses.end(), common::identityMatrix.begin(),
                        common::identityMatrix.end());
    }
    skin.inverseBindMatrices =
        buffer.addFloats(inverses.data(), skin.joints.size(), TINYGLTF_TYPE_MAT4, 0, false);
    gltf.skins.push_back(std::move(skin));
    return static_cast<int>(gltf.skins.size() - 1);
}

} // namespace

tinygltf::Model gltfDocument(const mdx::Model& model, const std::filesystem::path& modelFolder,
                             ImageOutput& images, std::vector<std::string>& warnings) {
    tinygltf::Model gltf;
    gltf.asset.version = "2.0";
    gltf.asset.generator = "moldrin";
    GltfBuffer buffer(gltf);
    const animation::Skeleton skeleton(model);
    const auto skeletonRoots = addSkeletonNodes(skeleton, gltf);
    std::vector<int> roots;

    std::vector<std::size_t> exported;
    std::vector<std::vector<std::vector<Influence>>> influences;
    bool anyStatic = false;
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        if (!isExportedGeoset(model.geosets[g]))
            continue;
        exported.push_back(g);
        influences.push_back(vertexInfluences(model.geosets[g], skeleton));
        for (const auto& list : influences.back())
            anyStatic = anyStatic || list.empty();
    }
    // The joints hang off one root that never moves, so that they have a common root; the
    // vertices the pose leaves where they are follow a joint beside them that never moves.
    int skin = -1, staticJoint = -1;
    if (!skeleton.nodes.empty()) {
        tinygltf::Node root;
        root.name = "Skeleton";
        root.children = skeletonRoots;
        gltf.nodes.push_back(std::move(root));
        const int rootIndex = static_cast<int>(gltf.nodes.size() - 1);
        roots.push_back(rootIndex);
        if (anyStatic) {
            tinygltf::Node still;
            still.name = "Unskinned";
            gltf.nodes.push_back(still);
            staticJoint = static_cast<int>(gltf.nodes.size() - 1);
            gltf.nodes[static_cast<std::size_t>(rootIndex)].children.push_back(staticJoint);
        }
        if (!exported.empty())
            skin = addSkin(skeleton, rootIndex, staticJoint, gltf, buffer);
    }

    addMaterials(model, modelFolder, gltf, buffer, images, warnings);
    int firstMeshNode = -1;
    for (std::size_t i = 0; i < exported.size(); ++i) {
        // The joint that never moves comes after the skeleton's in the skin's list.
        const auto sets = skinSets(influences[i], static_cast<int>(skeleton.nodes.size()));
        const int mesh =
            addGeosetMesh(model, exported[i], skin >= 0 ? &sets : nullptr, gltf, buffer, warnings);
        if (mesh < 0)
            continue;
        tinygltf::Node node;
        node.name = gltf.meshes[static_cast<std::size_t>(mesh)].name;
        node.mesh = mesh;
        node.skin = skin;
        gltf.nodes.push_back(std::move(node));
        const int index = static_cast<int>(gltf.nodes.size() - 1);
        roots.push_back(index);
        if (firstMeshNode < 0)
            firstMeshNode = index;
    }
    const int fallback = !skeleton.nodes.empty() ? 0 : firstMeshNode;
    addAnimations(model, gltf, buffer, fallback, warnings);

    tinygltf::Scene scene;
    scene.name = model.info.name.empty() ? "Model" : model.info.name;
    scene.nodes = roots;
    gltf.scenes.push_back(std::move(scene));
    gltf.defaultScene = 0;
    if (gltf.buffers[0].data.empty())
        gltf.buffers.clear();
    return gltf;
}

} // namespace interchange
