#include "editor/uv/uv_export.h"

#include "common/number_text.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_view.h"
#include "textures/image_file.h"
#include "textures/image_ops.h"
#include "textures/texture_error.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

const char* const exportTitle = "Export UV Layout";

bool hasTexturePicture(const UvEditorState& uv) {
    return uv.imageLoaded && uv.background && !uv.imagePath.empty() && !uv.background->empty();
}

} // namespace

UvExportSize uvExportSize(const UvEditorState& uv, std::optional<int> longerSide) {
    if (!hasTexturePicture(uv)) {
        const int side = longerSide.value_or(uvExportDefaultSide);
        return {side, side};
    }
    const int w = uv.background->width;
    const int h = uv.background->height;
    if (!longerSide)
        return {w, h};
    const double scale = static_cast<double>(*longerSide) / std::max(w, h);
    return {std::max(1, static_cast<int>(std::lround(w * scale))),
            std::max(1, static_cast<int>(std::lround(h * scale)))};
}

common::RgbaImage renderUvLayout(const UvEditorState& uv, UvExportSize size, bool overTexture) {
    textures::checkTextureSize(size.width, size.height, "the layout");
    common::RgbaImage image(size.width, size.height); // transparent black
    if (overTexture && uv.imageLoaded && uv.background && !uv.background->empty())
        image = textures::scaledNearest(*uv.background, size.width, size.height);
    auto x = [&](int corner) {
        return uv.texU[static_cast<std::size_t>(corner)] * (size.width - 1) + 0.5;
    };
    auto y = [&](int corner) {
        return uv.texV[static_cast<std::size_t>(corner)] * (size.height - 1) + 0.5;
    };
    const textures::Rgba edge{uvExportEdge[0], uvExportEdge[1], uvExportEdge[2], uvExportEdge[3]};
    for (const auto& corners : uv.uvFaces) {
        if (!std::all_of(corners.begin(), corners.end(),
                         [&](int corner) { return cornerDrawable(uv, corner); }))
            continue;
        for (std::size_t k = 0; k < 3; ++k) {
            const int from = corners[k];
            const int to = corners[(k + 1) % 3];
            textures::drawLine(image, x(from), y(from), x(to), y(to), edge);
        }
    }
    return image;
}

void exportUvLayout(const UvEditorState& uv, const std::string& path, std::optional<int> longerSide,
                    bool overTexture) {
    if (longerSide && (*longerSide < 1 || *longerSide > textures::maxTextureSide))
        throw textures::TextureError("the layout's size must be between 1 and " +
                                     std::to_string(textures::maxTextureSide) + " pixels");
    const auto image = renderUvLayout(uv, uvExportSize(uv, longerSide), overTexture);
    textures::writeImageFile(path, image, 90);
}

void exportUVLayoutCommand(UvEditorState& uv) {
    if (!uv.dialogs || !uv.arraysLoaded)
        return;
    auto& dialogs = *uv.dialogs;
    auto path = dialogs.saveFileDialog("PNG Images|*.png");
    if (!path || path->empty())
        return;
    if (!textures::formatOfExtension(*path))
        *path += ".png";
    const auto size = uvExportSize(uv, std::nullopt);
    const auto answer =
        dialogs.inputBox("Size of the layout in pixels (its longer side):", exportTitle,
                         std::to_string(std::max(size.width, size.height)));
    if (answer.empty())
        return;
    const auto side = common::parseInteger32(answer);
    if (!side || *side < 1 || *side > textures::maxTextureSide) {
        dialogs.messageBox("The size must be a whole number of pixels from 1 to " +
                               std::to_string(textures::maxTextureSide) + ".",
                           exportTitle);
        return;
    }
    bool overTexture = false;
    if (uv.imageLoaded && uv.background)
        overTexture = dialogs.messageBox("Draw the layout over the texture?\r\n(No: over "
                                         "transparency.)",
                                         exportTitle, common::MessageButtons::YesNo) ==
                      common::MessageAnswer::Yes;
    try {
        exportUvLayout(uv, *path, *side, overTexture);
    } catch (const textures::TextureError& error) {
        dialogs.messageBox(error.what(), exportTitle);
    }
}

} // namespace editor
