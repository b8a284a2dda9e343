#include "editor/editing/format_version_command.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/whole_model_edit.h"
#include "editor/model/model_document.h"
#include "formats/versions/version_conversion.h"

#include <filesystem>

namespace editor {

namespace {

constexpr const char* title = "Convert Format Version";

// The model as the document holds it, for the version it has now.
const mdx::Model* heldModel(EditingState& state) {
    const auto document = heldDocument(state);
    return document ? document->model() : nullptr;
}

std::string summary(const FormatVersionConverted& converted) {
    std::string text = "Converted the model from FormatVersion " + std::to_string(converted.from) +
                       " to " + std::to_string(converted.to) + ".";
    if (converted.changes.empty())
        return text + "\nNothing was approximated or dropped.";
    for (const auto& change : converted.changes)
        text += "\n" + change;
    return text;
}

} // namespace

const char* formatVersionCaption(std::uint32_t version) {
    switch (version) {
    case 800:
        return "800 (classic)";
    case 1000:
        return "1000 (Reforged)";
    default:
        return "1100 (Reforged)";
    }
}

std::optional<FormatVersionConverted> convertFormatVersionTo(EditingState& state,
                                                             std::uint32_t target) {
    if (!state.modelLoaded || !state.dialogs || !versions::isTargetVersion(target))
        return std::nullopt;
    const mdx::Model* current = heldModel(state);
    if (current && current->version == target) {
        state.dialogs->messageBox("The model already has FormatVersion " + std::to_string(target) +
                                      "; nothing was changed.",
                                  title);
        return std::nullopt;
    }
    if (state.dialogs->messageBox("Converting the model clears the undo history. Convert?", title,
                                  common::MessageButtons::YesNo) != common::MessageAnswer::Yes)
        return std::nullopt;

    FormatVersionConverted converted;
    converted.to = target;
    const auto folder = std::filesystem::absolute(state.modelPath).parent_path();
    const bool changed =
        editWholeModel(state, UndoKind::ConvertVersion, [&](mdx::Model& model, int&) {
            converted.from = model.version;
            auto result = versions::convertFormatVersion(model, target, folder);
            if (!result.ok())
                return ModelEditResult{false, "The model was not converted to FormatVersion " +
                                                  std::to_string(target) + ": " + result.refusal +
                                                  "."};
            converted.changes = std::move(result.changes);
            model = std::move(result.model);
            return ModelEditResult{true, {}};
        });
    if (!changed)
        return std::nullopt;
    clearUndoHistory(state);
    state.dialogs->messageBox(summary(converted), title);
    return converted;
}

std::optional<FormatVersionConverted> convertFormatVersionCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return std::nullopt;
    const mdx::Model* current = heldModel(state);
    const std::string from = current ? std::to_string(current->version) : std::string("?");
    std::vector<std::string> entries;
    for (const auto version : formatVersionChoices)
        entries.push_back(formatVersionCaption(version));
    const auto picked = state.dialogs->pickFromList(
        "Convert the model from FormatVersion " + from + " to:", title, entries);
    if (!picked || *picked < 0 || *picked >= static_cast<int>(entries.size()))
        return std::nullopt;
    return convertFormatVersionTo(state, formatVersionChoices[*picked]);
}

} // namespace editor
