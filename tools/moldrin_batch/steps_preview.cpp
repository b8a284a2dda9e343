#include "batch_context.h"
#include "pose_arguments.h"

#include "common/number_text.h"
#include "editor/preview/preview_state.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"

#ifdef MOLDRIN_HAS_PREVIEW
#include "editor/preview/gl/offscreen_render.h"
#endif

namespace batch {

namespace {

int sideArgument(const std::vector<std::string>& args, std::size_t index) {
    const auto value = common::parseInteger32(args[index]);
    if (!value || *value < 1 || *value > 8192)
        throw StepError("preview: the size \"" + args[index] +
                        "\" is not a whole number from 1 to 8192");
    return *value;
}

// Poses the view at args[5] (a sequence's exact name or 1-based number) and args[6] ms from
// its start; an "Error" message and false when either is wrong.
bool poseAt(BatchContext& context, editor::PreviewFields& view,
            const std::vector<std::string>& args) {
    const auto* model = editor::previewModel(view);
    if (!model) {
        showError(context, "preview: the model cannot be read whole, so it cannot be posed");
        return false;
    }
    const auto moment = poseMoment(context, *model, "preview", args[5], args[6]);
    if (!moment)
        return false;
    editor::choosePreviewSequence(view, context.state, static_cast<int>(moment->sequence));
    view.previewPlayback.globalTime = moment->time;
    // Past the end shows the last frame, as the pose does.
    editor::seekPreview(view, context.state, moment->time);
    return true;
}

// preview=OUT.png,W,H[,YAW,PITCH[,SEQUENCE,TIME]]: the 3D view of the whole model, fitted (in
// the bind pose), drawn offscreen; posed at the sequence and time when they are given.
void preview(BatchContext& context, const std::vector<std::string>& args) {
    if (args.size() != 3 && args.size() != 5 && args.size() != 7)
        throw StepError(
            "preview: expects OUT.png,W,H or OUT.png,W,H,YAW,PITCH or OUT.png,W,H,YAW,PITCH,"
            "SEQUENCE,TIME");
    const int width = sideArgument(args, 1);
    const int height = sideArgument(args, 2);
    editor::PreviewFields view;
    view.previewAspect = static_cast<float>(width) / static_cast<float>(height);
    editor::loadPreview(view, context.state, *context.state.textureSource);
    if (args.size() >= 5) {
        view.previewCamera.yaw = static_cast<float>(numberArgument(args, 3, "preview"));
        view.previewCamera.pitch = static_cast<float>(numberArgument(args, 4, "preview"));
    }
    if (args.size() == 7 && !poseAt(context, view, args))
        return;
    if (!view.previewScene.note.empty())
        context.err << "moldrin-batch: preview: " << view.previewScene.note << "\n";
#ifdef MOLDRIN_HAS_PREVIEW
    std::string error;
    const auto picture = editor::preview::renderOffscreen(view.previewScene, view.previewCamera,
                                                          width, height, error);
    if (!picture)
        throw StepError("preview: cannot render: " + error);
    try {
        textures::writeImageFile(args[0], *picture, 90);
    } catch (const textures::TextureError& failure) {
        throw StepError(std::string("preview: ") + failure.what());
    }
#else
    throw StepError("preview: this build has no OpenGL renderer");
#endif
}

} // namespace

void registerPreviewSteps(StepTable& table) {
    table.add("preview", preview);
}

} // namespace batch
