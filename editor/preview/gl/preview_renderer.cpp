#include "editor/preview/gl/preview_renderer.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/glcorearb.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace editor::preview {

namespace {

// Skinning, shared by the mesh and overlay programs: each vertex follows up to eight bones
// (indices into the palette, four texels a matrix, and weights); one with no weight at all
// stays where it is.
const char* const skinningSource = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 3) in uvec4 bonesA;
layout(location = 4) in uvec4 bonesB;
layout(location = 5) in vec4 weightsA;
layout(location = 6) in vec4 weightsB;
uniform samplerBuffer palette;
uniform bool skinned;
mat4 bone(uint index) {
    int at = int(index) * 4;
    return mat4(texelFetch(palette, at), texelFetch(palette, at + 1),
                texelFetch(palette, at + 2), texelFetch(palette, at + 3));
}
mat4 skinMatrix() {
    if (!skinned || dot(weightsA, vec4(1.0)) + dot(weightsB, vec4(1.0)) <= 0.0)
        return mat4(1.0);
    mat4 sum = mat4(0.0);
    for (int i = 0; i < 4; ++i) {
        if (weightsA[i] > 0.0)
            sum += weightsA[i] * bone(bonesA[i]);
        if (weightsB[i] > 0.0)
            sum += weightsB[i] * bone(bonesB[i]);
    }
    sum[3][3] = 1.0;
    return sum;
}
)";

const char* const meshVertexBody = R"(
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
uniform mat4 viewProjection;
uniform mat3 uvMap;
out vec3 vNormal;
out vec2 vUv;
void main() {
    mat4 skin = skinMatrix();
    vNormal = mat3(skin) * normal;
    vUv = (uvMap * vec3(uv, 1.0)).xy;
    gl_Position = viewProjection * (skin * vec4(position, 1.0));
}
)";

// The fragment shader of the meshes. With EDGES defined it takes its inputs from the edge
// geometry shader below and mixes the edge colour in within about a pixel of each triangle's
// sides: the edited geoset's wireframe, drawn in the same pass as its surface.
const char* const meshFragmentBody = R"(
#ifdef EDGES
in vec3 gNormal;
in vec2 gUv;
noperspective in vec3 edgeDistance;
uniform vec4 edgeColour;
#define vNormal gNormal
#define vUv gUv
#else
in vec3 vNormal;
in vec2 vUv;
#endif
uniform sampler2D picture;
uniform vec4 tint;
uniform vec3 lightDirection;
uniform bool lit;
uniform bool alphaTest;
out vec4 colour;
void main() {
    vec4 texel = texture(picture, vUv) * tint;
    if (alphaTest && texel.a < 0.75)
        discard;
    float light = 1.0;
    if (lit) {
        vec3 n = normalize(vNormal);
        if (!gl_FrontFacing)
            n = -n;
        light = 0.45 + 0.55 * max(dot(n, lightDirection), 0.0);
    }
    colour = vec4(texel.rgb * light, texel.a);
#ifdef EDGES
    float nearest = min(edgeDistance.x, min(edgeDistance.y, edgeDistance.z));
    if (nearest < 0.8)
        colour = vec4(mix(colour.rgb, edgeColour.rgb, edgeColour.a), max(colour.a, edgeColour.a));
#endif
}
)";

// Gives every corner of a triangle its distance in pixels to the opposite side, so that the
// fragment shader knows how near each fragment lies to an edge. Mesa's software renderer draws
// this far faster than a line for every edge.
const char* const edgeGeometryShader = R"(#version 330 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
uniform vec2 viewportSize;
in vec3 vNormal[];
in vec2 vUv[];
out vec3 gNormal;
out vec2 gUv;
noperspective out vec3 edgeDistance;
void main() {
    vec2 p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = viewportSize * 0.5 * gl_in[i].gl_Position.xy / gl_in[i].gl_Position.w;
    float area = abs((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x));
    vec3 heights = vec3(area / max(length(p[2] - p[1]), 1e-6),
                        area / max(length(p[2] - p[0]), 1e-6),
                        area / max(length(p[1] - p[0]), 1e-6));
    for (int i = 0; i < 3; ++i) {
        gNormal = vNormal[i];
        gUv = vUv[i];
        edgeDistance = vec3(0.0);
        edgeDistance[i] = heights[i];
        gl_Position = gl_in[i].gl_Position;
        EmitVertex();
    }
    EndPrimitive();
}
)";

const char* const overlayVertexBody = R"(
uniform mat4 viewProjection;
void main() {
    gl_Position = viewProjection * (skinMatrix() * vec4(position, 1.0));
}
)";

const char* const overlayFragmentShader = R"(#version 330 core
uniform vec4 tint;
out vec4 colour;
void main() {
    colour = tint;
}
)";

constexpr std::array<float, 4> edgeColour{1.0f, 0.62f, 0.1f, 0.45f};
constexpr std::array<float, 4> selectedColour{1.0f, 0.1f, 0.1f, 1.0f};
constexpr std::array<float, 4> markerColour{0.2f, 1.0f, 0.3f, 1.0f};
constexpr std::array<float, 4> skeletonColour{0.95f, 0.95f, 0.55f, 1.0f};
constexpr std::array<float, 4> highlightedBoneColour{0.2f, 0.9f, 1.0f, 1.0f};
constexpr GLint paletteUnit = 1;

GLuint compile(GLenum kind, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        std::array<char, 1024> log{};
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        error = std::string("a shader does not compile: ") + log.data();
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(const char* vertexSource, const char* fragmentSource, std::string& error,
            const char* geometrySource = nullptr) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, error);
    const GLuint fragment = vertex ? compile(GL_FRAGMENT_SHADER, fragmentSource, error) : 0;
    const GLuint geometry =
        fragment && geometrySource ? compile(GL_GEOMETRY_SHADER, geometrySource, error) : 0;
    if (!fragment || (geometrySource && !geometry)) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    if (geometry)
        glAttachShader(program, geometry);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    glDeleteShader(geometry);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        error = "the shaders do not link";
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

void setBlend(BlendMode mode) {
    switch (mode) {
    case BlendMode::Opaque:
    case BlendMode::AlphaTest:
        glDisable(GL_BLEND);
        return;
    case BlendMode::Blend:
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendMode::Additive:
    case BlendMode::AddAlpha:
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case BlendMode::Modulate:
        glBlendFunc(GL_ZERO, GL_SRC_COLOR);
        break;
    case BlendMode::Modulate2x:
        glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
        break;
    }
    glEnable(GL_BLEND);
}

struct GpuMesh {
    GLuint vao = 0;
    GLuint vertexBuffer = 0;
    GLuint skinBuffer = 0;
    GLuint indexBuffer = 0;
    GLsizei indexCount = 0;
    std::uint64_t revision = 0;
};

struct GpuTexture {
    const common::RgbaImage* source = nullptr;
    GLuint name = 0;
};

// A list of indices into the edited mesh's vertices, drawn as points.
struct GpuIndexList {
    GLuint vao = 0;
    GLuint indexBuffer = 0;
    GLsizei count = 0;
    std::uint64_t revision = 0;
    GLuint attachedTo = 0; // the vertex buffer the vertex array reads
};

// A list of points, x y z each, drawn as lines or points.
struct GpuPoints {
    GLuint vao = 0;
    GLuint buffer = 0;
    GLsizei count = 0;
    std::uint64_t revision = 0;
};

// A mesh program and the places of its settings.
struct MeshProgram {
    GLuint name = 0;
    GLint viewProjection = -1, tint = -1, light = -1, lit = -1, alphaTest = -1, picture = -1,
          edges = -1, viewportSize = -1, uvMap = -1, palette = -1, skinned = -1;

    bool build(bool drawsEdges, std::string& error) {
        const std::string fragment = std::string("#version 330 core\n") +
                                     (drawsEdges ? "#define EDGES\n" : "") + meshFragmentBody;
        const std::string vertex = std::string(skinningSource) + meshVertexBody;
        name = link(vertex.c_str(), fragment.c_str(), error,
                    drawsEdges ? edgeGeometryShader : nullptr);
        if (!name)
            return false;
        viewProjection = glGetUniformLocation(name, "viewProjection");
        tint = glGetUniformLocation(name, "tint");
        light = glGetUniformLocation(name, "lightDirection");
        lit = glGetUniformLocation(name, "lit");
        alphaTest = glGetUniformLocation(name, "alphaTest");
        picture = glGetUniformLocation(name, "picture");
        edges = glGetUniformLocation(name, "edgeColour");
        viewportSize = glGetUniformLocation(name, "viewportSize");
        uvMap = glGetUniformLocation(name, "uvMap");
        palette = glGetUniformLocation(name, "palette");
        skinned = glGetUniformLocation(name, "skinned");
        return true;
    }

    // Uses the program with the frame's settings.
    void use(const Mat4& viewProjectionMatrix, Vec3 lightDirection, int width, int height) const {
        glUseProgram(name);
        glUniformMatrix4fv(viewProjection, 1, GL_FALSE, viewProjectionMatrix.data());
        glUniform3f(light, lightDirection[0], lightDirection[1], lightDirection[2]);
        glUniform1i(picture, 0);
        glUniform4fv(edges, 1, edgeColour.data());
        glUniform2f(viewportSize, static_cast<float>(width), static_cast<float>(height));
        glUniform1i(palette, paletteUnit);
        glUniform1i(skinned, 1);
    }
};

// The 3 x 3 matrix (column-major) of a texture coordinate map.
std::array<float, 9> uvMatrix(const animation::UvTransform& m) {
    return {m[0], m[1], 0, m[2], m[3], 0, m[4], m[5], 1};
}

} // namespace

struct PreviewRenderer::Gpu {
    MeshProgram plain;
    MeshProgram withEdges; // the edited geoset
    GLuint overlayProgram = 0;
    GLint overlayViewProjection = -1, overlayTint = -1, overlaySkinned = -1, overlayPalette = -1;
    // The bone palette: a buffer of four RGBA float texels a matrix, read as a buffer texture.
    GLuint paletteBuffer = 0;
    GLuint paletteTexture = 0;
    std::uint64_t paletteRevision = 0;
    bool paletteMade = false;
    GLuint missingTexture = 0; // light grey, so that the lighting still shows on it
    std::vector<GpuMesh> meshes;
    std::vector<GpuTexture> textures;
    GpuIndexList selection;
    GpuPoints markers;
    GpuPoints skeleton;
    GpuPoints highlighted;

    void syncMeshes(const Scene& scene);
    void syncTextures(const Scene& scene);
    void syncPalette(const ScenePose& pose);
    void syncIndexList(GpuIndexList& list, const std::vector<std::uint32_t>& indices,
                       std::uint64_t revision, const GpuMesh& mesh);
    void drawPoints(GpuPoints& points, const std::vector<float>& positions, std::uint64_t revision,
                    GLenum mode, const std::array<float, 4>& colour);
    void drawMeshes(const Scene& scene, bool translucent);
};

namespace {

GLuint uploadTexture(const common::RgbaImage& image) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Rows go from the top of the picture: texture coordinate v = 0 is its top row, as the
    // model's coordinates mean it.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

void attachPositions(GLuint vertexBuffer, bool withNormalsAndUvs) {
    const GLsizei stride = floatsPerVertex * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    if (!withNormalsAndUvs)
        return;
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(6 * sizeof(float)));
}

void attachSkin(GLuint skinBuffer) {
    constexpr GLsizei stride = sizeof(SkinVertex);
    const auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
    glBindBuffer(GL_ARRAY_BUFFER, skinBuffer);
    for (GLuint a : {3u, 4u, 5u, 6u})
        glEnableVertexAttribArray(a);
    glVertexAttribIPointer(3, 4, GL_UNSIGNED_SHORT, stride, at(offsetof(SkinVertex, bones)));
    glVertexAttribIPointer(4, 4, GL_UNSIGNED_SHORT, stride,
                           at(offsetof(SkinVertex, bones) + 4 * sizeof(std::uint16_t)));
    glVertexAttribPointer(5, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(SkinVertex, weights)));
    glVertexAttribPointer(6, 4, GL_FLOAT, GL_FALSE, stride,
                          at(offsetof(SkinVertex, weights) + 4 * sizeof(float)));
}

void freeMesh(GpuMesh& mesh) {
    glDeleteVertexArrays(1, &mesh.vao);
    glDeleteBuffers(1, &mesh.vertexBuffer);
    glDeleteBuffers(1, &mesh.skinBuffer);
    glDeleteBuffers(1, &mesh.indexBuffer);
    mesh = GpuMesh();
}

} // namespace

void PreviewRenderer::Gpu::syncMeshes(const Scene& scene) {
    while (meshes.size() > scene.meshes.size()) {
        freeMesh(meshes.back());
        meshes.pop_back();
        // A freed buffer's name may come back for another one: attach the list anew.
        selection.attachedTo = 0;
    }
    meshes.resize(scene.meshes.size());
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        auto& gpu = meshes[i];
        const auto& mesh = scene.meshes[i];
        if (gpu.revision == mesh.revision)
            continue;
        if (!gpu.vao) {
            glGenVertexArrays(1, &gpu.vao);
            glGenBuffers(1, &gpu.vertexBuffer);
            glGenBuffers(1, &gpu.skinBuffer);
            glGenBuffers(1, &gpu.indexBuffer);
            glBindVertexArray(gpu.vao);
            attachPositions(gpu.vertexBuffer, true);
            attachSkin(gpu.skinBuffer);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.indexBuffer);
        }
        glBindVertexArray(gpu.vao);
        glBindBuffer(GL_ARRAY_BUFFER, gpu.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(float)),
                     mesh.vertices.data(), GL_DYNAMIC_DRAW);
        // Every vertex needs its skin record: one missing follows nothing.
        std::vector<SkinVertex> unskinned;
        const std::size_t count = mesh.vertices.size() / floatsPerVertex;
        const auto* skin = mesh.skin.data();
        if (mesh.skin.size() < count) {
            unskinned.assign(mesh.skin.begin(), mesh.skin.end());
            unskinned.resize(count);
            skin = unskinned.data();
        }
        glBindBuffer(GL_ARRAY_BUFFER, gpu.skinBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(SkinVertex)), skin,
                     GL_DYNAMIC_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
                     mesh.indices.data(), GL_DYNAMIC_DRAW);
        gpu.indexCount = static_cast<GLsizei>(mesh.indices.size());
        gpu.revision = mesh.revision;
    }
}

void PreviewRenderer::Gpu::syncTextures(const Scene& scene) {
    while (textures.size() > scene.textures.size()) {
        glDeleteTextures(1, &textures.back().name);
        textures.pop_back();
    }
    textures.resize(scene.textures.size());
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const auto* source = scene.textures[i].image.get();
        if (textures[i].source == source)
            continue;
        glDeleteTextures(1, &textures[i].name);
        textures[i] = {source, source && !source->empty() ? uploadTexture(*source) : 0};
    }
}

void PreviewRenderer::Gpu::syncPalette(const ScenePose& pose) {
    if (!paletteBuffer) {
        glGenBuffers(1, &paletteBuffer);
        glGenTextures(1, &paletteTexture);
    }
    glActiveTexture(GL_TEXTURE0 + paletteUnit);
    glBindTexture(GL_TEXTURE_BUFFER, paletteTexture);
    if (!paletteMade || paletteRevision != pose.revision) {
        // An empty palette still holds one matrix: a buffer texture of no texels is no texture.
        static const std::vector<Mat4> identityOnly{common::identityMatrix};
        const auto& bones = pose.bones.empty() ? identityOnly : pose.bones;
        glBindBuffer(GL_TEXTURE_BUFFER, paletteBuffer);
        glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(bones.size() * sizeof(Mat4)),
                     bones.data(), GL_STREAM_DRAW);
        glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, paletteBuffer);
        paletteRevision = pose.revision;
        paletteMade = true;
    }
    glActiveTexture(GL_TEXTURE0);
}

void PreviewRenderer::Gpu::syncIndexList(GpuIndexList& list,
                                         const std::vector<std::uint32_t>& indices,
                                         std::uint64_t revision, const GpuMesh& mesh) {
    if (!list.vao) {
        glGenVertexArrays(1, &list.vao);
        glGenBuffers(1, &list.indexBuffer);
    }
    glBindVertexArray(list.vao);
    if (list.attachedTo != mesh.vertexBuffer) {
        attachPositions(mesh.vertexBuffer, false);
        attachSkin(mesh.skinBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, list.indexBuffer);
        list.attachedTo = mesh.vertexBuffer;
    }
    if (list.revision == revision)
        return;
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)), indices.data(),
                 GL_DYNAMIC_DRAW);
    list.count = static_cast<GLsizei>(indices.size());
    list.revision = revision;
}

void PreviewRenderer::Gpu::drawPoints(GpuPoints& points, const std::vector<float>& positions,
                                      std::uint64_t revision, GLenum mode,
                                      const std::array<float, 4>& colour) {
    if (!points.vao) {
        glGenVertexArrays(1, &points.vao);
        glGenBuffers(1, &points.buffer);
        glBindVertexArray(points.vao);
        glBindBuffer(GL_ARRAY_BUFFER, points.buffer);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    }
    glBindVertexArray(points.vao);
    if (points.revision != revision) {
        glBindBuffer(GL_ARRAY_BUFFER, points.buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(float)),
                     positions.data(), GL_DYNAMIC_DRAW);
        points.count = static_cast<GLsizei>(positions.size() / 3);
        points.revision = revision;
    }
    if (points.count == 0)
        return;
    glUniform4fv(overlayTint, 1, colour.data());
    glDrawArrays(mode, 0, points.count);
}

void PreviewRenderer::Gpu::drawMeshes(const Scene& scene, bool translucent) {
    static const std::vector<SceneLayer> plainLayer{SceneLayer()};
    glDepthMask(translucent ? GL_FALSE : GL_TRUE);
    for (std::size_t i = 0; i < scene.meshes.size(); ++i) {
        const auto& mesh = scene.meshes[i];
        if (meshes[i].indexCount == 0 || mesh.animation.hidden)
            continue;
        const bool edited = static_cast<int>(i) == scene.editedMesh;
        // The edited geoset is always drawn, grey when none of its layers is shown; its edges go
        // with its first shown layer.
        const auto& layers =
            mesh.layers.empty() || (edited && !mesh.drawn()) ? plainLayer : mesh.layers;
        const auto first =
            std::find_if(layers.begin(), layers.end(), [](const SceneLayer& l) { return l.shown; });
        glBindVertexArray(meshes[i].vao);
        for (auto layer = layers.begin(); layer != layers.end(); ++layer) {
            if (!layer->shown || isTranslucent(layer->blend) != translucent)
                continue;
            const MeshProgram& program = edited && layer == first ? withEdges : plain;
            glUseProgram(program.name);
            setBlend(layer->blend);
            if (layer->twoSided)
                glDisable(GL_CULL_FACE);
            else
                glEnable(GL_CULL_FACE);
            const GLuint texture =
                layer->texture >= 0 && static_cast<std::size_t>(layer->texture) < textures.size()
                    ? textures[static_cast<std::size_t>(layer->texture)].name
                    : 0;
            // A layer without its picture is drawn grey; a translucent one is not drawn at all.
            glBindTexture(GL_TEXTURE_2D, texture ? texture : missingTexture);
            const auto& colour = mesh.animation.colour;
            glUniform4f(program.tint, colour[0], colour[1], colour[2],
                        layer->alpha * mesh.animation.alpha);
            glUniformMatrix3fv(program.uvMap, 1, GL_FALSE, uvMatrix(layer->uv).data());
            glUniform1i(program.lit, layer->unshaded ? 0 : 1);
            glUniform1i(program.alphaTest, layer->blend == BlendMode::AlphaTest ? 1 : 0);
            glDrawElements(GL_TRIANGLES, meshes[i].indexCount, GL_UNSIGNED_INT, nullptr);
        }
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

PreviewRenderer::PreviewRenderer() : gpu_(std::make_unique<Gpu>()) {}

PreviewRenderer::~PreviewRenderer() = default;

bool PreviewRenderer::initialize(std::string& error) {
    auto& g = *gpu_;
    if (!g.plain.build(false, error) || !g.withEdges.build(true, error))
        return false;
    const std::string overlayVertex = std::string(skinningSource) + overlayVertexBody;
    g.overlayProgram = link(overlayVertex.c_str(), overlayFragmentShader, error);
    if (!g.overlayProgram)
        return false;
    g.overlayViewProjection = glGetUniformLocation(g.overlayProgram, "viewProjection");
    g.overlayTint = glGetUniformLocation(g.overlayProgram, "tint");
    g.overlaySkinned = glGetUniformLocation(g.overlayProgram, "skinned");
    g.overlayPalette = glGetUniformLocation(g.overlayProgram, "palette");
    common::RgbaImage grey(1, 1);
    grey.pixels = {200, 200, 200, 255};
    g.missingTexture = uploadTexture(grey);
    return true;
}

void PreviewRenderer::render(const Scene& scene, const OrbitCamera& camera, int width, int height) {
    auto& g = *gpu_;
    glViewport(0, 0, width, height);
    glClearColor(backgroundColour[0] / 255.0f, backgroundColour[1] / 255.0f,
                 backgroundColour[2] / 255.0f, 1.0f);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!g.plain.name || width <= 0 || height <= 0)
        return;

    g.syncMeshes(scene);
    g.syncTextures(scene);
    g.syncPalette(scene.pose);
    const Mat4 viewProjectionMatrix =
        viewProjection(camera, static_cast<float>(width) / static_cast<float>(height));
    // A headlight from a little above the eye, so that what faces the viewer is lit.
    const Vec3 light =
        normalised(eyePosition(camera) - camera.target + Vec3{0, camera.distance * 0.5f, 0});
    g.plain.use(viewProjectionMatrix, light, width, height);
    g.withEdges.use(viewProjectionMatrix, light, width, height);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glActiveTexture(GL_TEXTURE0);
    g.drawMeshes(scene, false);
    g.drawMeshes(scene, true);
    glDisable(GL_CULL_FACE);

    // Selected vertices and markers show through whatever is in front of them.
    glDisable(GL_DEPTH_TEST);
    glUseProgram(g.overlayProgram);
    glUniformMatrix4fv(g.overlayViewProjection, 1, GL_FALSE, viewProjectionMatrix.data());
    glUniform1i(g.overlayPalette, paletteUnit);
    if (scene.editedMesh >= 0 && static_cast<std::size_t>(scene.editedMesh) < g.meshes.size()) {
        // The selected vertices move with the mesh.
        glUniform1i(g.overlaySkinned, 1);
        g.syncIndexList(g.selection, scene.overlay.selectedIndices, scene.overlay.selectionRevision,
                        g.meshes[static_cast<std::size_t>(scene.editedMesh)]);
        glPointSize(4);
        glUniform4fv(g.overlayTint, 1, selectedColour.data());
        glBindVertexArray(g.selection.vao);
        glDrawElements(GL_POINTS, g.selection.count, GL_UNSIGNED_INT, nullptr);
    }
    // Markers and the skeleton's lines are already where they are drawn.
    glUniform1i(g.overlaySkinned, 0);
    const auto& overlay = scene.overlay;
    g.drawPoints(g.skeleton, overlay.skeletonLines, overlay.skeletonRevision, GL_LINES,
                 skeletonColour);
    g.drawPoints(g.highlighted, overlay.highlightedLines, overlay.skeletonRevision, GL_LINES,
                 highlightedBoneColour);
    glPointSize(7);
    g.drawPoints(g.markers, overlay.markerPositions, overlay.markerRevision, GL_POINTS,
                 markerColour);
    glPointSize(1);
    glBindVertexArray(0);
    glUseProgram(0);
}

void PreviewRenderer::release() {
    auto& g = *gpu_;
    for (auto& mesh : g.meshes)
        freeMesh(mesh);
    for (auto& texture : g.textures)
        glDeleteTextures(1, &texture.name);
    glDeleteVertexArrays(1, &g.selection.vao);
    glDeleteBuffers(1, &g.selection.indexBuffer);
    for (auto* points : {&g.markers, &g.skeleton, &g.highlighted}) {
        glDeleteVertexArrays(1, &points->vao);
        glDeleteBuffers(1, &points->buffer);
    }
    glDeleteBuffers(1, &g.paletteBuffer);
    glDeleteTextures(1, &g.paletteTexture);
    glDeleteTextures(1, &g.missingTexture);
    glDeleteProgram(g.plain.name);
    glDeleteProgram(g.withEdges.name);
    glDeleteProgram(g.overlayProgram);
    gpu_ = std::make_unique<Gpu>();
}

} // namespace editor::preview
