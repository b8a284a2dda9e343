#pragma once

#include "common/rgba_image.h"
#include "editor/preview/preview_camera.h"
#include "editor/preview/preview_scene.h"

#include <optional>
#include <string>

namespace editor::preview {

// Renders the scene into a picture of width x height pixels without any display: an OpenGL
// context of Mesa's surfaceless EGL platform drawing into a framebuffer of its own. Nothing
// when no such context can be made or the size is out of range (1 to 8192); error says why.
std::optional<common::RgbaImage> renderOffscreen(const Scene& scene, const OrbitCamera& camera,
                                                 int width, int height, std::string& error);

} // namespace editor::preview
