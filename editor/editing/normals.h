#pragma once

namespace editor {

struct EditingState;
struct VertexRecord;

// A triple of doubles in editor axes.
struct Vector3 {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const Vector3&) const = default;
};

// The vector divided by its length; (1, 0, 0) when the length is exactly 0.
Vector3 unitVector(double x, double y, double z);

// The unit vector from vertex b toward vertex a (1-based indices); (0, 0, 0) when the two lie
// at exactly the same position.
Vector3 unitDirection(const EditingState& state, int a, int b);

// The corner (1, 2 or 3) of face f (1-based) whose vertex lies exactly at the position of
// vertex v (1-based); when several do, the one naming the highest vertex index wins, and of
// two corners naming that same vertex the later one. -1 when no corner does.
int cornerInFace(const EditingState& state, int v, int f);

// Sets the normal of vertex v (1-based) to the normalised sum, over every face with a corner at
// v's position (deleted records included), of the unit vectors from that corner's two
// neighbours toward it.
void calcVertexNormal(EditingState& state, int v);

// Makes the vertex's tangent perpendicular to its normal again, keeping its sign (a vertex
// without a tangent gets one across its normal, sign 1).
void fitTangentToNormal(VertexRecord& vertex);

// Tools > Recalculate Normals: calcVertexNormal for every selected vertex, computed once per
// distinct position so that a whole geoset takes one pass over the faces; tangents follow.
void recalcNormals(EditingState& state);

// Tools > Snap Normals: gives every selected vertex the normalised sum of their normals;
// tangents follow.
void snapNormalsCommand(EditingState& state);

} // namespace editor
