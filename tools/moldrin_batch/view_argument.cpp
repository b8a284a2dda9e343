#include "view_argument.h"

namespace batch {

editor::View viewArgument(const std::vector<std::string>& args, std::size_t index,
                          const std::string& step) {
    const std::string name = index < args.size() ? args[index] : "";
    if (name == "front")
        return editor::View::Front;
    if (name == "top")
        return editor::View::Top;
    if (name == "left")
        return editor::View::Left;
    throw StepError(step + ": the view must be front, top or left, not \"" + name + "\"");
}

editor::View dragArguments(BatchContext& context, const std::vector<std::string>& args,
                           const std::string& step) {
    expectArguments(args, 5, step);
    const auto view = viewArgument(args, 0, step);
    auto& state = context.state;
    state.dragStartH = numberArgument(args, 1, step);
    state.dragStartV = numberArgument(args, 2, step);
    state.dragEndH = numberArgument(args, 3, step);
    state.dragEndV = numberArgument(args, 4, step);
    return view;
}

} // namespace batch
