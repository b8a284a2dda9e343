#include "editor/editing/geoset_operations.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/whole_model_edit.h"
#include "editor/model/geoset_model.h"
#include "editor/model/geoset_output.h"
#include "formats/mdx/geoset_list.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

namespace editor {

namespace {

using Index = std::uint32_t;

std::string count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string noGeoset(const mdx::Model& model, int n) {
    return "There is no geoset " + std::to_string(n) + ": the model has " +
           count(model.geosets.size(), "geoset", "geosets") + ".";
}

bool hasGeoset(const mdx::Model& model, int n) {
    return n >= 1 && static_cast<std::size_t>(n) <= model.geosets.size();
}

// Every old geoset made into itself: the start of a list that an operation changes.
std::vector<std::vector<Index>> unchanged(std::size_t count) {
    std::vector<std::vector<Index>> madeFrom(count);
    for (std::size_t g = 0; g < count; ++g)
        madeFrom[g] = {static_cast<Index>(g)};
    return madeFrom;
}

bool onlyTriangles(const mdx::Geoset& geoset) {
    return std::all_of(geoset.faceTypes.begin(), geoset.faceTypes.end(),
                       [](Index type) { return type == 4; });
}

void setTriangles(mdx::Geoset& geoset, std::vector<std::uint16_t> faces) {
    geoset.faces = std::move(faces);
    geoset.faceTypes = {4};
    geoset.faceGroupSizes = {static_cast<Index>(geoset.faces.size())};
}

// The per-vertex data of vertex i of from, appended to to.
void appendVertex(mdx::Geoset& to, const mdx::Geoset& from, std::size_t i) {
    to.vertices.push_back(from.vertices[i]);
    if (i < from.normals.size())
        to.normals.push_back(from.normals[i]);
    if (i < from.vertexGroups.size())
        to.vertexGroups.push_back(from.vertexGroups[i]);
    for (std::size_t set = 0; set < from.uvSets.size() && set < to.uvSets.size(); ++set)
        if (i < from.uvSets[set].size())
            to.uvSets[set].push_back(from.uvSets[set][i]);
    if (from.tangents && to.tangents && i < from.tangents->size())
        to.tangents->push_back((*from.tangents)[i]);
    if (from.skin && to.skin && (i + 1) * 8 <= from.skin->size())
        to.skin->insert(to.skin->end(), from.skin->begin() + static_cast<long>(i * 8),
                        from.skin->begin() + static_cast<long>(i * 8 + 8));
}

// A geoset with from's everything but its vertices and faces.
mdx::Geoset emptyLike(const mdx::Geoset& from) {
    mdx::Geoset geoset = from;
    geoset.vertices.clear();
    geoset.normals.clear();
    geoset.vertexGroups.clear();
    for (auto& set : geoset.uvSets)
        set.clear();
    if (geoset.tangents)
        geoset.tangents->clear();
    if (geoset.skin)
        geoset.skin->clear();
    geoset.faces.clear();
    return geoset;
}

// The geoset of the vertices keep names, in their order, with the triangles whose corners
// are all among them.
mdx::Geoset subset(const mdx::Geoset& from, const std::vector<bool>& keep,
                   const std::vector<std::array<Index, 3>>& triangles) {
    mdx::Geoset part = emptyLike(from);
    std::vector<Index> index(from.vertices.size(), mdx::noId);
    for (std::size_t i = 0; i < from.vertices.size(); ++i)
        if (keep[i]) {
            index[i] = static_cast<Index>(part.vertices.size());
            appendVertex(part, from, i);
        }
    std::vector<std::uint16_t> faces;
    for (const auto& t : triangles)
        for (const Index corner : t)
            faces.push_back(static_cast<std::uint16_t>(index[corner]));
    setTriangles(part, std::move(faces));
    return part;
}

std::vector<std::vector<Index>> matrixGroups(const mdx::Geoset& geoset) {
    std::vector<std::vector<Index>> groups;
    std::size_t at = 0;
    for (const Index size : geoset.matrixGroupSizes) {
        const std::size_t end = std::min(at + size, geoset.matrixIndices.size());
        groups.emplace_back(geoset.matrixIndices.begin() + static_cast<long>(at),
                            geoset.matrixIndices.begin() + static_cast<long>(end));
        at = end;
    }
    return groups;
}

bool sameVersionData(const mdx::Geoset& a, const mdx::Geoset& b) {
    return a.tangents.has_value() == b.tangents.has_value() &&
           a.skin.has_value() == b.skin.has_value() && a.uvSets.size() == b.uvSets.size();
}

// Geoset b joined into geoset a, or why it cannot be.
std::string join(mdx::Geoset& a, const mdx::Geoset& b, const std::string& names) {
    if (!onlyTriangles(a) || !onlyTriangles(b))
        return names + " cannot be merged: a geoset holds other primitives than triangles.";
    if (!sameVersionData(a, b))
        return names + " cannot be merged: one has Reforged data (tangents, skin weights or "
                       "further texture coordinate sets) that the other has not.";
    const std::size_t vertices = a.vertices.size() + b.vertices.size();
    const std::size_t triangles = (a.faces.size() + b.faces.size()) / 3;
    if (vertices > static_cast<std::size_t>(maxGeosetRecords) ||
        triangles > static_cast<std::size_t>(maxGeosetRecords))
        return names + " cannot be merged: together they have " +
               count(vertices, "vertex", "vertices") + " and " +
               count(triangles, "triangle", "triangles") + "; a geoset holds at most " +
               std::to_string(maxGeosetRecords) + " of each.";

    // b's groups join a's equal ones; the rest are added after them. A skin weight names a
    // place in the list of matrix indices, which follows the groups.
    auto groups = matrixGroups(a);
    std::vector<Index> groupOf;
    std::vector<Index> placeOf;
    std::size_t places = a.matrixIndices.size();
    std::vector<std::size_t> firstPlace;
    for (std::size_t g = 0, at = 0; g < groups.size(); at += groups[g].size(), ++g)
        firstPlace.push_back(at);
    for (const auto& group : matrixGroups(b)) {
        auto found = std::find(groups.begin(), groups.end(), group);
        if (found == groups.end()) {
            groups.push_back(group);
            firstPlace.push_back(places);
            places += group.size();
            found = groups.end() - 1;
        }
        const auto g = static_cast<std::size_t>(found - groups.begin());
        groupOf.push_back(static_cast<Index>(g));
        for (std::size_t k = 0; k < group.size(); ++k)
            placeOf.push_back(static_cast<Index>(firstPlace[g] + k));
    }
    if (groups.size() > static_cast<std::size_t>(maxMatrixGroups))
        return names + " cannot be merged: together they have " + std::to_string(groups.size()) +
               " matrix groups; a geoset holds at most " + std::to_string(maxMatrixGroups) + ".";
    if (a.skin && places > 256)
        return names + " cannot be merged: together their skin weights would name " +
               std::to_string(places) + " bones; a geoset's skin weights name at most 256.";

    const auto offset = static_cast<Index>(a.vertices.size());
    for (std::size_t i = 0; i < b.vertices.size(); ++i) {
        appendVertex(a, b, i);
        if (i < b.vertexGroups.size())
            a.vertexGroups.back() = static_cast<std::uint8_t>(b.vertexGroups[i] < groupOf.size()
                                                                  ? groupOf[b.vertexGroups[i]]
                                                                  : b.vertexGroups[i]);
        if (a.skin && b.skin && (i + 1) * 8 <= b.skin->size())
            for (std::size_t k = 0; k < 4; ++k) {
                auto& bone = (*a.skin)[a.skin->size() - 8 + k];
                if (bone < placeOf.size())
                    bone = static_cast<std::uint8_t>(placeOf[bone]);
            }
    }
    a.matrixGroupSizes.clear();
    a.matrixIndices.clear();
    for (const auto& group : groups) {
        a.matrixGroupSizes.push_back(static_cast<Index>(group.size()));
        a.matrixIndices.insert(a.matrixIndices.end(), group.begin(), group.end());
    }
    std::vector<std::uint16_t> faces = a.faces;
    for (const auto corner : b.faces)
        faces.push_back(static_cast<std::uint16_t>(corner + offset));
    setTriangles(a, std::move(faces));
    return {};
}

// The model's geosets become geosets less geoset n (1-based); the later ones move down by one.
void removeGeosetFrom(mdx::Model& model, std::vector<mdx::Geoset> geosets, int n) {
    geosets.erase(geosets.begin() + (n - 1));
    std::vector<std::vector<Index>> madeFrom(model.geosets.size());
    for (std::size_t g = 0; g < madeFrom.size(); ++g)
        if (static_cast<int>(g) != n - 1)
            madeFrom[g] = {static_cast<Index>(static_cast<int>(g) < n - 1 ? g : g - 1)};
    mdx::replaceGeosets(model, std::move(geosets), madeFrom);
}

ModelEditResult done() {
    return {true, {}};
}

ModelEditResult refused(std::string why) {
    return {false, std::move(why)};
}

} // namespace

bool splitSelectionCommand(EditingState& state) {
    if (!state.modelLoaded)
        return false;
    // The geoset as the document will hold it once committed: kept vertices only.
    const auto output = outputIndices(state);
    std::set<Index> selected;
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        if (state.vertices[i].selected && output[i] >= 0)
            selected.insert(static_cast<Index>(output[i]));
    return editWholeModel(state, UndoKind::SplitSelection, [&](mdx::Model& model, int& edited) {
        if (selected.empty())
            return refused("Nothing is selected to split off.");
        auto& geoset = model.geosets.at(static_cast<std::size_t>(edited - 1));
        if (!onlyTriangles(geoset))
            return refused("The geoset holds other primitives than triangles; it cannot "
                           "be split.");
        const std::size_t count = geoset.vertices.size();
        std::vector<bool> inSelection(count, false);
        for (const Index i : selected)
            if (i < count)
                inSelection[i] = true;
        std::vector<std::array<Index, 3>> moving, staying;
        std::vector<bool> usedByStaying(count, false);
        for (std::size_t f = 0; f + 2 < geoset.faces.size(); f += 3) {
            const std::array<Index, 3> t{geoset.faces[f], geoset.faces[f + 1], geoset.faces[f + 2]};
            if (t[0] >= count || t[1] >= count || t[2] >= count)
                return refused("The geoset has faces naming vertices it does not have; "
                               "it cannot be split.");
            if (inSelection[t[0]] && inSelection[t[1]] && inSelection[t[2]]) {
                moving.push_back(t);
            } else {
                staying.push_back(t);
                for (const Index c : t)
                    usedByStaying[c] = true;
            }
        }
        if (moving.empty())
            return refused("No triangle has all its corners selected, so there is nothing "
                           "to split off.");
        if (staying.empty())
            return refused("Every triangle of the geoset is selected, so nothing would be "
                           "left of it.");
        std::vector<bool> keep(count);
        for (std::size_t i = 0; i < count; ++i)
            keep[i] = !inSelection[i] || usedByStaying[i];
        auto newGeoset = subset(geoset, inSelection, moving);
        auto rest = subset(geoset, keep, staying);
        auto geosets = model.geosets;
        geosets[static_cast<std::size_t>(edited - 1)] = std::move(rest);
        geosets.push_back(std::move(newGeoset));
        auto madeFrom = unchanged(model.geosets.size());
        madeFrom[static_cast<std::size_t>(edited - 1)].push_back(
            static_cast<Index>(geosets.size() - 1));
        mdx::replaceGeosets(model, std::move(geosets), madeFrom);
        return done();
    });
}

bool duplicateGeosetCommand(EditingState& state, int n) {
    return editWholeModel(state, UndoKind::DuplicateGeoset, [n](mdx::Model& model, int&) {
        if (!hasGeoset(model, n))
            return refused(noGeoset(model, n));
        auto geosets = model.geosets;
        geosets.push_back(model.geosets[static_cast<std::size_t>(n - 1)]);
        auto madeFrom = unchanged(model.geosets.size());
        madeFrom[static_cast<std::size_t>(n - 1)].push_back(static_cast<Index>(geosets.size() - 1));
        mdx::replaceGeosets(model, std::move(geosets), madeFrom);
        return done();
    });
}

bool deleteGeosetCommand(EditingState& state, int n) {
    return editWholeModel(state, UndoKind::DeleteGeoset, [n](mdx::Model& model, int& edited) {
        if (!hasGeoset(model, n))
            return refused(noGeoset(model, n));
        if (model.geosets.size() == 1)
            return refused("Geoset " + std::to_string(n) +
                           " is the model's only geoset; it is not deleted.");
        removeGeosetFrom(model, model.geosets, n);
        // The edited geoset keeps being edited under its new number; when it was the one
        // removed, the one now in its place (the last one when it was last).
        if (edited > n)
            --edited;
        return done();
    });
}

bool mergeGeosetsCommand(EditingState& state, int a, int b) {
    return editWholeModel(state, UndoKind::MergeGeosets, [a, b](mdx::Model& model, int& edited) {
        for (const int n : {a, b})
            if (!hasGeoset(model, n))
                return refused(noGeoset(model, n));
        if (a == b)
            return refused("Geoset " + std::to_string(a) + " cannot be merged into itself.");
        auto geosets = model.geosets;
        const auto problem = join(geosets[static_cast<std::size_t>(a - 1)],
                                  model.geosets[static_cast<std::size_t>(b - 1)],
                                  "Geosets " + std::to_string(a) + " and " + std::to_string(b));
        if (!problem.empty())
            return refused(problem);
        removeGeosetFrom(model, std::move(geosets), b);
        // Editing goes on in the joined geoset when one of the two was edited.
        if (edited == b)
            edited = a;
        if (edited > b)
            --edited;
        return done();
    });
}

bool setGeosetMaterialCommand(EditingState& state, int n, int material) {
    return editWholeModel(state, UndoKind::SetMaterial, [n, material](mdx::Model& model, int&) {
        if (!hasGeoset(model, n))
            return refused(noGeoset(model, n));
        if (material < 0 || static_cast<std::size_t>(material) >= model.materials.size())
            return refused("There is no material " + std::to_string(material) + ": the model has " +
                           count(model.materials.size(), "material", "materials") +
                           ", numbered from 0.");
        auto& id = model.geosets[static_cast<std::size_t>(n - 1)].materialId;
        if (id == static_cast<Index>(material))
            return ModelEditResult{};
        id = static_cast<Index>(material);
        return done();
    });
}

bool moveGeosetCommand(EditingState& state, int n, int delta) {
    return editWholeModel(state, UndoKind::MoveGeoset, [n, delta](mdx::Model& model, int& edited) {
        if (!hasGeoset(model, n))
            return refused(noGeoset(model, n));
        const int to = n + delta;
        if (to < 1 || static_cast<std::size_t>(to) > model.geosets.size())
            return refused("Geoset " + std::to_string(n) + " is the " +
                           (delta < 0 ? "first" : "last") + " geoset already.");
        auto geosets = model.geosets;
        std::swap(geosets[static_cast<std::size_t>(n - 1)],
                  geosets[static_cast<std::size_t>(to - 1)]);
        auto madeFrom = unchanged(model.geosets.size());
        std::swap(madeFrom[static_cast<std::size_t>(n - 1)],
                  madeFrom[static_cast<std::size_t>(to - 1)]);
        mdx::replaceGeosets(model, std::move(geosets), madeFrom);
        if (edited == n)
            edited = to;
        else if (edited == to)
            edited = n;
        return done();
    });
}

} // namespace editor
