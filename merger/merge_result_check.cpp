#include "merger/merge_result_check.h"

#include "common/text_file.h"
#include "formats/check/model_check.h"
#include "formats/mdx/model_conversion.h"

#include <filesystem>
#include <set>
#include <utility>

namespace merger {

namespace {

constexpr std::size_t namedAtMost = 3;

std::optional<check::Problems> errorsOf(const std::string& path,
                                        const textures::TextureSource& textureSource) {
    const auto bytes = common::readTextFile(path);
    if (!bytes)
        return std::nullopt;
    const auto read = mdx::readModelFile(*bytes);
    if (!read.ok())
        return std::nullopt;
    check::Problems errors;
    for (auto& problem :
         check::checkModel(read.model, std::filesystem::path(path).parent_path(), textureSource))
        if (problem.severity == check::Severity::Error)
            errors.push_back(std::move(problem));
    return errors;
}

} // namespace

std::string newErrorsNote(const std::string& basePath, const std::string& outputPath,
                          const textures::TextureSource& textureSource) {
    const auto base = errorsOf(basePath, textureSource);
    const auto merged = errorsOf(outputPath, textureSource);
    if (!base || !merged)
        return {};
    // The base's geosets keep their numbers in the merged model, so an error it had reads alike.
    std::set<std::pair<std::string, std::string>> known;
    for (const auto& problem : *base)
        known.emplace(problem.id, problem.message);
    std::vector<const check::Problem*> added;
    for (const auto& problem : *merged)
        if (!known.contains({problem.id, problem.message}))
            added.push_back(&problem);
    if (added.empty())
        return {};
    std::string note = "The model check finds " + std::to_string(added.size()) +
                       (added.size() == 1 ? " error" : " errors") +
                       " in the merged model that the base model has not: ";
    for (std::size_t i = 0; i < added.size() && i < namedAtMost; ++i)
        note += (i > 0 ? "; " : "") + added[i]->id + ": " + added[i]->message;
    if (added.size() > namedAtMost)
        note += "; and " + std::to_string(added.size() - namedAtMost) + " more";
    return note + ".";
}

} // namespace merger
