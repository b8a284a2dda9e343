#include "convert_model.h"

#include "model_file.h"

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

} // namespace

int convertModel(const std::string& input, const std::string& output, std::ostream& out,
                 std::ostream& err) {
    const std::string ext = lowerExtension(output);
    if (ext != ".mdl" && ext != ".mdx") {
        err << "moldrin-batch: --convert writes .mdl or .mdx, not \"" << output << "\"\n";
        return 2;
    }
    const auto read = readModelFile(input);
    if (!read.ok()) {
        err << "Error: " << read.failure(input) << "\n";
        return 1;
    }
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
