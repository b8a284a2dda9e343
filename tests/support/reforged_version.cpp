#include "support/reforged_version.h"

#include <sstream>

namespace testing_support {

namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        auto line = std::string(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool startsWith(const std::string& line, std::string_view prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// "{ a, b }," with a and b swapped.
std::string swappedPair(const std::string& line) {
    const auto open = line.find('{'), comma = line.find(','), close = line.find('}');
    return line.substr(0, open + 1) + line.substr(comma + 1, close - comma - 1) + "," +
           line.substr(open + 1, comma - open - 1) + " },";
}

} // namespace

std::string reforgedVersion(std::string_view tabText) {
    const auto lines = linesOf(tabText);
    std::ostringstream out;
    bool inGeoset = false, secondSetDone = false;
    int vertices = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (line == "\tFormatVersion 800,") {
            out << "\tFormatVersion 1000,\n";
            continue;
        }
        out << line << "\n";
        if (line == "Geoset {") {
            inGeoset = true;
            secondSetDone = false;
        } else if (line == "}") {
            inGeoset = false;
        }
        if (!inGeoset)
            continue;
        if (startsWith(line, "\tVertices ")) {
            vertices = std::stoi(line.substr(10));
        } else if (startsWith(line, "\tTVertices ") && !secondSetDone) {
            std::vector<std::string> set;
            for (++i; lines[i] != "\t}"; ++i) {
                out << lines[i] << "\n";
                set.push_back(swappedPair(lines[i]));
            }
            out << "\t}\n" << line << "\n";
            for (const auto& pair : set)
                out << pair << "\n";
            out << "\t}\n\tTangents " << vertices << " {\n";
            for (int v = 0; v < vertices; ++v)
                out << "\t\t{ 1, 0, 0, " << (v % 2 ? 1 : -1) << " },\n";
            out << "\t}\n";
            secondSetDone = true;
        } else if (startsWith(line, "\tVertexGroup")) {
            for (++i; lines[i] != "\t}"; ++i)
                out << lines[i] << "\n";
            out << "\t}\n\tSkinWeights " << vertices << " {\n";
            for (int v = 0; v < vertices; ++v)
                out << "\t\t" << v % 4 << ", 0, 0, 0, 255, 0, 0, 0,\n";
            out << "\t}\n";
        }
    }
    return out.str();
}

std::vector<std::string> perVertexBlockProblems(std::string_view tabText) {
    const auto lines = linesOf(tabText);
    std::vector<std::string> problems;
    int geoset = 0, vertices = -1;
    bool inGeoset = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (line == "Geoset {") {
            ++geoset;
            vertices = -1;
            inGeoset = true;
            continue;
        }
        if (line == "}")
            inGeoset = false;
        if (!inGeoset)
            continue;
        static const char* const names[] = {"Vertices", "Normals", "TVertices", "Tangents",
                                            "SkinWeights"};
        for (const char* name : names) {
            const auto prefix = "\t" + std::string(name) + " ";
            if (!startsWith(line, prefix))
                continue;
            const int counted = std::stoi(line.substr(prefix.size()));
            int held = 0;
            for (++i; i < lines.size() && lines[i] != "\t}"; ++i)
                ++held;
            if (vertices < 0)
                vertices = counted;
            const auto where = "geoset " + std::to_string(geoset) + " " + name;
            if (counted != vertices || held != vertices)
                problems.push_back(where + ": counts " + std::to_string(counted) + ", holds " +
                                   std::to_string(held) + ", vertices " + std::to_string(vertices));
        }
    }
    return problems;
}

} // namespace testing_support
