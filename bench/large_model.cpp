#include "large_model.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace bench {

namespace {

void smallGeoset(std::ostringstream& out, double offset, int group) {
    out << "Geoset {\r\n\tVertices 3 {\r\n";
    out << "\t\t{ " << offset << ", 0, 0 },\r\n\t\t{ " << offset << ", 1, 0 },\r\n\t\t{ " << offset
        << ", 0, 1 },\r\n\t}\r\n";
    out << "\tNormals 3 {\r\n";
    for (int i = 0; i < 3; ++i)
        out << "\t\t{ 1, 0, 0 },\r\n";
    out << "\t}\r\n\tTVertices 3 {\r\n\t\t{ 0, 0 },\r\n\t\t{ 1, 0 },\r\n\t\t{ 0, 1 },\r\n\t}\r\n";
    out << "\tVertexGroup {\r\n";
    for (int i = 0; i < 3; ++i)
        out << "\t\t0,\r\n";
    out << "\t}\r\n\tFaces 1 3 {\r\n\t\tTriangles {\r\n\t\t\t{ 0, 1, 2 },\r\n\t\t}\r\n\t}\r\n";
    out << "\tGroups 1 1 {\r\n\t\tMatrices { " << group << " },\r\n\t}\r\n";
    out << "\tMinimumExtent { 0, 0, 0 },\r\n\tMaximumExtent { 1, 1, 1 },\r\n";
    out << "\tBoundsRadius 1,\r\n\tMaterialID 0,\r\n\tSelectionGroup 0,\r\n}\r\n";
}

// A zigzag band: vertex i sits on one of two rails wound round a cylinder; triangle i joins
// vertices i, i + 1, i + 2, and two more triangles bring the count to n triangles for n vertices.
void largeGeoset(std::ostringstream& out, int n) {
    out.precision(9);
    out << "Geoset {\r\n\tVertices " << n << " {\r\n";
    for (int i = 0; i < n; ++i) {
        const double angle = (i / 2) * 0.05;
        const double radius = 40 + (i % 2) * 3;
        out << "\t\t{ " << radius * std::cos(angle) << ", " << radius * std::sin(angle) << ", "
            << (i / 2) * 0.01 << " },\r\n";
    }
    out << "\t}\r\n\tNormals " << n << " {\r\n";
    for (int i = 0; i < n; ++i) {
        const double angle = (i / 2) * 0.05;
        out << "\t\t{ " << std::cos(angle) << ", " << std::sin(angle) << ", 0 },\r\n";
    }
    out << "\t}\r\n\tTVertices " << n << " {\r\n";
    for (int i = 0; i < n; ++i)
        out << "\t\t{ " << (i % 2) << ", " << (i / 2) / 16384.0 << " },\r\n";
    out << "\t}\r\n\tVertexGroup {\r\n";
    for (int i = 0; i < n; ++i)
        out << "\t\t" << (i * 4 / n) << ",\r\n";
    out << "\t}\r\n\tFaces 1 " << 3 * n << " {\r\n\t\tTriangles {\r\n\t\t\t{ ";
    for (int i = 0; i + 2 < n; ++i)
        out << i << ", " << i + 1 << ", " << i + 2 << ", ";
    out << "0, 2, 4, 1, 3, 5 },\r\n\t\t}\r\n\t}\r\n";
    out << "\tGroups 4 5 {\r\n\t\tMatrices { 0 },\r\n\t\tMatrices { 1 },\r\n";
    out << "\t\tMatrices { 1, 2 },\r\n\t\tMatrices { 3 },\r\n\t}\r\n";
    out << "\tMinimumExtent { -43, -43, 0 },\r\n\tMaximumExtent { 43, 43, 82 },\r\n";
    out << "\tBoundsRadius 90,\r\n\tMaterialID 0,\r\n\tSelectionGroup 0,\r\n}\r\n";
}

} // namespace

std::string largeModelText(int vertexCount) {
    std::ostringstream out;
    out << "Version {\r\n\tFormatVersion 800,\r\n}\r\n";
    out << "Model \"Large\" {\r\n\tNumGeosets 4,\r\n\tNumGeosetAnims 2,\r\n\tNumBones 4,\r\n";
    out << "\tBlendTime 150,\r\n}\r\n";
    out << "Sequences 2 {\r\n\tAnim \"Stand\" {\r\n\t\tInterval { 0, 1000 },\r\n\t}\r\n";
    out << "\tAnim \"Walk\" {\r\n\t\tInterval { 1000, 2000 },\r\n\t}\r\n}\r\n";
    out << "Textures 1 {\r\n\tBitmap {\r\n\t\tImage \"Textures\\White.blp\",\r\n\t}\r\n}\r\n";
    out << "Materials 1 {\r\n\tMaterial {\r\n\t\tLayer {\r\n\t\t\tFilterMode None,\r\n";
    out << "\t\t\tstatic TextureID 0,\r\n\t\t}\r\n\t}\r\n}\r\n";
    smallGeoset(out, 0, 0);
    smallGeoset(out, 2, 1);
    smallGeoset(out, 4, 2);
    largeGeoset(out, vertexCount);
    out << "GeosetAnim {\r\n\tAlpha 1,\r\n\tGeosetId 1,\r\n}\r\n";
    out << "GeosetAnim {\r\n\tAlpha 1,\r\n\tGeosetId 3,\r\n}\r\n";
    for (int b = 0; b < 4; ++b) {
        out << "Bone \"Bone" << b << "\" {\r\n\tObjectId " << b << ",\r\n";
        if (b > 0)
            out << "\tParent " << b - 1 << ",\r\n";
        out << "\tGeosetId " << (b < 3 ? std::to_string(b) : "Multiple") << ",\r\n";
        out << "\tGeosetAnimId " << (b == 1 ? "0" : b == 3 ? "1" : "None") << ",\r\n}\r\n";
    }
    out << "PivotPoints 4 {\r\n";
    for (int b = 0; b < 4; ++b)
        out << "\t{ 0, 0, " << b * 10 << " },\r\n";
    out << "}\r\n";
    return out.str();
}

std::filesystem::path writeLargeModel(const std::filesystem::path& folder, int vertexCount) {
    std::filesystem::create_directories(folder);
    const auto path = folder / "large.mdl";
    std::ofstream(path, std::ios::binary) << largeModelText(vertexCount);
    return path;
}

} // namespace bench
