#pragma once

// Converts a whole model to another FormatVersion: 800 (the classic game) or 1000 and 1100
// (Reforged), saying what was approximated or dropped on the way.

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace versions {

// The versions a model converts to.
bool isTargetVersion(std::uint32_t version);

struct VersionConversion {
    mdx::Model model;
    // What was approximated or dropped, one sentence an item with its count.
    std::vector<std::string> changes;
    // Why the result must not be written: it would have errors the model check did not find in
    // the original. Empty when it may be.
    std::string refusal;
    bool ok() const { return refusal.empty(); }
};

// The model at the target version (isTargetVersion). folder is the model file's, for the
// model check's texture lookup.
VersionConversion convertFormatVersion(const mdx::Model& model, std::uint32_t target,
                                       const std::optional<std::filesystem::path>& folder = {});

} // namespace versions
