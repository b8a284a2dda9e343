#pragma once

#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/uv/uv_editor_state.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace batch {

// A step failed in a way the window cannot show (a bad argument, a missing prerequisite).
class StepError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the steps of one run share: the editor state, the scripted dialogs that answer its
// prompts, and the output streams.
struct BatchContext {
    editor::EditorState state;
    common::ScriptedDialogs dialogs;
    std::ostream& out;
    std::ostream& err;
    std::string modelArgument;               // MODEL as given on the command line
    std::optional<editor::UvEditorState> uv; // the texture coordinate editor, from uv-open on

    BatchContext(std::ostream& outStream, std::ostream& errStream);
    BatchContext(const BatchContext&) = delete;
    BatchContext& operator=(const BatchContext&) = delete;
};

// A step gets the answers of its argument (split at ",") already queued in the dialogs, and
// the same answers as a list for steps that take their numbers directly.
using StepHandler = std::function<void(BatchContext&, const std::vector<std::string>& args)>;

struct StepTable {
    std::map<std::string, StepHandler> steps;
    void add(const std::string& name, StepHandler handler) { steps[name] = std::move(handler); }
};

// Each topic registers its steps in its own file.
void registerModelSteps(StepTable& table);
void registerSelectionSteps(StepTable& table);
void registerTransformSteps(StepTable& table);
void registerToolSteps(StepTable& table);
void registerUvSteps(StepTable& table);
void registerPreviewSteps(StepTable& table);
void registerAnimationSteps(StepTable& table);
void registerInterchangeSteps(StepTable& table);
void registerGeosetSteps(StepTable& table);

// Helpers for step arguments.
// One message titled "Error": the run stops there with status 1.
void showError(BatchContext& context, const std::string& text);

double numberArgument(const std::vector<std::string>& args, std::size_t index,
                      const std::string& step);
int integerArgument(const std::vector<std::string>& args, std::size_t index,
                    const std::string& step);
void expectArguments(const std::vector<std::string>& args, std::size_t count,
                     const std::string& step);
// The text as a JSON string, quotes included.
std::string jsonString(const std::string& text);

// The usage lines, printed with every complaint about the arguments, and the whole --help text.
extern const char* const usageLine;
extern const char* const convertUsageLine;
extern const char* const listUsageLine;
extern const char* const extractUsageLine;
extern const char* const convertImageUsageLine;
std::string helpText();

// Runs MODEL [--geoset N] STEP...; returns the exit status (0, 1 after an error, 2 on bad
// arguments).
int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// --convert-image IN OUT [--quality Q]: converts a picture to the format OUT's extension names;
// returns the exit status.
int convertImage(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace batch
