#include "convert_model.h"

#include "batch_context.h"
#include "model_file.h"

#include "common/number_text.h"
#include "formats/interchange/gltf_export.h"
#include "formats/versions/version_conversion.h"

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

int convertModel(const std::string& input, const std::string& output,
                 std::optional<std::uint32_t> formatVersion, std::ostream& out, std::ostream& err) {
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
    const mdx::Model* model = &read.model;
    versions::VersionConversion converted;
    if (formatVersion) {
        const auto folder = std::filesystem::absolute(input).parent_path();
        converted = versions::convertFormatVersion(read.model, *formatVersion, folder);
        if (!converted.ok()) {
            err << "Error: " << input << " was not converted to FormatVersion " << *formatVersion
                << ": " << converted.refusal << "; " << output << " was not written\n";
            return 1;
        }
        for (const auto& change : converted.changes)
            err << "Warning: FormatVersion " << *formatVersion << ": " << change << "\n";
        model = &converted.model;
    }
    std::vector<std::string> dropped;
    const auto failure = writeModelFile(output, *model, mdx::formatNamedBy(output), dropped);
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
        << read.model.geosets.size() << " geosets) to " << output;
    if (formatVersion)
        out << " (FormatVersion " << read.model.version << " to " << *formatVersion << ", "
            << model->geosets.size() << " geosets)";
    out << "\n";
    return 0;
}

int convertModelCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err) {
    std::optional<std::uint32_t> version;
    if (arguments.size() == 4 && arguments[2] == "--format-version") {
        const auto value = common::parseInteger32(arguments[3]);
        if (!value || *value < 0 ||
            !versions::isTargetVersion(static_cast<std::uint32_t>(*value))) {
            err << "moldrin-batch: --format-version takes 800, 1000 or 1100, not \"" << arguments[3]
                << "\"\n";
            return 2;
        }
        version = static_cast<std::uint32_t>(*value);
    } else if (arguments.size() != 2) {
        err << convertUsageLine << "\n";
        return 2;
    }
    return convertModel(arguments[0], arguments[1], version, out, err);
}

} // namespace batch
