#include "editor/model/geoset_reader.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/model/editor_state.h"
#include "editor/views/viewports.h"

#include <optional>
#include <stdexcept>

namespace editor {

namespace {

// A line the reader cannot follow; carries what is wrong, the caller adds file and line.
class ReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::string quoted(std::string_view text) {
    constexpr std::size_t shown = 60;
    std::string out(text.substr(0, shown));
    if (text.size() > shown)
        out += "...";
    return "\"" + out + "\"";
}

double number(std::string_view text) {
    const auto value = common::parseNumber(text);
    if (!value)
        throw ReadError(quoted(text) + " is not a number");
    return *value;
}

int integer16(std::string_view text) {
    const auto value = common::parseInteger16(text);
    if (!value)
        throw ReadError(quoted(text) + " is not a whole number from -32768 to 32767");
    return *value;
}

int count(std::string_view text, const char* what) {
    const auto value = common::parseInteger32(text);
    if (!value || *value < 0)
        throw ReadError(quoted(text) + " is not a valid " + what + " count");
    return *value;
}

std::string_view from(std::string_view text, std::size_t position) {
    return position <= text.size() ? text.substr(position) : std::string_view();
}

std::string_view upTo(std::string_view text, char stop, const char* form) {
    const auto at = text.find(stop);
    if (at == std::string_view::npos)
        throw ReadError(std::string("the line does not have the form ") + form);
    return text.substr(0, at);
}

// Three values of a position or normal line: two tabs, "{ ", p1, ", ", p2, ", ", p3, " },".
struct Triple {
    double first, second, third;
};
Triple parseTriple(std::string_view line) {
    constexpr const char* form = "{ a, b, c },";
    const auto p1 = upTo(from(line, 3), ',', form);
    const auto firstComma = line.find(',');
    const auto rest = from(line, firstComma + 2);
    const auto p2 = upTo(rest, ',', form);
    const auto rest2 = from(rest, p2.size() + 2);
    const auto p3 = upTo(rest2, '}', form);
    return {number(p1), number(p2), number(p3)};
}

// Indices of one triangle line: three tabs, "{ ", i1, ", ", ..., in, " },". Every three
// indices make one triangle, in order.
void parseIndexLine(std::string_view line, std::vector<FaceRecord>& faces, int& faceIndex) {
    constexpr const char* form = "the triangle line does not have the form { a, b, c, ... },";
    if (line.size() < 9 || !startsWith(line, "\t\t\t{ ") || line.substr(line.size() - 3) != " },")
        throw ReadError(form);
    std::vector<int> indices;
    std::string_view rest = line.substr(5, line.size() - 8);
    for (;;) {
        const auto comma = rest.find(',');
        indices.push_back(integer16(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    if (indices.size() % 3 != 0)
        throw ReadError("the number of indices on a triangle line is not a multiple of 3");
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        ++faceIndex;
        if (static_cast<std::size_t>(faceIndex) > faces.size())
            throw ReadError("more triangles than the Faces header counts");
        faces[static_cast<std::size_t>(faceIndex - 1)] = {indices[i], indices[i + 1],
                                                          indices[i + 2], false};
    }
}

// One "Matrices { id1, ..., idk }," line into a fresh column.
MatrixTable::Column parseMatrices(std::string_view line) {
    if (!startsWith(line, "\t\tMatrices { "))
        throw ReadError("expected a line of the form Matrices { id, ... },");
    auto column = MatrixTable::emptyColumn();
    std::string_view text = from(line, 13);
    for (int slot = 0;; ++slot) {
        if (slot >= matrixSlots)
            throw ReadError("a matrix group holds more than 7 bone ids");
        if (countChar(text, ',') == 1) {
            const auto brace = upTo(text, '}', "Matrices { id, ... },");
            if (brace.empty())
                throw ReadError("expected a line of the form Matrices { id, ... },");
            column[static_cast<std::size_t>(slot)] = integer16(brace.substr(0, brace.size() - 1));
            return column;
        }
        const auto comma = text.find(',');
        if (comma == std::string_view::npos)
            throw ReadError("expected a line of the form Matrices { id, ... },");
        column[static_cast<std::size_t>(slot)] = integer16(text.substr(0, comma));
        text = from(text, comma + 2);
    }
}

struct GeosetArrays {
    std::vector<VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    int groups = 0;
    bool groupsRead = false;
    bool facesRead = false;
    bool verticesRead = false;
    int vertexIndex = 0;
};

// Reads the next line of a block that must go on; a file that ends there is truncated.
void nextLine(common::LineReader& reader, std::string& line, const char* block) {
    if (!reader.next(line))
        throw ReadError(std::string("the file ends inside the ") + block + " block");
}

void readGeosetLines(common::LineReader& reader, int geosetNumber, GeosetArrays& arrays) {
    std::string line;
    int geosetCounter = 0;
    bool inGeoset = false;
    bool finished = false;
    bool inVertices = false, inNormals = false, inTVertices = false, inVertexGroup = false;
    int uvIndex = 0, blockIndex = 0, faceIndex = 0;
    auto& vertices = arrays.vertices;

    auto vertexAt = [&vertices](int index, const char* what) -> VertexRecord& {
        if (index < 1 || static_cast<std::size_t>(index) > vertices.size())
            throw ReadError(std::string("more ") + what + " than the geoset has vertices");
        return vertices[static_cast<std::size_t>(index - 1)];
    };

    while (!finished && reader.next(line)) {
        if (line == "Geoset {") {
            ++geosetCounter;
            if (geosetCounter == geosetNumber)
                inGeoset = true;
        }
        if (line == "}" && inGeoset) {
            inGeoset = false;
            finished = true;
        }
        if (line == "\t}")
            inVertices = inTVertices = inVertexGroup = inNormals = false;

        if (inVertices) {
            const auto triple = parseTriple(line);
            ++arrays.vertexIndex;
            auto& vertex = vertexAt(arrays.vertexIndex, "vertex lines");
            vertex.selected = vertex.deleted = false;
            vertex.x = triple.second;
            vertex.y = triple.third;
            vertex.z = triple.first;
        }
        if (inTVertices) {
            const auto t1 = upTo(from(line, 3), ',', "{ u, v },");
            const auto t2 = upTo(from(line, line.find(',') + 2), '}', "{ u, v },");
            ++uvIndex;
            auto& vertex = vertexAt(uvIndex, "texture coordinates");
            vertex.u = number(t1);
            vertex.v = number(t2);
        }
        if (inVertexGroup) {
            ++blockIndex;
            if (line.size() < 3 || line.back() != ',')
                throw ReadError("expected a vertex group line of the form 0,");
            vertexAt(blockIndex, "vertex group lines").vertexGroup =
                integer16(std::string_view(line).substr(2, line.size() - 3));
        }
        if (inNormals) {
            const auto triple = parseTriple(line);
            ++blockIndex;
            auto& vertex = vertexAt(blockIndex, "normals");
            vertex.normalZ = triple.first;
            vertex.normalX = triple.second;
            vertex.normalY = triple.third;
        }

        if (!inGeoset)
            continue;
        if (startsWith(line, "\tVertices")) {
            inVertices = true;
            const auto brace = line.find('{');
            if (brace == std::string::npos || brace < 9)
                throw ReadError("expected a header of the form Vertices 8 {");
            const int n = count(std::string_view(line).substr(9, brace - 9), "vertex");
            if (n > maxGeosetRecords)
                throw ReadError("a geoset holds at most 32767 vertices");
            vertices.assign(static_cast<std::size_t>(n), VertexRecord{});
            arrays.verticesRead = true;
        } else if (startsWith(line, "\tTVertices")) {
            uvIndex = 0;
            inTVertices = true;
        } else if (startsWith(line, "\tVertexGroup")) {
            blockIndex = 0;
            inVertexGroup = true;
        } else if (startsWith(line, "\tNormals")) {
            blockIndex = 0;
            inNormals = true;
        } else if (startsWith(line, "\tFaces")) {
            auto text = from(line, 7);
            const auto blank = text.find(' ');
            if (blank == std::string_view::npos || text.size() < blank + 3)
                throw ReadError("expected a header of the form Faces 1 36 {");
            text = text.substr(blank + 1);
            const int indexCount = count(text.substr(0, text.size() - 2), "index");
            if (indexCount % 3 != 0)
                throw ReadError("the index count of the Faces header is not a multiple of 3");
            if (indexCount / 3 > maxGeosetRecords)
                throw ReadError("a geoset holds at most 32767 triangles");
            arrays.faces.assign(static_cast<std::size_t>(indexCount / 3), FaceRecord{});
            arrays.facesRead = true;
            faceIndex = 0;
            nextLine(reader, line, "Faces"); // "Triangles {"
            for (;;) {
                nextLine(reader, line, "Faces");
                if (line == "\t\t}")
                    break;
                parseIndexLine(line, arrays.faces, faceIndex);
            }
            if (static_cast<std::size_t>(faceIndex) != arrays.faces.size())
                throw ReadError("the Faces header counts " + std::to_string(indexCount) +
                                " indices but the block holds " + std::to_string(3 * faceIndex));
        } else if (startsWith(line, "\tGroups")) {
            arrays.matrices.clear();
            arrays.matrices.resize(1);
            arrays.groupsRead = true;
            for (;;) {
                nextLine(reader, line, "Groups");
                if (line == "\t}")
                    break;
                const auto column = parseMatrices(line);
                ++arrays.groups;
                if (arrays.groups > maxGeosetRecords)
                    throw ReadError("a geoset holds at most 32767 matrix groups");
                arrays.matrices.resize(arrays.groups);
                for (int slot = 1; slot <= matrixSlots; ++slot)
                    arrays.matrices.at(slot, arrays.groups) =
                        column[static_cast<std::size_t>(slot - 1)];
            }
        }
    }
    if (inGeoset && !finished)
        throw ReadError("the file ends inside the geoset");
}

void checkCorners(const GeosetArrays& arrays, const std::vector<VertexRecord>& vertices) {
    const auto limit = static_cast<int>(vertices.size());
    for (std::size_t f = 0; f < arrays.faces.size(); ++f) {
        const auto& face = arrays.faces[f];
        for (int corner : {face.a, face.b, face.c})
            if (corner < 0 || corner >= limit)
                throw ReadError("triangle " + std::to_string(f + 1) + " names vertex " +
                                std::to_string(corner) + ", but the geoset has " +
                                std::to_string(limit) + " vertices");
    }
}

void enableModelControls(EditorState& state) {
    auto& menus = state.menus;
    menus.mnuToolsEnabled = menus.mnuSaveEnabled = menus.mnuSaveAsEnabled = true;
    menus.mnuSwitchGeosetEnabled = menus.mnuSaveGeosetEnabled = true;
    menus.mnuMergeGeosetEnabled = menus.viewsEnabled = true;
}

void showError(EditorState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

} // namespace

bool startsWith(std::string_view checkIn, std::string_view checkFor) {
    return checkIn.substr(0, checkFor.size()) == checkFor;
}

int countChar(std::string_view text, char ch) {
    int n = 0;
    for (char c : text)
        if (c == ch)
            ++n;
    return n;
}

int chooseGeoset(EditorState& state, const std::string& path) {
    int geosets = 0;
    common::LineReader reader(path);
    std::string line;
    while (reader.next(line))
        if (line == "Geoset {")
            ++geosets;
    if (geosets <= 1 || !state.dialogs)
        return 1;
    const std::string prompt = "Geoset to import(1 - " + std::to_string(geosets) + "):";
    for (;;) {
        const auto answer = state.dialogs->inputBox(prompt, "Geoset to open", "1");
        const auto value = common::parseNumber(answer);
        if (value && *value >= 1 && *value <= geosets)
            return static_cast<int>(*common::parseInteger16(answer));
    }
}

bool readGeoset(EditorState& state, const std::string& path, std::vector<VertexRecord>& vertices,
                std::vector<FaceRecord>& faces, MatrixTable& matrices, int geosetNumber,
                bool storeGroupCount) {
    common::LineReader reader(path);
    if (!reader.isOpen()) {
        showError(state, "Cannot read " + path + ".");
        return false;
    }
    // Read into copies so that a file that fails half-way leaves the arrays as they were.
    GeosetArrays arrays;
    arrays.vertices = vertices;
    try {
        readGeosetLines(reader, geosetNumber, arrays);
        if (!arrays.verticesRead || arrays.vertexIndex == 0)
            throw ReadError(
                "geoset " + std::to_string(geosetNumber) +
                " has no vertex this editor can read. Geoset blocks must be indented with tabs "
                "only, one item a line, as in a tab, \"Vertices 8 {\" and then two tabs, "
                "\"{ 1, 2, 3 },\"");
        if (static_cast<std::size_t>(arrays.vertexIndex) != arrays.vertices.size())
            throw ReadError("the Vertices header counts " +
                            std::to_string(arrays.vertices.size()) + " vertices but the block holds " +
                            std::to_string(arrays.vertexIndex));
        // A geoset without triangles gets none: keeping the previous geoset's triangles would
        // join vertices of another geoset.
        if (!arrays.facesRead)
            arrays.faces.clear();
        checkCorners(arrays, arrays.vertices);
    } catch (const ReadError& error) {
        showError(state, "Cannot read " + path + ", line " + std::to_string(reader.lineNumber()) +
                             ": " + error.what() + ".");
        return false;
    }
    vertices = std::move(arrays.vertices);
    faces = std::move(arrays.faces);
    if (arrays.groupsRead) {
        matrices = std::move(arrays.matrices);
        if (storeGroupCount)
            state.groupCount = arrays.groups;
    }
    enableModelControls(state);
    state.modelLoaded = true;
    return true;
}

void openModel(EditorState& state, std::vector<VertexRecord>& vertices,
               std::vector<FaceRecord>& faces, MatrixTable& matrices, bool isMainModel,
               bool storeGroupCount) {
    const std::string previousModelPath = state.modelPath;
    state.mouseArmed = false;
    if (state.startArmingTimer)
        state.startArmingTimer();
    state.menus.cmdSnapEnabled = state.menus.cmdDeleteEnabled = true;

    if (!state.dialogs)
        return;
    const auto chosen = state.dialogs->openFileDialog(mdlFileFilter);
    if (!chosen)
        return;
    if (!common::canOpenForReading(*chosen)) {
        if (!chosen->empty())
            state.dialogs->messageBox("Bad file name", "Error");
        // The previous model stays the one being edited.
        state.modelPath = previousModelPath;
        return;
    }
    state.modelPath = *chosen;

    const std::string previousTempPath = state.tempPath;
    const std::string previousSavePath = state.savePath;
    std::string newTempPath;
    if (isMainModel) {
        newTempPath = workingCopyPath(state.modelPath);
        if (!common::copyFileOver(state.modelPath, newTempPath)) {
            state.dialogs->messageBox("Cannot write the working copy " + newTempPath + ".",
                                      "Error");
            state.modelPath = previousModelPath;
            return;
        }
    }
    const int answer = chooseGeoset(state, state.modelPath);
    state.savePath = state.modelPath;
    const bool read =
        readGeoset(state, state.modelPath, vertices, faces, matrices, answer, storeGroupCount);

    if (isMainModel && read) {
        if (!previousTempPath.empty() && previousTempPath != newTempPath)
            common::deleteFile(previousTempPath);
        state.tempPath = newTempPath;
        state.geosetNumber = answer;
    } else if (isMainModel) {
        // Nothing was read: the previous model and its working copy stay in use.
        if (newTempPath != previousTempPath)
            common::deleteFile(newTempPath);
        state.modelPath = previousModelPath;
        state.savePath = previousSavePath;
    } else {
        state.modelPath = previousModelPath;
        state.savePath = state.modelPath;
    }
    refreshViews(state);
}

} // namespace editor
