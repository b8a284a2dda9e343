#include "editor/preview/gl/offscreen_render.h"

#include "editor/preview/gl/preview_renderer.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/glcorearb.h>

#include <cstring>
#include <optional>

namespace editor::preview {

namespace {

constexpr int largestSide = 8192;

// An EGL display and a current OpenGL 3.3 core context without a surface, released at the end
// of the scope.
class SurfacelessContext {
  public:
    explicit SurfacelessContext(std::string& error) {
        const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay)
            display_ =
                getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
            error = "no surfaceless EGL display is available";
            display_ = EGL_NO_DISPLAY;
            return;
        }
        const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                     3,
                                     EGL_CONTEXT_MINOR_VERSION,
                                     3,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                     EGL_NONE};
        if (!eglBindAPI(EGL_OPENGL_API) ||
            (context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                                         attributes)) == EGL_NO_CONTEXT) {
            error = "no OpenGL 3.3 context can be made";
            return;
        }
        if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
            error = "the OpenGL context cannot be made current";
            return;
        }
        current_ = true;
    }
    ~SurfacelessContext() {
        if (current_)
            eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_ != EGL_NO_CONTEXT)
            eglDestroyContext(display_, context_);
        if (display_ != EGL_NO_DISPLAY)
            eglTerminate(display_);
    }
    SurfacelessContext(const SurfacelessContext&) = delete;
    SurfacelessContext& operator=(const SurfacelessContext&) = delete;

    bool current() const { return current_; }

  private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    bool current_ = false;
};

// A framebuffer with a colour and a depth buffer, bound while it lives.
class Framebuffer {
  public:
    Framebuffer(int width, int height) {
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(2, buffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  buffers_[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  buffers_[1]);
    }
    ~Framebuffer() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, buffers_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    bool complete() const {
        return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

  private:
    GLuint framebuffer_ = 0;
    GLuint buffers_[2] = {0, 0};
};

} // namespace

struct OffscreenRenderer::Parts {
    int width = 0;
    int height = 0;
    std::string error;
    std::optional<SurfacelessContext> context;
    std::optional<Framebuffer> framebuffer;
    PreviewRenderer renderer;
    bool ready = false;
};

OffscreenRenderer::OffscreenRenderer(int width, int height) : parts_(std::make_unique<Parts>()) {
    auto& p = *parts_;
    p.width = width;
    p.height = height;
    if (width < 1 || height < 1 || width > largestSide || height > largestSide) {
        p.error = "the picture must be 1 to " + std::to_string(largestSide) + " pixels a side";
        return;
    }
    p.context.emplace(p.error);
    if (!p.context->current())
        return;
    p.framebuffer.emplace(width, height);
    if (!p.framebuffer->complete()) {
        p.error = "the OpenGL framebuffer cannot be made";
        return;
    }
    p.ready = p.renderer.initialize(p.error);
}

OffscreenRenderer::~OffscreenRenderer() {
    auto& p = *parts_;
    if (p.ready)
        p.renderer.release();
    p.framebuffer.reset(); // before the context goes
    p.context.reset();
}

bool OffscreenRenderer::ready() const {
    return parts_->ready;
}

const std::string& OffscreenRenderer::error() const {
    return parts_->error;
}

void OffscreenRenderer::render(const Scene& scene, const OrbitCamera& camera) {
    auto& p = *parts_;
    if (!p.ready)
        return;
    p.renderer.render(scene, camera, p.width, p.height);
    glFinish();
}

common::RgbaImage OffscreenRenderer::picture() const {
    const auto& p = *parts_;
    common::RgbaImage picture(p.width, p.height);
    if (!p.ready)
        return picture;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, p.width, p.height, GL_RGBA, GL_UNSIGNED_BYTE, picture.pixels.data());
    // What blending left in the alpha channel is no transparency of the picture.
    for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = 255;
    // OpenGL gives the bottom row first; the picture holds the top row first.
    const std::size_t row = static_cast<std::size_t>(p.width) * 4;
    std::vector<std::uint8_t> swap(row);
    for (int y = 0; y < p.height / 2; ++y) {
        auto* top = picture.at(0, y);
        auto* bottom = picture.at(0, p.height - 1 - y);
        std::memcpy(swap.data(), top, row);
        std::memcpy(top, bottom, row);
        std::memcpy(bottom, swap.data(), row);
    }
    return picture;
}

std::optional<common::RgbaImage> renderOffscreen(const Scene& scene, const OrbitCamera& camera,
                                                 int width, int height, std::string& error) {
    OffscreenRenderer offscreen(width, height);
    if (!offscreen.ready()) {
        error = offscreen.error();
        return std::nullopt;
    }
    offscreen.render(scene, camera);
    return offscreen.picture();
}

} // namespace editor::preview
