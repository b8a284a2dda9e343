#include "formats/mdx/track_kinds.h"

#include <array>

namespace mdx {

namespace {

constexpr std::array kinds{
    TrackKind{makeTag("KGTR"), "Translation", 3, false},
    TrackKind{makeTag("KGRT"), "Rotation", 4, false},
    TrackKind{makeTag("KGSC"), "Scaling", 3, false},
    TrackKind{makeTag("KMTF"), "TextureID", 1, true},
    TrackKind{makeTag("KMTA"), "Alpha", 1, false},
    TrackKind{makeTag("KMTE"), "EmissiveGain", 1, false},
    TrackKind{makeTag("KFC3"), "FresnelColor", 3, false},
    TrackKind{makeTag("KFCA"), "FresnelOpacity", 1, false},
    TrackKind{makeTag("KFTC"), "FresnelTeamColor", 1, false},
    TrackKind{makeTag("KTAT"), "Translation", 3, false},
    TrackKind{makeTag("KTAR"), "Rotation", 4, false},
    TrackKind{makeTag("KTAS"), "Scaling", 3, false},
    TrackKind{makeTag("KGAO"), "Alpha", 1, false},
    TrackKind{makeTag("KGAC"), "Color", 3, false},
    TrackKind{makeTag("KLAS"), "AttenuationStart", 1, false},
    TrackKind{makeTag("KLAE"), "AttenuationEnd", 1, false},
    TrackKind{makeTag("KLAC"), "Color", 3, false},
    TrackKind{makeTag("KLAI"), "Intensity", 1, false},
    TrackKind{makeTag("KLBI"), "AmbIntensity", 1, false},
    TrackKind{makeTag("KLBC"), "AmbColor", 3, false},
    TrackKind{makeTag("KLAV"), "Visibility", 1, false},
    TrackKind{makeTag("KATV"), "Visibility", 1, false},
    TrackKind{makeTag("KPEE"), "EmissionRate", 1, false},
    TrackKind{makeTag("KPEG"), "Gravity", 1, false},
    TrackKind{makeTag("KPLN"), "Longitude", 1, false},
    TrackKind{makeTag("KPLT"), "Latitude", 1, false},
    TrackKind{makeTag("KPEL"), "LifeSpan", 1, false},
    TrackKind{makeTag("KPES"), "InitVelocity", 1, false},
    TrackKind{makeTag("KPEV"), "Visibility", 1, false},
    TrackKind{makeTag("KP2S"), "Speed", 1, false},
    TrackKind{makeTag("KP2R"), "Variation", 1, false},
    TrackKind{makeTag("KP2L"), "Latitude", 1, false},
    TrackKind{makeTag("KP2G"), "Gravity", 1, false},
    TrackKind{makeTag("KP2E"), "EmissionRate", 1, false},
    TrackKind{makeTag("KP2N"), "Length", 1, false},
    TrackKind{makeTag("KP2W"), "Width", 1, false},
    TrackKind{makeTag("KP2V"), "Visibility", 1, false},
    TrackKind{makeTag("KRHA"), "HeightAbove", 1, false},
    TrackKind{makeTag("KRHB"), "HeightBelow", 1, false},
    TrackKind{makeTag("KRAL"), "Alpha", 1, false},
    TrackKind{makeTag("KRCO"), "Color", 3, false},
    TrackKind{makeTag("KRTX"), "TextureSlot", 1, true},
    TrackKind{makeTag("KRVS"), "Visibility", 1, false},
    TrackKind{makeTag("KCTR"), "Translation", 3, false},
    TrackKind{makeTag("KCRL"), "Rotation", 1, false},
    TrackKind{makeTag("KTTR"), "Translation", 3, false},
    TrackKind{makeTag("KPPA"), "Alpha", 1, false},
    TrackKind{makeTag("KPPC"), "Color", 3, false},
    TrackKind{makeTag("KPPE"), "EmissionRate", 1, false},
    TrackKind{makeTag("KPPL"), "LifeSpan", 1, false},
    TrackKind{makeTag("KPPS"), "Speed", 1, false},
    TrackKind{makeTag("KPPV"), "Visibility", 1, false},
};

} // namespace

const TrackKind* trackKind(Tag tag) {
    for (const auto& kind : kinds)
        if (kind.tag == tag)
            return &kind;
    return nullptr;
}

std::string tagText(Tag tag) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((tag >> (8 * i)) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '?';
    }
    return text;
}

} // namespace mdx
