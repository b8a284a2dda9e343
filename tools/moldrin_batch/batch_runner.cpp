#include "archive_commands.h"
#include "batch_context.h"
#include "check_models.h"
#include "convert_model.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/editing/archived_model.h"
#include "editor/editing/file_open.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/game_data_fields.h"
#include "editor/interaction/window_lifecycle.h"
#include "editor/model/geoset_reader.h"

#include <cstdlib>
#include <deque>

namespace batch {

namespace {

std::vector<std::string> splitArguments(const std::string& text) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == ',') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

bool errorShownSince(const BatchContext& context, std::size_t shownBefore) {
    for (auto i = shownBefore; i < context.dialogs.shown.size(); ++i)
        if (context.dialogs.shown[i].title == "Error")
            return true;
    return false;
}

} // namespace

BatchContext::BatchContext(std::ostream& outStream, std::ostream& errStream)
    : out(outStream), err(errStream) {
    state.dialogs = &dialogs;
    // Batch runs are armed at once, as after the window's 100 ms arming timer.
    state.startArmingTimer = [this] { state.mouseArmed = true; };
    dialogs.onShown = [this](const common::ScriptedDialogs::Shown& shown) {
        err << shown.title << ": " << shown.text << "\n";
        err.flush();
    };
}

void showError(BatchContext& context, const std::string& text) {
    context.dialogs.messageBox(text, "Error", common::MessageButtons::Ok);
}

double numberArgument(const std::vector<std::string>& args, std::size_t index,
                      const std::string& step) {
    if (index >= args.size())
        throw StepError(step + ": missing argument " + std::to_string(index + 1));
    const auto value = common::parseNumber(args[index]);
    if (!value)
        throw StepError(step + ": \"" + args[index] + "\" is not a number");
    return *value;
}

int integerArgument(const std::vector<std::string>& args, std::size_t index,
                    const std::string& step) {
    if (index >= args.size())
        throw StepError(step + ": missing argument " + std::to_string(index + 1));
    const auto value = common::parseInteger32(args[index]);
    if (!value)
        throw StepError(step + ": \"" + args[index] + "\" is not a whole number");
    return *value;
}

void expectArguments(const std::vector<std::string>& args, std::size_t count,
                     const std::string& step) {
    if (args.size() != count)
        throw StepError(step + ": expects " + std::to_string(count) + " argument(s)");
}

std::string jsonString(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            quoted += "\\u00";
            quoted += hex[byte >> 4];
            quoted += hex[byte & 15];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    StepTable table;
    registerModelSteps(table);
    registerSelectionSteps(table);
    registerTransformSteps(table);
    registerToolSteps(table);
    registerUvSteps(table);
    registerPreviewSteps(table);
    registerAnimationSteps(table);
    registerInterchangeSteps(table);
    registerGeosetSteps(table);

    if (arguments.empty()) {
        err << usageLine << "\n";
        return 2;
    }
    if (arguments[0] == "--convert-image")
        return convertImage(arguments, out, err);
    if (arguments[0] == "--list")
        return listArchive(arguments, out, err);
    if (arguments[0] == "--extract")
        return extractFromArchive(arguments, out, err);
    if (arguments[0] == "--check")
        return checkModels({arguments.begin() + 1, arguments.end()}, out, err);
    if (arguments[0] == "--convert")
        return convertModelCommand({arguments.begin() + 1, arguments.end()}, out, err);
    std::string model = arguments[0];
    std::string geoset = "1";
    std::vector<std::string> gameData;
    std::vector<std::pair<std::string, std::string>> steps; // name, argument text
    std::vector<bool> hasArgument;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const auto& argument = arguments[i];
        if (argument == "--geoset") {
            if (i + 1 >= arguments.size()) {
                err << usageLine << "\n";
                return 2;
            }
            geoset = arguments[++i];
            if (!common::isNumeric(geoset)) {
                err << "moldrin-batch: --geoset needs a number, not \"" << geoset << "\"\n"
                    << usageLine << "\n";
                return 2;
            }
            continue;
        }
        if (argument == "--game-data") {
            if (i + 1 >= arguments.size()) {
                err << "moldrin-batch: --game-data needs a PATH\n" << usageLine << "\n";
                return 2;
            }
            gameData.push_back(arguments[++i]);
            continue;
        }
        const auto equals = argument.find('=');
        const auto name = argument.substr(0, equals);
        if (!table.steps.count(name)) {
            err << "moldrin-batch: unknown step \"" << name << "\"\n" << usageLine << "\n";
            return 2;
        }
        steps.emplace_back(name, equals == std::string::npos ? "" : argument.substr(equals + 1));
        hasArgument.push_back(equals != std::string::npos);
    }

    BatchContext context(out, err);
    context.modelArgument = model;
    int status = 0;
    try {
        editor::loadMainWindow(context.state);
        editor::applyGameData(
            context.state,
            gamedata::sourcesInOrder(gameData, std::getenv(gamedata::gameDataVariable)));
        context.dialogs.setAnswers({});
        editor::openModelPath(context.state, model, common::parseInteger32(geoset).value_or(0));
        editor::finishCommand(context.state);
        if (errorShownSince(context, 0) || !context.state.modelLoaded) {
            if (!errorShownSince(context, 0))
                err << "moldrin-batch: no geoset was read from " << model << "\n";
            status = 1;
        }
        for (std::size_t i = 0; status == 0 && i < steps.size(); ++i) {
            const auto& [name, text] = steps[i];
            const auto args = hasArgument[i] ? splitArguments(text) : std::vector<std::string>{};
            context.dialogs.setAnswers(std::deque<std::string>(args.begin(), args.end()));
            const auto shownBefore = context.dialogs.shown.size();
            try {
                table.steps.at(name)(context, args);
                editor::finishCommand(context.state);
            } catch (const common::ScriptExhausted& exhausted) {
                err << "moldrin-batch: step " << name << ": " << exhausted.what() << "\n";
                status = 1;
            } catch (const StepError& error) {
                err << "moldrin-batch: " << error.what() << "\n";
                status = 1;
            }
            if (status == 0 && errorShownSince(context, shownBefore))
                status = 1;
        }
    } catch (const common::ScriptExhausted& exhausted) {
        // The geoset question was asked again: the number is not one of the model's geosets.
        const int geosets = editor::countGeosets(common::readTextFile(model).value_or(""));
        err << "moldrin-batch: cannot open geoset " << geoset << " of " << model
            << ": the model has " << geosets << (geosets == 1 ? " geoset" : " geosets") << "\n";
        status = 1;
    } catch (const std::exception& error) {
        // Whatever went wrong, the working copy is still deleted below.
        err << "moldrin-batch: " << error.what() << "\n";
        status = 1;
    }
    editor::closeMainWindow(context.state);
    return status;
}

} // namespace batch
