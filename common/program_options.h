#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace common {

// The version of all four programs, the project version of the build.
const char* programVersion();

// Help texts of the two window programs (the batch tools keep theirs beside their usage line).
extern const char* const editorHelpText;
extern const char* const mergerHelpText;

// Answers --help (or -h) and --version, which every program takes before it does anything
// else: the window programs before they open a display. The first of them among the arguments
// decides (nothing after "--" counts). Prints the help text or "NAME VERSION" to out and
// returns the exit status: 0, or 1 when the text could not be written. Returns nothing when
// neither was given.
std::optional<int> answerHelpOrVersion(const std::vector<std::string>& arguments,
                                       const std::string& programName, const std::string& helpText,
                                       std::ostream& out);

// The editor's own arguments, after Qt took its options: FILE [--geoset N].
struct EditorArguments {
    std::optional<std::string> file;
    std::optional<int> geoset;
};
// Nothing (and the reason in error) for arguments it does not take.
std::optional<EditorArguments> parseEditorArguments(const std::vector<std::string>& arguments,
                                                    std::string& error);

// The same for main()'s arguments, argv[0] left out.
std::optional<int> answerHelpOrVersion(int argc, const char* const* argv,
                                       const std::string& programName, const std::string& helpText,
                                       std::ostream& out);

} // namespace common
