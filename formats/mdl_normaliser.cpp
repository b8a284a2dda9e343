#include "formats/mdl_normaliser.h"

#include "formats/mdl_tokens.h"
#include "formats/tab_layout.h"

namespace formats {

namespace {

// CR LF when the text's first line ends so, LF otherwise.
std::string_view lineEndOf(std::string_view text) {
    const auto end = text.find_first_of("\r\n");
    if (end != std::string_view::npos && text[end] == '\r' && end + 1 < text.size() &&
        text[end + 1] == '\n')
        return "\r\n";
    return "\n";
}

} // namespace

NormalisedText normaliseModelText(std::string text) {
    if (isTabLayout(text)) {
        NormalisedText result;
        result.text = std::move(text);
        return result;
    }
    return rewriteModelText(text);
}

NormalisedText rewriteModelText(std::string_view text) {
    NormalisedText result;
    result.rewritten = true;
    auto written = writeTabLayout(text, lineEndOf(text));
    result.text = std::move(written.text);
    result.sourceLines = std::move(written.sourceLines);
    result.error = std::move(written.error);
    result.errorLine = written.errorLine;
    return result;
}

} // namespace formats
