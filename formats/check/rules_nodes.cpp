// The rules on the skeleton: parents, pivots, object ids, unused bones, standard sequences.
#include "formats/check/model_rules.h"
#include "formats/check/model_walk.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace check::rules {

namespace {

std::string nodeName(const NodeEntry& entry) {
    return "node \"" + entry.node->name + "\"";
}

bool startsWithIgnoringCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

} // namespace

void nodeParent(const CheckContext& c, Report& report) {
    for (const auto& entry : c.nodes) {
        const auto parent = entry.node->parentId;
        if (parent == mdx::noId)
            continue;
        if (!c.nodeWithId(parent)) {
            report
                .add(nodeName(entry) + ": its parent id " + std::to_string(parent) +
                     " names no node")
                .node = entry.node->name;
            continue;
        }
        // Walk up; more steps than there are nodes means the chain comes back on itself.
        const NodeEntry* at = &entry;
        std::size_t steps = 0;
        while (at && at->node->parentId != mdx::noId && steps <= c.nodes.size()) {
            at = c.nodeWithId(at->node->parentId);
            ++steps;
            if (at && at->node == entry.node)
                break;
        }
        if (at && at->node == entry.node && steps > 0)
            report.add(nodeName(entry) + " is its own ancestor: its parents form a loop").node =
                entry.node->name;
    }
}

void pivotCount(const CheckContext& c, Report& report) {
    if (c.model.pivots.size() < c.nodes.size())
        report.add(std::to_string(c.model.pivots.size()) + " pivot points for " +
                   std::to_string(c.nodes.size()) + " nodes");
}

void objectIds(const CheckContext& c, Report& report) {
    for (std::size_t i = 0; i < c.nodes.size(); ++i)
        if (c.nodes[i].node->objectId != i) {
            report
                .add(nodeName(c.nodes[i]) + " (" + mdx::tagText(c.nodes[i].kind) +
                     ") has object id " + std::to_string(c.nodes[i].node->objectId) +
                     ", but is node " + std::to_string(i) + " in the file's order")
                .node = c.nodes[i].node->name;
            return; // the ones after it are off by the same cause
        }
}

void boneUnused(const CheckContext& c, Report& report) {
    std::unordered_set<std::uint32_t> used;
    for (const auto& geoset : c.model.geosets)
        used.insert(geoset.matrixIndices.begin(), geoset.matrixIndices.end());
    for (const auto& entry : c.nodes)
        used.insert(entry.node->parentId);
    for (const auto& bone : c.model.bones)
        if (!used.count(bone.node.objectId))
            report
                .add("bone \"" + bone.node.name +
                     "\" moves no vertex and no other node hangs from it")
                .node = bone.node.name;
}

void standardSequences(const CheckContext& c, Report& report) {
    const auto& m = c.model;
    const bool origin = std::any_of(m.attachments.begin(), m.attachments.end(), [](const auto& a) {
        return startsWithIgnoringCase(a.node.name, "origin");
    });
    if (m.bones.empty() || !origin)
        return;
    for (const auto* name : {"stand", "death"}) {
        const bool found = std::any_of(m.sequences.begin(), m.sequences.end(), [&](const auto& s) {
            return startsWithIgnoringCase(s.name, name);
        });
        if (!found)
            report.add(std::string("a unit model without a ") +
                       static_cast<char>(std::toupper(name[0])) + (name + 1) + " sequence");
    }
}

} // namespace check::rules
