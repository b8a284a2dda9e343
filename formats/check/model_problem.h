#pragma once

// What the model check reports: one problem a place, with enough to point at it in an editor.

#include <cstdint>
#include <string>
#include <vector>

namespace check {

// Error: the game or another tool fails on it. Warning: most likely wrong. Note: worth knowing.
enum class Severity { Error, Warning, Note };

const char* severityName(Severity severity); // "error", "warning", "note"

struct Problem {
    std::string id; // the rule's id, e.g. "face-index"
    Severity severity = Severity::Error;
    std::string message;                 // names the place: geoset N, vertex i, node "name", ...
    int geoset = -1;                     // index into Model::geosets, -1 when none
    std::vector<std::uint32_t> vertices; // of that geoset
    std::vector<std::uint32_t> faces;    // triangles of that geoset, three corners each
    std::string node;                    // the node's name, empty when none
};

using Problems = std::vector<Problem>;

bool hasError(const Problems& problems);

} // namespace check
