#include "editor/uv/uv_remap.h"

#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_handover.h"
#include "editor/uv/uv_undo.h"
#include "editor/uv/uv_view.h"

namespace editor {

namespace {

void assignSelected(const UvEditorState& uv, std::vector<double>& target,
                    const std::optional<std::vector<double>>& values, bool flip) {
    if (!values)
        return;
    for (std::size_t i = 0; i < target.size() && i < values->size(); ++i)
        if (i < uv.uvSelected.size() && uv.uvSelected[i])
            target[i] = flip ? 1 - (*values)[i] : (*values)[i];
}

} // namespace

void remapUV(UvEditorState& uv, const GeosetModel& model, const std::string& viewText) {
    std::string uAxis;
    std::string vAxis;
    if (viewText == "Top") {
        uAxis = "X";
        vAxis = "Z";
    } else if (viewText == "Front") {
        uAxis = "X";
        vAxis = "Y";
    } else if (viewText == "Left") {
        uAxis = "Z";
        vAxis = "Y";
    } else {
        return;
    }
    recordUVStep(uv, "Remap");
    const auto newU = remap(model, uv.uvSelected, uAxis);
    const auto newV = remap(model, uv.uvSelected, vAxis);
    assignSelected(uv, uv.texU, newU, false);
    assignSelected(uv, uv.texV, newV, true);
    drawUVView(uv);
}

} // namespace editor
