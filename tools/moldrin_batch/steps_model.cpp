#include "batch_context.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/editing/format_version_command.h"
#include "editor/editing/model_text.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"
#include "formats/format_version.h"

#include <charconv>
#include <iterator>
#include <sstream>

namespace batch {

namespace {

struct GeosetCounts {
    long vertices = 0;
    long triangles = 0;
    long groups = 0;
};

// The number that follows a header word, as in "\tVertices 8 {" or "\tFaces 1 36 {" (the
// second number there).
long headerNumber(const std::string& line, std::size_t skip, int which) {
    std::istringstream in(line.substr(skip));
    long value = 0;
    for (int i = 0; i < which; ++i)
        if (!(in >> value))
            return 0;
    return value;
}

// The model's lines in the tab layout, whatever layout its file has.
std::vector<std::string> modelLines(const std::string& path) {
    auto model = editor::readModelText(path);
    std::vector<std::string> lines;
    if (!model || !model->ok())
        return lines;
    common::LineReader reader(common::LineReader::FromText{}, std::move(model->text));
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

std::vector<GeosetCounts> countGeosets(const std::vector<std::string>& lines) {
    std::vector<GeosetCounts> geosets;
    bool inGeoset = false;
    for (const auto& line : lines) {
        if (line == "Geoset {") {
            geosets.emplace_back();
            inGeoset = true;
        } else if (line == "}") {
            inGeoset = false;
        } else if (inGeoset) {
            if (editor::startsWith(line, "\tVertices "))
                geosets.back().vertices = headerNumber(line, 10, 1);
            else if (editor::startsWith(line, "\tFaces "))
                geosets.back().triangles = headerNumber(line, 7, 2) / 3;
            else if (editor::startsWith(line, "\tGroups "))
                geosets.back().groups = headerNumber(line, 8, 1);
        }
    }
    return geosets;
}

void info(BatchContext& context, const std::vector<std::string>&) {
    const auto lines = modelLines(context.state.modelPath);
    const auto geosets = countGeosets(lines);
    auto& out = context.out;
    out << "{\"formatVersion\": " << formats::formatVersion(lines)
        << ", \"geosets\": " << geosets.size() << ", \"geoset\": [";
    for (std::size_t i = 0; i < geosets.size(); ++i)
        out << (i ? ", " : "") << "{\"vertices\": " << geosets[i].vertices
            << ", \"triangles\": " << geosets[i].triangles << ", \"groups\": " << geosets[i].groups
            << "}";
    out << "]}\n";
}

template <typename Items, typename Write>
void jsonList(std::ostream& out, const char* name, const Items& items, Write write) {
    out << "\"" << name << "\": [";
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out << ",";
        first = false;
        write(item);
    }
    out << "]";
}

void dump(BatchContext& context, const std::vector<std::string>&) {
    const auto& state = context.state;
    auto& out = context.out;
    auto num = [](double v) { return common::formatRoundTrip(v); };
    // The shortest text that reads back as the same single-precision value.
    auto numf = [](float v) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, v).ptr;
        return std::string(text, end);
    };
    out << "{";
    jsonList(out, "positions", state.vertices, [&](const editor::VertexRecord& v) {
        out << "[" << num(v.z) << "," << num(v.x) << "," << num(v.y) << "]";
    });
    out << ", ";
    jsonList(out, "normals", state.vertices, [&](const editor::VertexRecord& v) {
        out << "[" << num(v.normalZ) << "," << num(v.normalX) << "," << num(v.normalY) << "]";
    });
    out << ", ";
    jsonList(out, "uvs", state.vertices, [&](const editor::VertexRecord& v) {
        out << "[" << num(v.u) << "," << num(v.v) << "]";
    });
    out << ", ";
    jsonList(out, "groups", state.vertices,
             [&](const editor::VertexRecord& v) { out << v.vertexGroup; });
    out << ", ";
    // The Reforged blocks, only when the geoset has them.
    if (state.extras.tangents) {
        jsonList(out, "tangents", state.vertices, [&](const editor::VertexRecord& v) {
            const auto& t = v.tangent;
            out << "[" << numf(t[2]) << "," << numf(t[0]) << "," << numf(t[1]) << "," << numf(t[3])
                << "]";
        });
        out << ", ";
    }
    if (state.extras.skinWeights) {
        jsonList(out, "skinWeights", state.vertices, [&](const editor::VertexRecord& v) {
            out << "[";
            for (std::size_t k = 0; k < v.skinWeights.size(); ++k)
                out << (k ? "," : "") << static_cast<int>(v.skinWeights[k]);
            out << "]";
        });
        out << ", ";
    }
    for (int set = 0; set < state.extras.extraUvSets; ++set) {
        const auto name = "uvs" + std::to_string(set + 2);
        jsonList(out, name.c_str(), state.vertices, [&](const editor::VertexRecord& v) {
            const auto& uv = v.extraUvs[static_cast<std::size_t>(set)];
            out << "[" << numf(uv[0]) << "," << numf(uv[1]) << "]";
        });
        out << ", ";
    }
    jsonList(out, "faces", state.faces, [&](const editor::FaceRecord& f) {
        out << "[" << f.a << "," << f.b << "," << f.c << "]";
    });
    out << ", ";
    std::vector<int> groups;
    for (int g = 1; g <= state.groupCount && g <= state.matrices.columnCount(); ++g)
        groups.push_back(g);
    jsonList(out, "matrices", groups, [&](int g) {
        int last = 0;
        for (int slot = 1; slot <= editor::matrixSlots; ++slot)
            if (state.matrices.at(slot, g) != -1)
                last = slot;
        out << "[";
        for (int slot = 1; slot <= last; ++slot)
            out << (slot > 1 ? "," : "") << state.matrices.at(slot, g);
        out << "]";
    });
    std::vector<std::size_t> deletedVertices, deletedFaces, selected;
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        if (state.vertices[i].deleted)
            deletedVertices.push_back(i);
        if (state.vertices[i].selected)
            selected.push_back(i);
    }
    for (std::size_t i = 0; i < state.faces.size(); ++i)
        if (state.faces[i].deleted)
            deletedFaces.push_back(i);
    auto index = [&](std::size_t i) { out << i; };
    out << ", ";
    jsonList(out, "deletedVertices", deletedVertices, index);
    out << ", ";
    jsonList(out, "deletedFaces", deletedFaces, index);
    out << ", ";
    jsonList(out, "selected", selected, index);
    out << "}\n";
}

// convert-version=V: the version's place in the pick list, the question answered Yes; the
// message's sentences printed as --convert --format-version prints them.
void convertVersion(BatchContext& context, const std::vector<std::string>& args) {
    std::optional<std::size_t> place;
    for (std::size_t i = 0; i < std::size(editor::formatVersionChoices); ++i)
        if (args.size() == 1 && args[0] == std::to_string(editor::formatVersionChoices[i]))
            place = i;
    if (!place)
        throw StepError("convert-version: expects 800, 1000 or 1100");
    context.dialogs.setAnswers({std::to_string(*place + 1)});
    context.dialogs.yesNoAnswers = {common::MessageAnswer::Yes};
    // The summary box is printed here, line by line, instead of as one message.
    const auto shown = context.dialogs.onShown;
    context.dialogs.onShown = [&](const common::ScriptedDialogs::Shown& message) {
        if (message.title != "Convert Format Version" && shown)
            shown(message);
    };
    const auto converted = editor::convertFormatVersionCommand(context.state);
    context.dialogs.onShown = shown;
    if (!converted) {
        // Already at that version: the one message says so.
        const auto& shownNow = context.dialogs.shown;
        if (!shownNow.empty() && shownNow.back().title == "Convert Format Version")
            context.out << shownNow.back().text << "\n";
        return;
    }
    for (const auto& change : converted->changes)
        context.err << "Warning: FormatVersion " << converted->to << ": " << change << "\n";
    context.out << "converted " << context.modelArgument << " (FormatVersion " << converted->from
                << " to " << converted->to << ")\n";
}

} // namespace

// A save that removes the edited geoset reads the model again and asks which geoset to edit:
// a script goes on with the first.
void answerReopening(BatchContext& c) {
    if (editor::savingRemovesGeoset(c.state))
        c.dialogs.answers.push_back("1");
}

// The path of save-as and save-geoset: an empty one would be taken as a cancelled dialog.
void expectPath(const std::vector<std::string>& args, const std::string& step) {
    if (args.size() != 1 || args[0].empty())
        throw StepError(step + ": needs a PATH, as in " + step + "=model.mdl");
}

void registerModelSteps(StepTable& table) {
    table.add("info", info);
    table.add("dump", dump);
    table.add("convert-version", convertVersion);
    // save=PATH is save-as=PATH: a model taken from an archive is then written to a plain file.
    table.add("save", [](BatchContext& c, const auto& args) {
        if (!args.empty()) {
            expectPath(args, "save");
            answerReopening(c);
            editor::saveAsCommand(c.state);
            return;
        }
        answerReopening(c);
        editor::saveCommand(c.state);
    });
    table.add("save-as", [](BatchContext& c, const auto& args) {
        expectPath(args, "save-as");
        answerReopening(c);
        editor::saveAsCommand(c.state);
    });
    table.add("save-geoset", [](BatchContext& c, const auto& args) {
        expectPath(args, "save-geoset");
        answerReopening(c);
        editor::saveGeosetCommand(c.state);
    });
}

} // namespace batch
