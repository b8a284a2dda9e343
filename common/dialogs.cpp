#include "common/dialogs.h"

namespace common {

std::optional<std::string> Dialogs::saveFileDialog(const std::string& filter) {
    auto choice = saveFileChoice(filter);
    if (!choice)
        return std::nullopt;
    return std::move(choice->path);
}

std::optional<Dialogs::SaveChoice> Dialogs::saveFileChoice(const std::string& filter) {
    auto choice = chooseSaveFile(filter);
    if (!choice)
        return std::nullopt;
    if (choice->filterEntry && !choice->path.empty() && !hasFileExtension(choice->path))
        choice->path += filterExtension(filter, *choice->filterEntry);
    return choice;
}

std::string filterExtension(const std::string& filter, std::size_t entry) {
    // "Description|*.a;*.b|Other|*.x": the patterns of entry n follow its description.
    std::size_t start = 0;
    for (std::size_t field = 0; field < 2 * entry + 1; ++field) {
        start = filter.find('|', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    const auto end = filter.find_first_of("|;", start);
    const std::string pattern = filter.substr(start, end == std::string::npos ? end : end - start);
    const auto dot = pattern.find('.');
    if (pattern.rfind("*.", 0) != 0 || pattern.find_first_of("*?[", dot) != std::string::npos)
        return {};
    return pattern.substr(dot);
}

bool hasFileExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    return dot != std::string::npos && dot > nameStart;
}

} // namespace common
