// quellon-batch: the merger's window driven from the command line.
//
//   quellon-batch --base PATH --geoset PATH --output PATH [--bone N] [--texture PATH]
//                 [--type transparent|team-color|none|additive] [--two-sided]
//                 [--game-data PATH]...
//   quellon-batch --list-bones PATH
//
// Each PATH may name a model inside an MPQ archive or map: ARCHIVE:INNER.
//
// Messages are printed to standard error as "TITLE: TEXT". Exit status: 0 after "Done" (or a
// listed bone list), 1 after an error message or any other failure (out of memory included),
// 2 on bad arguments.

#include "common/program_options.h"
#include "common/scripted_dialogs.h"
#include "gamedata/archive_extraction.h"
#include "gamedata/archive_path.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/game_data.h"
#include "merger/quellon_workflow.h"

#include <cstdlib>

#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "usage: quellon-batch --base PATH --geoset PATH --output PATH [--bone N] [--texture PATH] "
    "[--type transparent|team-color|none|additive] [--two-sided] [--game-data PATH]...\n"
    "       quellon-batch --list-bones PATH";

// The man page test reads the option names of this text.
std::string helpText() {
    return std::string(usage) +
           "\n"
           "\n"
           "Merges the geosets of a geoset model into a base model, bound to a bone of the base\n"
           "model, with a new texture and material, as the merger's window does. Each model may\n"
           "be MDL text or binary MDX (known by its MDLX header); the output is written as MDX\n"
           "when its name ends in .mdx, as MDL text otherwise. Messages are printed to standard\n"
           "error as \"TITLE: TEXT\".\n"
           "\n"
           "Every PATH may name a model inside an MPQ archive or map, as ARCHIVE:INNER\n"
           "(map.w3x:war3mapImported\\hero.mdx); an output there replaces that file, stored\n"
           "as it was, or is added; a signed or protected archive is refused.\n"
           "\n"
           "Options:\n"
           "  --base PATH         the model the geosets go into\n"
           "  --geoset PATH       the model whose geosets are inserted\n"
           "  --output PATH       the merged model to write\n"
           "  --bone N            the bone, as its 0-based position in the --list-bones list\n"
           "  --texture PATH      the texture path written into the new texture\n"
           "  --type TYPE         the new texture's type: transparent (the default),\n"
           "                      team-color, none or additive\n"
           "  --two-sided         make the new material two-sided\n"
           "  --game-data PATH    a game data source (archive, game folder or extracted\n"
           "                      files; repeatable, before those of MOLDRIN_GAME_DATA):\n"
           "                      \"Done\" then tells when the texture is found neither\n"
           "                      beside the output nor there\n"
           "  --list-bones PATH   print the bone list of a base model, one entry a line\n"
           "  -h, --help          print this help and exit\n"
           "  --version           print the version and exit\n"
           "\n"
           "Exit status: 0 after \"Done\" or a printed bone list, 1 after an error message,\n"
           "2 on bad arguments.\n";
}

int badArguments(const std::string& why) {
    std::cerr << "quellon-batch: " << why << "\n" << usage << "\n";
    return 2;
}

std::optional<merger::TextureType> textureTypeNamed(const std::string& name) {
    if (name == "transparent")
        return merger::TextureType::Transparent;
    if (name == "team-color")
        return merger::TextureType::TeamColor;
    if (name == "none")
        return merger::TextureType::None;
    if (name == "additive")
        return merger::TextureType::Additive;
    return std::nullopt;
}

// A whole non-negative decimal number that fits an int.
std::optional<int> listPosition(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    return std::stoi(text);
}

// Models inside archives (ARCHIVE:INNER): the inputs are extracted, the output is written beside
// and put into its archive after the merge; messages name them by their archive paths.
struct ArchivedFiles {
    std::vector<std::shared_ptr<const gamedata::ExtractedFile>> files;

    // The file the merger works on for path: path itself, or its extracted (or staged) file.
    // Nothing after an error message when an archive cannot give it.
    std::optional<std::string> local(const std::string& path, bool output) {
        const auto inside = gamedata::archivePathOf(path);
        if (!inside)
            return path;
        std::string error;
        if (output && (error = gamedata::whyArchiveRefusesWrites(inside->archive)).empty())
            files.push_back(gamedata::ExtractedFile::stagingFor(*inside, error));
        else if (!output)
            files.push_back(gamedata::ExtractedFile::extract(*inside, error));
        if (!error.empty() || !files.back()) {
            std::cerr << merger::errorTitle << ": Cannot " << (output ? "save " : "open ")
                      << inside->joined() << ": " << error << ".\n";
            return std::nullopt;
        }
        return files.back()->path();
    }
    std::string named(std::string text) const {
        for (const auto& file : files)
            for (auto at = text.find(file->path()); at != std::string::npos;
                 at = text.find(file->path(), at + 1))
                text.replace(at, file->path().size(), file->origin().joined());
        return text;
    }
};

int run(const std::vector<std::string>& arguments) {
    ArchivedFiles archived;
    common::ScriptedDialogs dialogs;
    dialogs.onShown = [&archived](const common::ScriptedDialogs::Shown& shown) {
        std::cerr << shown.title << ": " << archived.named(shown.text) << "\n";
        std::cerr.flush();
    };
    merger::QuellonWorkflow workflow(&dialogs);

    if (arguments.empty())
        return badArguments("no arguments");

    if (arguments[0] == "--list-bones") {
        if (arguments.size() != 2)
            return badArguments("--list-bones takes exactly one PATH");
        const auto base = archived.local(arguments[1], false);
        if (!base)
            return 1;
        workflow.basePath = *base;
        if (!workflow.fillBoneList())
            return 1;
        for (const auto& entry : workflow.boneList)
            std::cout << entry.text() << "\n";
        return 0;
    }

    std::optional<std::string> base, geoset, output;
    std::optional<int> bone;
    std::vector<std::string> gameData;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto& option = arguments[i];
        if (option == "--two-sided") {
            workflow.twoSided = true;
            continue;
        }
        if (option != "--base" && option != "--geoset" && option != "--output" &&
            option != "--bone" && option != "--texture" && option != "--type" &&
            option != "--game-data")
            return badArguments("unknown argument \"" + option + "\"");
        if (i + 1 >= arguments.size())
            return badArguments(option + " needs a value");
        const auto& value = arguments[++i];
        if (option == "--base") {
            base = value;
        } else if (option == "--geoset") {
            geoset = value;
        } else if (option == "--output") {
            output = value;
        } else if (option == "--game-data") {
            gameData.push_back(value);
        } else if (option == "--texture") {
            workflow.texturePath = value;
        } else if (option == "--type") {
            auto type = textureTypeNamed(value);
            if (!type)
                return badArguments("unknown texture type \"" + value + "\"");
            workflow.textureType = *type;
        } else {
            bone = listPosition(value);
            if (!bone)
                return badArguments("--bone needs a list position 0, 1, 2, ...");
        }
    }
    if (!base || !geoset || !output)
        return badArguments("--base, --geoset and --output are required");

    workflow.setGameDataSources(
        gamedata::sourcesInOrder(gameData, std::getenv(gamedata::gameDataVariable)));
    const auto basePath = archived.local(*base, false);
    const auto geosetPath = basePath ? archived.local(*geoset, false) : std::nullopt;
    const auto outputPath = geosetPath ? archived.local(*output, true) : std::nullopt;
    if (!outputPath)
        return 1;
    workflow.basePath = *basePath;
    workflow.geosetPath = *geosetPath;
    workflow.outputPath = *outputPath;

    if (bone) {
        // As in the window: the list is filled from the base model, then an entry is chosen.
        if (!workflow.fillBoneList())
            return 1;
        if (*bone >= static_cast<int>(workflow.boneList.size())) {
            const auto count = workflow.boneList.size();
            dialogs.messageBox("There is no bone at list position " + std::to_string(*bone) +
                                   ": the base model's bone list has " + std::to_string(count) +
                                   (count == 1 ? " entry." : " entries."),
                               merger::errorTitle, common::MessageButtons::Ok);
            return 1;
        }
        workflow.boneIndex = *bone;
    }

    if (!workflow.mergeModels())
        return 1;
    if (const auto inside = gamedata::archivePathOf(*output)) {
        const auto& staged = *archived.files.back();
        if (const auto why = staged.writeBack(staged.path()); !why.empty()) {
            std::cerr << merger::errorTitle << ": " << gamedata::archiveSaveError(*inside, why)
                      << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Nothing may end the program unreported: the output is written through a temporary file,
    // so unwinding leaves it as it was.
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        if (const auto status =
                common::answerHelpOrVersion(arguments, "quellon-batch", helpText(), std::cout))
            return *status;
        return run(arguments);
    } catch (const std::bad_alloc&) {
        std::cerr << "quellon-batch: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "quellon-batch: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "quellon-batch: unexpected failure\n";
    }
    return 1;
}
