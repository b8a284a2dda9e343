#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// A deliberately simple MDL reader of its own, sharing nothing with the program's: text in,
// a tree of statements out. A statement is what lies between commas; each "{ ... }" in it is a
// nested list of statements, marked by a "{" among its atoms. Layout, comments and line ends
// leave no trace in the tree.
struct MdlStatement {
    std::vector<std::string> atoms; // words, numbers, strings, ":" and "{" for each group
    std::vector<std::vector<MdlStatement>> groups;
};
using MdlTree = std::vector<MdlStatement>;

// The tree, or nothing (with why in error) for text that does not nest.
std::optional<MdlTree> parseMdlTree(std::string_view text, std::string* error = nullptr);

// True when both trees hold the same statements; numbers compare by value within
// 1e-6 relative. On a difference, where says where it lies.
bool sameMdlTree(const MdlTree& first, const MdlTree& second, std::string* where = nullptr);

} // namespace testing_support
