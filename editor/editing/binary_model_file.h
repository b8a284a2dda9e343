#pragma once

#include "common/text_file.h"

#include <string>
#include <string_view>

namespace editor {

// Collects the lines a writer writes as one text, each followed by a line feed.
class TextCollector : public common::LineSink {
  public:
    void writeLine(std::string_view line) override {
        text.append(line);
        text.push_back('\n');
    }
    std::string text;
};

// Replaces the file at path with the binary model (MDX) of the MDL text, as AtomicFileWriter
// replaces a text file: links followed, special and hard-linked files refused, permissions kept,
// all or nothing. Empty when written; otherwise why nothing was written, to follow "Cannot save
// PATH: ".
std::string writeBinaryModel(const std::string& path, std::string_view mdlText);

} // namespace editor
