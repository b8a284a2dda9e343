#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merger {

// A model file as its lines, without line ends.
using Lines = std::vector<std::string>;

// The result of a step that can fail with one message for the user (shown titled "Error").
template <typename T> struct Outcome {
    T value{};
    std::string error; // empty on success

    bool ok() const { return error.empty(); }
};

// A model file's lines in the tab layout (formats/tab_layout.h), whatever layout the file has;
// a binary model (starting with "MDLX", whatever its name) as its MDL text. Nothing when the
// file cannot be read. When it is no model (mdx::notAModelProblem), cannot be read as one, has
// faces naming vertices their geoset lacks or cannot be normalised, problem says where and why
// ("line 3: ...", for a binary model "chunk GEOS, byte 120: ...") and the lines are empty.
std::optional<Lines> readModelLines(const std::string& path, std::string& problem);

// Case-sensitive prefix test on whole lines: true when the first checkFor.size() characters of
// checkIn equal checkFor.
bool startsWith(std::string_view checkIn, std::string_view checkFor);

// The text between the line's first and second double quote; nothing when it has fewer than
// two double quotes.
std::optional<std::string> textBetweenFirstQuotes(std::string_view line);

// The Integer made of the characters from the 1-based position up to just before the line's
// first ",": a numeric text rounded half to even to a 16-bit integer. Nothing when there is no
// "," at or after the position, or the text is not such a number.
std::optional<int> integerBeforeComma(std::string_view line, std::size_t position);

} // namespace merger
