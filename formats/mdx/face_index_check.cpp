#include "formats/mdx/face_index_check.h"

#include "formats/mdx/format_error.h"
#include "formats/mdx/model_conversion.h"

namespace mdx {

std::vector<FaceIndexProblem> faceIndexProblems(const Model& model) {
    std::vector<FaceIndexProblem> problems;
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        const auto& geoset = model.geosets[g];
        const std::size_t count = geoset.vertices.size();
        FaceIndexProblem problem{g, 0, 0, count, 0};
        for (std::size_t i = 0; i < geoset.faces.size(); ++i) {
            if (geoset.faces[i] < count)
                continue;
            if (problem.badCorners++ == 0) {
                problem.corner = i;
                problem.vertex = geoset.faces[i];
            }
        }
        if (problem.badCorners != 0)
            problems.push_back(problem);
    }
    return problems;
}

std::string faceIndexText(const FaceIndexProblem& problem) {
    std::string text = "geoset " + std::to_string(problem.geoset + 1) + ", triangle " +
                       std::to_string(problem.corner / 3 + 1) + ": corner " +
                       std::to_string(problem.vertex) + " is past the " +
                       std::to_string(problem.vertexCount) + " vertices";
    if (problem.badCorners > 1)
        text +=
            ", as are " + std::to_string(problem.badCorners - 1) + " more corners of the geoset";
    return text;
}

std::vector<FaceIndexMessage> faceIndexMessages(const Model& model, const FacePlaces& places,
                                                FileFormat format) {
    std::vector<FaceIndexMessage> messages;
    for (const auto& problem : faceIndexProblems(model)) {
        const std::size_t start = problem.geoset < places.size() ? places[problem.geoset] : 0;
        const bool binary = format == FileFormat::Mdx;
        // A corner number takes two bytes; MDL names the line its group of corners starts on.
        const FormatError where(binary ? "GEOS" : "Geoset",
                                binary ? start + 2 * problem.corner : start,
                                faceIndexText(problem));
        messages.push_back({problem.geoset, errorText(where, format)});
    }
    return messages;
}

} // namespace mdx
