#include "batch_context.h"

#include "common/number_text.h"
#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_export.h"
#include "editor/uv/uv_handover.h"
#include "editor/uv/uv_mouse.h"
#include "editor/uv/uv_remap.h"
#include "editor/uv/uv_view.h"
#include "editor/uv/uv_window.h"
#include "textures/texture_error.h"

#include <set>

namespace batch {

namespace {

// The texture coordinate editor of the run; uv steps need a uv-open before them.
editor::UvEditorState& openEditor(BatchContext& context, const std::string& step) {
    if (!context.uv || !context.uv->windowOpen)
        throw StepError(step + ": the texture coordinate editor is not open (use uv-open first)");
    return *context.uv;
}

// A text argument that must be one of the given words.
const std::string& choice(const std::vector<std::string>& args, const std::string& step,
                          const std::set<std::string>& allowed) {
    expectArguments(args, 1, step);
    if (!allowed.count(args[0])) {
        std::string list;
        for (const auto& word : allowed)
            list += (list.empty() ? "" : "|") + word;
        throw StepError(step + ": expects " + list + ", not \"" + args[0] + "\"");
    }
    return args[0];
}

// A press at the first texture point and a release at the second, converted to whole pixels of
// the view exactly as the window's mouse would deliver them.
void dragInView(BatchContext& context, const std::vector<std::string>& args,
                const std::string& step, editor::MouseButton button) {
    auto& uv = openEditor(context, step);
    expectArguments(args, 4, step);
    const double u1 = numberArgument(args, 0, step);
    const double v1 = numberArgument(args, 1, step);
    const double u2 = numberArgument(args, 2, step);
    const double v2 = numberArgument(args, 3, step);
    editor::uvMouseDown(uv, editor::uvToViewX(uv, u1), editor::uvToViewY(uv, v1));
    editor::uvMouseUp(uv, button, editor::uvToViewX(uv, u2), editor::uvToViewY(uv, v2));
}

void uvOpen(BatchContext& context, const std::vector<std::string>& args) {
    expectArguments(args, 0, "uv-open");
    if (!context.uv) {
        context.uv.emplace();
        context.uv->dialogs = &context.dialogs;
    }
    editor::closeUVEditor(*context.uv); // each uv-open is a fresh opening of the window
    editor::openUVMapping(context.state, *context.uv, *context.state.textureSource);
    // The window's tip box, here a line of its own.
    if (!context.uv->textureNote.empty()) {
        context.err << "Tip: " << context.uv->textureNote << "\n";
        context.uv->textureNote.clear();
    }
}

std::string jsonText(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            quoted += "\\u00";
            quoted += hex[c >> 4];
            quoted += hex[c & 15];
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

// uv-export=OUT.png[,SIZE]: over the background when one is shown, else over transparency.
void uvExport(BatchContext& context, const std::vector<std::string>& args) {
    const auto& uv = openEditor(context, "uv-export");
    if (args.empty() || args.size() > 2 || args[0].empty())
        throw StepError("uv-export: expects OUT.png[,SIZE]");
    std::optional<int> size;
    if (args.size() == 2) {
        const auto value = common::parseInteger32(args[1]);
        if (!value)
            throw StepError("uv-export: \"" + args[1] + "\" is not a whole number");
        size = *value;
    }
    try {
        editor::exportUvLayout(uv, args[0], size, uv.imageLoaded);
    } catch (const textures::TextureError& error) {
        throw StepError(std::string("uv-export: ") + error.what());
    }
}

void uvDump(BatchContext& context, const std::vector<std::string>& args) {
    const auto& uv = openEditor(context, "uv-dump");
    expectArguments(args, 0, "uv-dump");
    auto num = [](double v) { return common::formatRoundTrip(v); };
    auto flag = [](bool b) { return b ? "true" : "false"; };
    auto& out = context.out;
    out << "{\"uvs\": [";
    for (std::size_t i = 0; i < uv.texU.size() && i < uv.texV.size(); ++i)
        out << (i ? "," : "") << "[" << num(uv.texU[i]) << "," << num(uv.texV[i]) << "]";
    out << "], \"selected\": [";
    bool first = true;
    for (std::size_t i = 0; i < uv.uvSelected.size(); ++i) {
        if (uv.uvSelected[i]) {
            out << (first ? "" : ",") << i;
            first = false;
        }
    }
    out << "], \"selectionMode\": \"" << uv.uvSelectionMode << "\", \"transformMode\": \""
        << uv.uvTransformMode << "\", \"xEnabled\": " << flag(uv.xEnabled)
        << ", \"yEnabled\": " << flag(uv.yEnabled) << ", \"zoom\": " << num(uv.uvZoom)
        << ", \"panX\": " << uv.uvPanX << ", \"panY\": " << uv.uvPanY << ", \"background\": "
        << (uv.imageLoaded && !uv.imagePath.empty() ? jsonText(uv.imagePath) : "null") << "}\n";
}

} // namespace

void registerUvSteps(StepTable& table) {
    table.add("uv-open", uvOpen);
    table.add("uv-box", [](BatchContext& context, const std::vector<std::string>& args) {
        dragInView(context, args, "uv-box", editor::MouseButton::Left);
    });
    table.add("uv-drag", [](BatchContext& context, const std::vector<std::string>& args) {
        dragInView(context, args, "uv-drag", editor::MouseButton::Right);
    });
    table.add("uv-mode", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-mode");
        editor::setUVSelectionMode(uv, choice(args, "uv-mode", {"S", "A", "D"}));
    });
    table.add("uv-transform", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-transform");
        editor::setUVTransformMode(uv, choice(args, "uv-transform", {"M", "R", "S"}));
    });
    table.add("uv-axis", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-axis");
        editor::toggleUVAxis(uv, choice(args, "uv-axis", {"x", "y"})[0]);
    });
    // Like the window's view box, which accepts typed text: a text other than "Top", "Front" or
    // "Left" changes nothing.
    table.add("uv-remap", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-remap");
        expectArguments(args, 1, "uv-remap");
        editor::remapUV(uv, context.state, args[0]);
    });
    table.add("uv-select-all", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-select-all");
        expectArguments(args, 0, "uv-select-all");
        editor::selectAllUV(uv);
    });
    table.add("uv-invert", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-invert");
        expectArguments(args, 0, "uv-invert");
        editor::invertUVSelection(uv);
    });
    table.add("uv-save", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-save");
        expectArguments(args, 0, "uv-save");
        editor::saveUVChanges(context.state, uv.texU, uv.texV);
    });
    table.add("uv-dump", uvDump);
    // Load Image, its file dialog answered with PATH.
    table.add("uv-image", [](BatchContext& context, const std::vector<std::string>& args) {
        auto& uv = openEditor(context, "uv-image");
        expectArguments(args, 1, "uv-image");
        editor::loadUVImage(uv);
    });
    table.add("uv-export", uvExport);
}

} // namespace batch
