#pragma once

#include <string>
#include <vector>

namespace editor {

struct EditingState;

// Tools > Assign Vertex Group: asks for a group number (Cancel ends the command) and gives it
// to every selected vertex.
void assignVertexGroupCommand(EditingState& state);

// "0, 1, and 4": sorted distinct groups as the message of Vertex Group of Selection lists them.
std::string vertexGroupListText(const std::vector<int>& sortedGroups);

// Tools > Vertex Group of Selection: tells which groups the selected vertices use.
void vertexGroupOfSelectionCommand(EditingState& state);

// Tools > Select by Vertex Group: asks until it gets a group number, then selects, adds or
// removes the live vertices of that group as the selection mode says.
void selectByVertexGroupCommand(EditingState& state);

// Tools > View Matrices: lists every matrix group with its first five bone ids, in pages of a
// little over 300 characters.
void viewMatricesCommand(EditingState& state);

// Tools > Add Matrix: asks for up to five bone ids one by one and appends them as a new matrix
// group; Cancel stops, and cancelling the first question adds nothing.
void addMatrixCommand(EditingState& state);

} // namespace editor
