#include "formats/versions/geoset_tangents.h"

#include "formats/vertex_tangent.h"

#include <array>
#include <cmath>

namespace versions {

namespace {

using D3 = std::array<double, 3>;

D3 minus(const mdx::Vec3& a, const mdx::Vec3& b) {
    return {double(a[0]) - b[0], double(a[1]) - b[1], double(a[2]) - b[2]};
}

D3 cross(const D3& a, const D3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const D3& a, const D3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

std::vector<mdx::Vec4> computeTangents(const mdx::Geoset& geoset) {
    const std::size_t count = geoset.vertices.size();
    std::vector<D3> tangent(count, D3{}), bitangent(count, D3{});
    const auto* uv = geoset.uvSets.empty() ? nullptr : &geoset.uvSets[0];
    const auto uvOf = [&](std::size_t v) { return uv && v < uv->size() ? (*uv)[v] : mdx::Vec2{}; };
    for (std::size_t f = 0; f + 3 <= geoset.faces.size(); f += 3) {
        const std::size_t a = geoset.faces[f], b = geoset.faces[f + 1], c = geoset.faces[f + 2];
        if (a >= count || b >= count || c >= count)
            continue;
        const D3 e1 = minus(geoset.vertices[b], geoset.vertices[a]);
        const D3 e2 = minus(geoset.vertices[c], geoset.vertices[a]);
        const double du1 = double(uvOf(b)[0]) - uvOf(a)[0], dv1 = double(uvOf(b)[1]) - uvOf(a)[1];
        const double du2 = double(uvOf(c)[0]) - uvOf(a)[0], dv2 = double(uvOf(c)[1]) - uvOf(a)[1];
        const double det = du1 * dv2 - du2 * dv1;
        if (!(std::abs(det) > 1e-12) || !std::isfinite(det))
            continue; // no texture direction on this triangle
        const double r = 1.0 / det;
        const D3 t{(e1[0] * dv2 - e2[0] * dv1) * r, (e1[1] * dv2 - e2[1] * dv1) * r,
                   (e1[2] * dv2 - e2[2] * dv1) * r};
        const D3 s{(e2[0] * du1 - e1[0] * du2) * r, (e2[1] * du1 - e1[1] * du2) * r,
                   (e2[2] * du1 - e1[2] * du2) * r};
        for (const std::size_t v : {a, b, c})
            for (int k = 0; k < 3; ++k) {
                tangent[v][k] += t[k];
                bitangent[v][k] += s[k];
            }
    }
    std::vector<mdx::Vec4> out(count);
    for (std::size_t v = 0; v < count; ++v) {
        const mdx::Vec3 n3 = v < geoset.normals.size() ? geoset.normals[v] : mdx::Vec3{0, 0, 1};
        const D3 n{n3[0], n3[1], n3[2]};
        const double w = dot(cross(n, tangent[v]), bitangent[v]) < 0 ? -1.0 : 1.0;
        const auto t = formats::tangentAcross(n, {tangent[v][0], tangent[v][1], tangent[v][2], w});
        out[v] = {float(t[0]), float(t[1]), float(t[2]), float(t[3])};
    }
    return out;
}

} // namespace versions
