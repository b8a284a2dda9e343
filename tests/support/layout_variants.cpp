#include "support/layout_variants.h"

#include <vector>

namespace testing_support {

namespace {

struct SourceLine {
    int depth = 0;
    std::string text; // without its tabs
};

std::vector<SourceLine> splitLines(std::string_view text) {
    std::vector<SourceLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        SourceLine source;
        while (!line.empty() && line.front() == '\t') {
            ++source.depth;
            line.remove_prefix(1);
        }
        source.text = std::string(line);
        lines.push_back(source);
        start = end + 1;
    }
    return lines;
}

std::string spacedLayout(const std::vector<SourceLine>& lines, int width) {
    std::string out;
    for (const auto& line : lines)
        out += std::string(static_cast<std::size_t>(line.depth * width), ' ') + line.text + "\n";
    return out;
}

bool isComment(const SourceLine& line) {
    return line.text.starts_with("//");
}

bool endsItem(const SourceLine& line) {
    return !line.text.empty() && line.text.back() == ',';
}

std::string mixedLayout(const std::vector<SourceLine>& lines) {
    static const char* const indents[] = {"\t", "  ", " \t", "    "};
    static const char* const lineEnds[] = {"\r\n", "\n", "\r"};
    std::string out = "\xEF\xBB\xBF// edited by hand\r\n";
    std::size_t written = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        std::string text;
        for (int level = 0; level < line.depth; ++level)
            text += indents[(i + static_cast<std::size_t>(level)) % 4];
        text += line.text;
        // Two items on one line, and a header with its first item, now and then.
        if (i + 1 < lines.size() && !isComment(line) && !isComment(lines[i + 1]) &&
            ((endsItem(line) && endsItem(lines[i + 1]) && i % 3 == 0) ||
             (line.text.back() == '{' && i % 5 == 0))) {
            text += (i % 2 ? "\t" : "  ") + lines[i + 1].text;
            ++i;
        }
        if (written % 7 == 3)
            text += " \t";
        out += text + lineEnds[written % 3];
        ++written;
        if (line.depth == 0 && line.text == "}")
            out += "\n   \n// next block\n";
        else if (written % 11 == 5)
            out += "\t// a note\r\n";
    }
    return out;
}

} // namespace

std::string relayout(std::string_view tabText, Layout layout) {
    const auto lines = splitLines(tabText);
    switch (layout) {
    case Layout::TwoSpaces:
        return spacedLayout(lines, 2);
    case Layout::FourSpaces:
        return spacedLayout(lines, 4);
    case Layout::Mixed:
        return mixedLayout(lines);
    }
    return {};
}

const char* layoutName(Layout layout) {
    switch (layout) {
    case Layout::TwoSpaces:
        return "two spaces";
    case Layout::FourSpaces:
        return "four spaces";
    case Layout::Mixed:
        return "mixed";
    }
    return "";
}

} // namespace testing_support
