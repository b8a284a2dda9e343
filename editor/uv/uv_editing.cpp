#include "editor/uv/uv_editing.h"

#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_undo.h"
#include "editor/uv/uv_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace editor {

namespace {

// Number of vertices the working copies cover (the arrays come in equal lengths).
std::size_t vertexCount(const UvEditorState& uv) {
    return std::min({uv.texU.size(), uv.texV.size(), uv.uvSelected.size()});
}

double meanOfSelected(const UvEditorState& uv, const std::vector<double>& values) {
    double sum = 0;
    long count = 0;
    for (std::size_t i = 0; i < vertexCount(uv); ++i) {
        if (uv.uvSelected[i]) {
            sum += values[i];
            ++count;
        }
    }
    return count == 0 ? 0.0 : sum / static_cast<double>(count);
}

// Direction of the offset (p, q) from the centre, with the rotation's own value of pi.
double direction(double p, double q) {
    if (p > 0)
        return std::atan(q / p);
    if (p < 0)
        return std::atan(q / p) + uvPi;
    return q >= 0 ? uvPi / 2 : -uvPi / 2;
}

} // namespace

UvModeButtons uvModeButtons(const UvEditorState& uv) {
    UvModeButtons b;
    b.cmdSelect = modeButtonColour(uv.uvSelectionMode, "S");
    b.cmdAdd = modeButtonColour(uv.uvSelectionMode, "A");
    b.cmdDeselect = modeButtonColour(uv.uvSelectionMode, "D");
    b.cmdMove = modeButtonColour(uv.uvTransformMode, "M");
    b.cmdRotate = modeButtonColour(uv.uvTransformMode, "R");
    b.cmdScale = modeButtonColour(uv.uvTransformMode, "S");
    b.cmdUVX = axisButtonColour(uv.xEnabled);
    b.cmdUVY = axisButtonColour(uv.yEnabled);
    return b;
}

void setUVSelectionMode(UvEditorState& uv, const std::string& mode) {
    uv.uvSelectionMode = mode;
}

void setUVTransformMode(UvEditorState& uv, const std::string& mode) {
    uv.uvTransformMode = mode;
}

void toggleUVAxis(UvEditorState& uv, char axis) {
    if (axis == 'x')
        uv.xEnabled = !uv.xEnabled;
    else if (axis == 'y')
        uv.yEnabled = !uv.yEnabled;
}

double meanSelU(const UvEditorState& uv) {
    return meanOfSelected(uv, uv.texU);
}

double meanSelV(const UvEditorState& uv) {
    return meanOfSelected(uv, uv.texV);
}

bool insideBox(const UvEditorState& uv, std::size_t i) {
    return uv.downU < uv.texU[i] && uv.texU[i] < uv.upU && uv.downV < uv.texV[i] &&
           uv.texV[i] < uv.upV;
}

void uvBoxSelect(UvEditorState& uv) {
    if (uv.downU > uv.upU)
        std::swap(uv.downU, uv.upU);
    if (uv.downV > uv.upV)
        std::swap(uv.downV, uv.upV);
    for (std::size_t i = 0; i < vertexCount(uv); ++i) {
        const bool inside = insideBox(uv, i);
        if (uv.uvSelectionMode == "S")
            uv.uvSelected[i] = inside;
        else if (uv.uvSelectionMode == "A")
            uv.uvSelected[i] = uv.uvSelected[i] || inside;
        else if (inside)
            uv.uvSelected[i] = false;
    }
}

void moveSelUV(UvEditorState& uv, double du, double dv, bool xFlag, bool yFlag) {
    for (std::size_t i = 0; i < vertexCount(uv); ++i) {
        if (!uv.uvSelected[i])
            continue;
        if (xFlag)
            uv.texU[i] += du;
        if (yFlag)
            uv.texV[i] += dv;
    }
}

void rotateSelUV(UvEditorState& uv, double angle) {
    const double cu = meanSelU(uv);
    const double cv = meanSelV(uv);
    for (std::size_t i = 0; i < vertexCount(uv); ++i) {
        if (!uv.uvSelected[i])
            continue;
        const double p = uv.texU[i] - cu;
        const double q = uv.texV[i] - cv;
        const double r = std::sqrt(p * p + q * q);
        const double theta = direction(p, q);
        uv.texU[i] = r * std::cos(theta + angle) + cu;
        uv.texV[i] = r * std::sin(theta + angle) + cv;
    }
}

void scaleSelUV(UvEditorState& uv, double factor, bool xFlag, bool yFlag) {
    const double cu = meanSelU(uv);
    const double cv = meanSelV(uv);
    for (std::size_t i = 0; i < vertexCount(uv); ++i) {
        if (!uv.uvSelected[i])
            continue;
        if (xFlag)
            uv.texU[i] = (uv.texU[i] - cu) * factor + cu;
        if (yFlag)
            uv.texV[i] = (uv.texV[i] - cv) * factor + cv;
    }
}

void uvDragTransform(UvEditorState& uv) {
    const double du = uv.upU - uv.downU;
    const double dv = uv.upV - uv.downV;
    if (uv.uvTransformMode == "M") {
        recordUVStep(uv, "Move");
        moveSelUV(uv, du, dv, uv.xEnabled, uv.yEnabled);
    } else if (uv.uvTransformMode == "R") {
        recordUVStep(uv, "Rotate");
        rotateSelUV(uv, dv * 1.5);
    } else if (uv.uvTransformMode == "S") {
        recordUVStep(uv, "Scale");
        const double t = dv + du;
        const double factor = t >= 0 ? t + 1 : 1 / (std::abs(t) + 1);
        scaleSelUV(uv, factor, uv.xEnabled, uv.yEnabled);
    }
}

void selectAllUV(UvEditorState& uv) {
    std::fill(uv.uvSelected.begin(), uv.uvSelected.end(), true);
    drawUVView(uv);
}

void invertUVSelection(UvEditorState& uv) {
    uv.uvSelected.flip();
    drawUVView(uv);
}

} // namespace editor
