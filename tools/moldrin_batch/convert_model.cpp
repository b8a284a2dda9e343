#include "convert_model.h"

#include "common/file_replacement.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    std::error_code code;
    if (!std::filesystem::is_regular_file(input, code)) {
        err << "Error: " << input << " is not a model file that can be read\n";
        return 1;
    }
    std::ifstream in(input, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        err << "Error: " << input << " could not be read\n";
        return 1;
    }
    auto read = mdx::readModelFile(bytes);
    if (!read.ok()) {
        err << "Error: " << input << ": " << read.error << "\n";
        return 1;
    }
    // The conversion keeps every number, so a model the game would refuse is still written, as
    // it is, for the user to mend.
    for (const auto& problem : read.faceProblems)
        err << "Warning: " << input << ": " << problem.text << "\n";
    const mdx::Model& model = read.model;
    const bool binary = read.format == mdx::FileFormat::Mdx;
    std::string result;
    if (ext == ".mdx") {
        result = mdx::writeMdx(model);
    } else {
        auto mdl = mdx::writeMdl(model);
        if (!mdl.dropped.empty())
            err << "Warning: the MDL text cannot hold " << mdx::droppedList(mdl.dropped)
                << "; these were left out\n";
        result = std::move(mdl.text);
    }
    common::FileReplacement file(output);
    if (!file.isOpen() || !file.write(result.data(), result.size()) || !file.commit()) {
        err << "Error: " << output << " could not be written"
            << (file.refusal().empty() ? "" : ": " + file.refusal()) << "\n";
        return 1;
    }
    out << "converted " << input << " (" << (binary ? "MDX" : "MDL") << ", " << model.geosets.size()
        << " geosets) to " << output << "\n";
    return 0;
}

} // namespace batch
