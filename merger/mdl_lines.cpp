#include "merger/mdl_lines.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "formats/mdl_normaliser.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"

namespace merger {

std::optional<Lines> readModelLines(const std::string& path, std::string& problem) {
    problem.clear();
    auto text = common::readTextFile(path);
    if (!text)
        return std::nullopt;
    // Whichever its form, the file is read as a whole model first: what is no model, and faces
    // that name vertices their geoset lacks, are refused as every program refuses them. MDL text
    // the whole-model reader refuses is left to the normaliser and the merge checks, which name
    // its line in the merger's own words.
    if (auto why = mdx::notAModelProblem(*text); !why.empty()) {
        problem = std::move(why);
        return Lines();
    }
    auto read = mdx::readModelFile(*text);
    const bool binary = read.format == mdx::FileFormat::Mdx;
    if (!read.faceProblems.empty() || (binary && !read.ok())) {
        problem = read.ok() ? read.faceProblems.front().text : read.error;
        return Lines();
    }
    if (binary)
        *text = mdx::writeMdl(read.model).text; // the merger works on a binary model's MDL text
    auto normalised = formats::normaliseModelText(std::move(*text));
    if (!normalised.ok()) {
        problem = "line " + std::to_string(normalised.errorLine) + ": " + normalised.error;
        return Lines();
    }
    Lines lines;
    common::LineReader reader(common::LineReader::FromText{}, std::move(normalised.text));
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

bool startsWith(std::string_view checkIn, std::string_view checkFor) {
    return checkIn.substr(0, checkFor.size()) == checkFor;
}

std::optional<std::string> textBetweenFirstQuotes(std::string_view line) {
    const auto first = line.find('"');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = line.find('"', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(first + 1, second - first - 1));
}

std::optional<int> integerBeforeComma(std::string_view line, std::size_t position) {
    if (position == 0)
        return std::nullopt;
    const auto start = position - 1;
    const auto comma = line.find(',');
    if (comma == std::string_view::npos || comma <= start)
        return std::nullopt;
    const auto value = common::parseInteger16(line.substr(start, comma - start));
    if (!value)
        return std::nullopt;
    return *value;
}

} // namespace merger
