#include "batch_context.h"
#include "edited_model.h"
#include "pose_arguments.h"

#include "common/file_replacement.h"
#include "common/number_text.h"
#include "formats/animation/model_pose.h"

#include <charconv>
#include <cmath>

namespace batch {

namespace {

// The shortest text that reads back as the same float; null for what JSON cannot say.
void putNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char text[32];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

template <typename Values> void putNumbers(std::string& out, const Values& values) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ", ";
        putNumber(out, values[i]);
    }
    out += ']';
}

void putPoints(std::string& out, const std::vector<common::Vec3>& points) {
    out += '[';
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i)
            out += ", ";
        putNumbers(out, points[i]);
    }
    out += ']';
}

// {"name": ..., "interval": [start, end], "nonLooping": ..., "moveSpeed": ...} for each.
void sequencesStep(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 0, "sequences");
    const auto model = editedModel(context, "sequences");
    if (!model)
        return;
    std::string out = "{\"sequences\": [";
    for (std::size_t i = 0; i < model->sequences.size(); ++i) {
        const auto& sequence = model->sequences[i];
        out += (i ? ", " : "") + std::string("{\"name\": ") + jsonString(sequence.name) +
               ", \"interval\": [" + std::to_string(sequence.interval[0]) + ", " +
               std::to_string(sequence.interval[1]) +
               "], \"nonLooping\": " + ((sequence.flags & 1) ? "true" : "false") +
               ", \"moveSpeed\": ";
        putNumber(out, sequence.moveSpeed);
        out += '}';
    }
    context.out << out << "]}\n";
}

std::string poseJson(const mdx::Model& model, const animation::Skeleton& skeleton,
                     const animation::Pose& pose, const mdx::Sequence& sequence, double time,
                     double frame) {
    std::string out = "{\"sequence\": " + jsonString(sequence.name) + ", \"time\": ";
    out += common::formatRoundTrip(time) + ", \"frame\": " + common::formatRoundTrip(frame);
    out += ", \"unskinned\": " + std::to_string(pose.unskinned) +
           ", \"billboardsIgnored\": " + std::to_string(pose.billboardsIgnored) + ",\n\"nodes\": [";
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        const auto& node = *skeleton.nodes[i].node;
        out += i ? ",\n" : "\n";
        out += "{\"objectId\": " + std::to_string(node.objectId) +
               ", \"name\": " + jsonString(node.name) + ", \"world\": ";
        putNumbers(out, pose.nodeWorld[i]);
        out += '}';
    }
    out += "],\n\"geosets\": [";
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        const auto& geoset = pose.geosets[g];
        out += g ? ",\n" : "\n";
        out += "{\"vertices\": ";
        putPoints(out, geoset.vertices);
        out += ",\n\"normals\": ";
        putPoints(out, geoset.normals);
        out += ",\n\"alpha\": ";
        putNumber(out, geoset.alpha);
        out += ", \"color\": ";
        putNumbers(out, geoset.color);
        out += '}';
    }
    return out + "]}\n";
}

// pose=OUT.json,SEQUENCE,TIME: the pose of the whole model, the edited geoset from the
// arrays, in the file's axes. Without a camera billboards keep their animated rotation.
void poseStep(BatchContext& context, const std::vector<std::string>& args) {
    if (args.size() != 3)
        throw StepError("pose: expects OUT.json,SEQUENCE,TIME");
    const auto model = editedModel(context, "pose");
    if (!model)
        return;
    const auto moment = poseMoment(context, *model, "pose", args[1], args[2]);
    if (!moment)
        return;
    const auto sequence = moment->sequence;
    const double time = moment->time;
    const animation::Skeleton skeleton(*model);
    animation::PoseRequest request;
    request.time = animation::sequenceTime(*model, sequence, time);
    animation::Pose pose;
    animation::evaluatePose(*model, skeleton, request, pose);
    const std::string text = poseJson(*model, skeleton, pose, model->sequences[sequence], time,
                                      request.time.sequence.frame);
    common::FileReplacement file(args[0]);
    if (!file.isOpen() || !file.write(text.data(), text.size()) || !file.commit()) {
        showError(context, "pose: " + args[0] + " could not be written" +
                               (file.refusal().empty() ? "" : ": " + file.refusal()));
        return;
    }
    if (pose.billboardsIgnored > 0)
        context.err << "moldrin-batch: pose: " << pose.billboardsIgnored
                    << " billboarded nodes keep their animated rotation (no camera)\n";
}

} // namespace

void registerAnimationSteps(StepTable& table) {
    table.add("sequences", sequencesStep);
    table.add("pose", poseStep);
}

} // namespace batch
