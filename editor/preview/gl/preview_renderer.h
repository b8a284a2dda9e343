#pragma once

#include "editor/preview/preview_camera.h"
#include "editor/preview/preview_scene.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace editor::preview {

// Draws a Scene with OpenGL 3.3 core into whatever framebuffer is bound, in a context that is
// current on every call (a window's or an offscreen one). Buffers and textures are uploaded
// when their revision in the scene changes, so a frame of an unchanged scene only draws.
// The GL headers stay inside the .cpp files: this header can sit beside Qt's.
class PreviewRenderer {
  public:
    PreviewRenderer();
    ~PreviewRenderer();
    PreviewRenderer(const PreviewRenderer&) = delete;
    PreviewRenderer& operator=(const PreviewRenderer&) = delete;

    // Compiles the shaders; false with the reason in error when the context cannot run them.
    bool initialize(std::string& error);
    // Draws one frame of width x height pixels.
    void render(const Scene& scene, const OrbitCamera& camera, int width, int height);
    // Frees the GPU objects; the context must be current. The destructor frees nothing on the
    // GPU, as the context may be gone by then.
    void release();

  private:
    struct Gpu;
    std::unique_ptr<Gpu> gpu_;
};

} // namespace editor::preview
