#include "editor/uv/uv_view.h"

#include "editor/uv/uv_editor_state.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

std::int32_t limitedPan(double offset) {
    return static_cast<std::int32_t>(std::clamp(offset, -uvPanLimit, uvPanLimit));
}

void scaleView(UvEditorState& uv, double factor) {
    uv.uvZoom *= factor;
    uv.uvPanX = limitedPan(std::nearbyint(uv.uvPanX * factor));
    uv.uvPanY = limitedPan(std::nearbyint(uv.uvPanY * factor));
    drawUVView(uv);
}

} // namespace

bool cornerDrawable(const UvEditorState& uv, int corner) {
    if (corner < 0 || static_cast<std::size_t>(corner) >= uv.texU.size() ||
        static_cast<std::size_t>(corner) >= uv.texV.size())
        return false;
    const auto index = static_cast<std::size_t>(corner);
    return index >= uv.uvDeleted.size() || !uv.uvDeleted[index];
}

UvViewSize uvViewSize(const UvEditorState& uv) {
    if (!uv.pbxUVView)
        return {uvViewNominalWidth, uvViewNominalHeight};
    return {std::max(1.0, uv.pbxUVView->width()), std::max(1.0, uv.pbxUVView->height())};
}

double uvToViewX(const UvEditorState& uv, double u) {
    const double w = uvViewSize(uv).width;
    return (w * u - w / 2) * uv.uvZoom + w / 2 + uv.uvPanX;
}

double uvToViewY(const UvEditorState& uv, double v) {
    const double h = uvViewSize(uv).height;
    return (h * v - h / 2) * uv.uvZoom + h / 2 + uv.uvPanY;
}

double viewXToU(const UvEditorState& uv, double x) {
    return ((x - uv.uvPanX) / uvViewSize(uv).width - 0.5) / uv.uvZoom + 0.5;
}

double viewYToV(const UvEditorState& uv, double y) {
    return ((y - uv.uvPanY) / uvViewSize(uv).height - 0.5) / uv.uvZoom + 0.5;
}

void drawBackground(UvEditorState& uv) {
    if (!uv.imageLoaded || !uv.background || !uv.pbxUVView)
        return;
    const auto [w, h] = uvViewSize(uv);
    try {
        uv.pbxUVView->stretchedPicture(uv.background, uv.uvPanX - (uv.uvZoom - 1) * w / 2,
                                       uv.uvPanY - (uv.uvZoom - 1) * h / 2, w * uv.uvZoom,
                                       h * uv.uvZoom);
    } catch (...) {
        // A picture that cannot be painted leaves the background empty; the rest still draws.
    }
}

void drawUVView(UvEditorState& uv) {
    if (!uv.arraysLoaded)
        return;
    ++uv.uvRedrawCount;
    if (!uv.pbxUVView)
        return;
    auto& view = *uv.pbxUVView;
    view.clear();
    drawBackground(uv);

    auto pixelX = [&](int corner) {
        return std::nearbyint(uvToViewX(uv, uv.texU[static_cast<std::size_t>(corner)]));
    };
    auto pixelY = [&](int corner) {
        return std::nearbyint(uvToViewY(uv, uv.texV[static_cast<std::size_t>(corner)]));
    };
    for (const auto& corners : uv.uvFaces) {
        if (!std::all_of(corners.begin(), corners.end(),
                         [&](int corner) { return cornerDrawable(uv, corner); }))
            continue;
        for (std::size_t k = 0; k < 3; ++k) {
            const int from = corners[k];
            const int to = corners[(k + 1) % 3];
            view.line(pixelX(from), pixelY(from), pixelX(to), pixelY(to), uvColours::edge);
        }
    }

    const auto count = std::min(uv.texU.size(), uv.texV.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (i < uv.uvDeleted.size() && uv.uvDeleted[i])
            continue;
        const double x = uvToViewX(uv, uv.texU[i]);
        const double y = uvToViewY(uv, uv.texV[i]);
        const bool selected = i < uv.uvSelected.size() && uv.uvSelected[i];
        view.rectangle(x - 2, y - 2, x + 2, y + 2,
                       selected ? uvColours::selectedVertex : uvColours::vertex);
    }
}

void panUV(UvEditorState& uv, PanDirection direction) {
    switch (direction) {
    case PanDirection::Up:
        uv.uvPanY = limitedPan(static_cast<double>(uv.uvPanY) + uvPanStep);
        break;
    case PanDirection::Down:
        uv.uvPanY = limitedPan(static_cast<double>(uv.uvPanY) - uvPanStep);
        break;
    case PanDirection::Left:
        uv.uvPanX = limitedPan(static_cast<double>(uv.uvPanX) + uvPanStep);
        break;
    case PanDirection::Right:
        uv.uvPanX = limitedPan(static_cast<double>(uv.uvPanX) - uvPanStep);
        break;
    }
    drawUVView(uv);
}

void zoomUVIn(UvEditorState& uv) {
    if (uv.uvZoom < uvZoomInBelow)
        scaleView(uv, 1.25);
}

void zoomUVOut(UvEditorState& uv) {
    if (uv.uvZoom > uvZoomOutAbove)
        scaleView(uv, 0.8);
}

} // namespace editor
