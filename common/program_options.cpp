#include "common/program_options.h"

#include "common/number_text.h"

#ifndef MOLDRIN_VERSION
#error "MOLDRIN_VERSION is defined by the build from the project version"
#endif

namespace common {

const char* programVersion() {
    return MOLDRIN_VERSION;
}

const char* const editorHelpText =
    "usage: moldrin [FILE [--geoset N]] | --help | --version\n"
    "\n"
    "Edits one geoset of a Warcraft III MDL model at the vertex level, in three orthographic\n"
    "views. Opens FILE when one is given, or a model chosen with File > Open; the window asks\n"
    "for the geoset to edit when the model has several.\n"
    "\n"
    "Options:\n"
    "  --geoset N  edit geoset N of FILE (1-based) without asking\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, are taken as well.\n";

const char* const mergerHelpText =
    "usage: quellon [--help | --version]\n"
    "\n"
    "Inserts the geosets of one Warcraft III MDL model into a base model, bound to a bone\n"
    "picked from the base model's bone list, with a new texture and material. The models\n"
    "are chosen in the window. Other arguments are ignored.\n"
    "\n"
    "Options:\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, are taken as well.\n";

namespace {

// A text that could not be written (a full disk, a closed pipe) is a failure, not a success.
int finished(std::ostream& out) {
    out.flush();
    return out ? 0 : 1;
}

} // namespace

std::optional<EditorArguments> parseEditorArguments(const std::vector<std::string>& arguments,
                                                    std::string& error) {
    EditorArguments parsed;
    bool optionsEnded = false; // after "--" every argument is a file name
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--geoset") {
            const auto number = i + 1 < arguments.size() ? parseInteger32(arguments[i + 1])
                                                         : std::optional<std::int32_t>();
            if (!number || *number < 1) {
                error = "--geoset needs a geoset number from 1 up";
                return std::nullopt;
            }
            parsed.geoset = *number;
            ++i;
        } else if (!optionsEnded && argument.starts_with("-") && argument != "-") {
            error = "unknown option " + argument;
            return std::nullopt;
        } else {
            if (parsed.file) {
                error = "one model file at a time";
                return std::nullopt;
            }
            parsed.file = argument;
        }
    }
    if (parsed.geoset && !parsed.file) {
        error = "--geoset needs a model file";
        return std::nullopt;
    }
    return parsed;
}

std::optional<int> answerHelpOrVersion(const std::vector<std::string>& arguments,
                                       const std::string& programName, const std::string& helpText,
                                       std::ostream& out) {
    for (const auto& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            out << helpText;
            if (!helpText.empty() && helpText.back() != '\n')
                out << "\n";
            return finished(out);
        }
        if (argument == "--version") {
            out << programName << " " << programVersion() << "\n";
            return finished(out);
        }
    }
    return std::nullopt;
}

std::optional<int> answerHelpOrVersion(int argc, const char* const* argv,
                                       const std::string& programName, const std::string& helpText,
                                       std::ostream& out) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return answerHelpOrVersion(arguments, programName, helpText, out);
}

} // namespace common
