#pragma once

#include "common/rgba_image.h"
#include "editor/preview/preview_camera.h"
#include "editor/preview/preview_scene.h"

#include <memory>
#include <optional>
#include <string>

namespace editor::preview {

// An offscreen OpenGL context of Mesa's surfaceless EGL platform with a framebuffer of a fixed
// size and a renderer in it, kept for many frames (the benchmarks orbit in it).
class OffscreenRenderer {
  public:
    OffscreenRenderer(int width, int height);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    // Whether the context, framebuffer and shaders were made; error() says why not.
    bool ready() const;
    const std::string& error() const;
    // Draws a frame and waits until it is finished.
    void render(const Scene& scene, const OrbitCamera& camera);
    // The framebuffer's pixels, top row first, opaque.
    common::RgbaImage picture() const;

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Renders the scene into a picture of width x height pixels without any display: an OpenGL
// context of Mesa's surfaceless EGL platform drawing into a framebuffer of its own. Nothing
// when no such context can be made or the size is out of range (1 to 8192); error says why.
std::optional<common::RgbaImage> renderOffscreen(const Scene& scene, const OrbitCamera& camera,
                                                 int width, int height, std::string& error);

} // namespace editor::preview
