#include "formats/mdx/geoset_list.h"

namespace mdx {

void replaceGeosets(Model& model, std::vector<Geoset> geosets,
                    const std::vector<std::vector<std::uint32_t>>& madeFrom) {
    model.geosets = std::move(geosets);
    std::vector<GeosetAnimation> animations;
    // For each old animation, its first copy among the new ones (noId: removed).
    std::vector<std::uint32_t> firstCopy(model.geosetAnimations.size(), noId);
    for (std::size_t a = 0; a < model.geosetAnimations.size(); ++a) {
        const auto& animation = model.geosetAnimations[a];
        if (animation.geosetId >= madeFrom.size()) {
            firstCopy[a] = static_cast<std::uint32_t>(animations.size());
            animations.push_back(animation); // names no geoset already; the check says so
            continue;
        }
        for (const auto g : madeFrom[animation.geosetId]) {
            if (firstCopy[a] == noId)
                firstCopy[a] = static_cast<std::uint32_t>(animations.size());
            animations.push_back(animation);
            animations.back().geosetId = g;
        }
    }
    model.geosetAnimations = std::move(animations);
    for (auto& bone : model.bones) {
        if (bone.geosetId < madeFrom.size())
            bone.geosetId =
                madeFrom[bone.geosetId].empty() ? noId : madeFrom[bone.geosetId].front();
        if (bone.geosetAnimationId < firstCopy.size())
            bone.geosetAnimationId = firstCopy[bone.geosetAnimationId];
    }
}

} // namespace mdx
