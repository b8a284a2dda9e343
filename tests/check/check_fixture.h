#pragma once

#include "formats/check/model_check.h"
#include "formats/mdx/mdx_file.h"
#include "mdx/corpus_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace check_test {

// A corpus model read through the format library, or nothing when the corpus is missing.
inline std::optional<mdx::Model> corpusModel(const std::string& relative) {
    const auto dir = mdx_test::corpusDir();
    if (dir.empty() || !std::filesystem::exists(dir / relative))
        return std::nullopt;
    const auto bytes = mdx_test::readBytes(dir / relative);
    return mdx::hasMdxMagic(bytes) ? mdx::readMdx(bytes) : mdx::readMdl(bytes);
}

inline std::filesystem::path corpusFolder(const std::string& relative) {
    return (mdx_test::corpusDir() / relative).parent_path();
}

inline std::size_t countOf(const check::Problems& problems, const std::string& id) {
    return static_cast<std::size_t>(std::count_if(
        problems.begin(), problems.end(), [&](const check::Problem& p) { return p.id == id; }));
}

} // namespace check_test
