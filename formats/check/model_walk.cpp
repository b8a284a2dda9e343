#include "formats/check/model_walk.h"

#include "formats/mdx/mdx_file.h"

#include <algorithm>

namespace check {

namespace {

using mdx::makeTag;

template <class R>
void appendNodes(std::vector<NodeEntry>& out, const std::vector<R>& records, mdx::Tag kind) {
    for (const auto& record : records)
        out.push_back({&record.node, kind});
}

void appendKind(std::vector<NodeEntry>& out, const mdx::Model& m, mdx::Tag kind) {
    if (kind == makeTag("BONE"))
        appendNodes(out, m.bones, kind);
    else if (kind == makeTag("LITE"))
        appendNodes(out, m.lights, kind);
    else if (kind == makeTag("HELP"))
        appendNodes(out, m.helpers, kind);
    else if (kind == makeTag("ATCH"))
        appendNodes(out, m.attachments, kind);
    else if (kind == makeTag("PREM"))
        appendNodes(out, m.particleEmitters, kind);
    else if (kind == makeTag("PRE2"))
        appendNodes(out, m.particleEmitters2, kind);
    else if (kind == makeTag("RIBB"))
        appendNodes(out, m.ribbonEmitters, kind);
    else if (kind == makeTag("EVTS"))
        appendNodes(out, m.eventObjects, kind);
    else if (kind == makeTag("CLID"))
        appendNodes(out, m.collisionShapes, kind);
    else if (kind == makeTag("CORN"))
        appendNodes(out, m.popcornEmitters, kind);
}

} // namespace

std::vector<NodeEntry> nodesInFileOrder(const mdx::Model& model) {
    std::vector<mdx::Tag> kinds;
    const auto add = [&](mdx::Tag tag) {
        if (std::find(kinds.begin(), kinds.end(), tag) == kinds.end())
            kinds.push_back(tag);
    };
    for (auto tag : model.chunkOrder)
        add(tag);
    for (auto tag : mdx::usualChunkOrder())
        add(tag);
    std::vector<NodeEntry> nodes;
    for (auto tag : kinds)
        appendKind(nodes, model, tag);
    return nodes;
}

std::string TrackOwner::describe() const {
    const std::string kindText(kind);
    if (name)
        return kindText + " \"" + *name + "\"";
    if (kindText == "material")
        return "material " + std::to_string(index) + " layer " + std::to_string(layer);
    return kindText + " " + std::to_string(index);
}

std::string placeList(const char* what, const std::vector<std::uint32_t>& places) {
    constexpr std::size_t shown = 5;
    std::string text = what;
    for (std::size_t i = 0; i < places.size() && i < shown; ++i)
        text += (i ? ", " : " ") + std::to_string(places[i]);
    if (places.size() > shown)
        text += " and " + std::to_string(places.size() - shown) + " more";
    return text;
}

} // namespace check
