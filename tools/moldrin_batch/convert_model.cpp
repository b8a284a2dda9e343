#include "convert_model.h"

#include "model_file.h"

#include "formats/interchange/gltf_export.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace batch {

namespace {

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The model exported to glTF; the textures are looked up beside the input.
int exportGltf(const std::string& input, const ModelFileRead& read, const std::string& output,
               std::ostream& out, std::ostream& err) {
    const auto result =
        interchange::writeGltfFile(read.model, std::filesystem::path(input).parent_path(), output);
    for (const auto& warning : result.warnings)
        err << "Warning: " << warning << "\n";
    if (result.error) {
        err << "Error: " << *result.error << "\n";
        return 1;
    }
    out << "exported " << input << " (" << result.meshes << " meshes, " << result.animations
        << " animations) to " << output << "\n";
    return 0;
}

} // namespace

int convertModel(const std::string& input, const std::string& output, std::ostream& out,
                 std::ostream& err) {
    const std::string ext = lowerExtension(output);
    const bool gltf = interchange::isGltfPath(output);
    if (ext != ".mdl" && ext != ".mdx" && !gltf) {
        err << "moldrin-batch: --convert writes .mdl, .mdx, .glb or .gltf, not \"" << output
            << "\"\n";
        return 2;
    }
    const auto read = readModelFile(input);
    if (!read.ok()) {
        err << "Error: " << read.failure(input) << "\n";
        return 1;
    }
    if (gltf)
        return exportGltf(input, read, output, out, err);
    // The conversion keeps every number, so a model the game would refuse is still written, as
    // it is, for the user to mend.
    for (const auto& problem : read.faceProblems)
        err << "Warning: " << input << ": " << problem.text << "\n";
    std::vector<std::string> dropped;
    const auto failure = writeModelFile(output, read.model, mdx::formatNamedBy(output), dropped);
    if (!dropped.empty())
        err << "Warning: the MDL text cannot hold " << mdx::droppedList(dropped)
            << "; these were left out\n";
    if (failure) {
        err << "Error: " << output << " could not be written"
            << (failure->empty() ? "" : ": " + *failure) << "\n";
        return 1;
    }
    const bool binary = read.format == mdx::FileFormat::Mdx;
    out << "converted " << input << " (" << (binary ? "MDX" : "MDL") << ", "
        << read.model.geosets.size() << " geosets) to " << output << "\n";
    return 0;
}

} // namespace batch
