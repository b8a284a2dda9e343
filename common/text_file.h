#pragma once

#include "common/file_replacement.h"

#include <cstddef>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Reads a text file line by line. Accepts LF and CR LF line ends and strips them; the last
// line needs no line end. The whole file is read at construction, so the file is closed again
// at once and reading cannot fail half-way. Only regular files are read: a FIFO, socket or
// device could block forever or never end, so it does not open (whyNotARegularFile() says why).
class LineReader {
  public:
    explicit LineReader(const std::filesystem::path& path);
    // Reads the lines of text held in memory.
    struct FromText {};
    LineReader(FromText, std::string text) : owned_(std::move(text)), text_(owned_), open_(true) {}
    // Reads the lines of a text the caller keeps alive while the reader is used.
    struct OfText {};
    LineReader(OfText, std::string_view text) : text_(text), open_(true) {}
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool isOpen() const { return open_; }
    bool atEnd() const { return position_ >= text_.size(); }
    // Reads the next line into line; false at the end of the file.
    bool next(std::string& line);
    // The same as a view into the text, valid as long as the reader.
    bool next(std::string_view& line);
    // 1-based number of the line last returned by next().
    std::size_t lineNumber() const { return lineNumber_; }

  private:
    std::string owned_;
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
    bool open_ = false;
};

// The whole file as it is, or nothing when it is not a regular file or cannot be read.
std::optional<std::string> readTextFile(const std::filesystem::path& path);

// The whole file as lines, or nothing when it cannot be read.
std::optional<std::vector<std::string>> readAllLines(const std::filesystem::path& path);

// The lines of a text held in memory, split as LineReader splits them.
std::vector<std::string> linesOf(std::string_view text);

// True when the file exists, is a regular file and can be opened for reading.
bool canOpenForReading(const std::filesystem::path& path);

// Where a writer of lines puts them: a file, or memory.
class LineSink {
  public:
    virtual ~LineSink() = default;
    virtual void writeLine(std::string_view line) = 0;
};

// Collects lines in memory.
class LineCollector : public LineSink {
  public:
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Gathers lines with CR LF line ends into one text, as a file of them would hold.
class TextBuffer : public LineSink {
  public:
    void writeLine(std::string_view line) override {
        text.append(line);
        text.append("\r\n");
    }
    // Room for size characters, made resident at once (memory_tuning.h).
    void reserve(std::size_t size);
    std::string text;
};

// Writes a text file line by line with CR LF line ends into a temporary file in the target's
// folder; commit() renames it over the target. Dropping the writer without commit() removes
// the temporary file and leaves the target as it was. Which files are replaced and how is
// FileReplacement's: links followed, special files and hard-linked files refused, permissions
// and owner kept.
class AtomicFileWriter : public LineSink {
  public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool isOpen() const { return file_.isOpen(); }
    // Why the target was refused as a whole; empty when it was not.
    const std::string& refusal() const { return file_.refusal(); }
    void writeLine(std::string_view line) override;
    // Flushes, closes and renames over the target. False (with the target untouched) when any
    // write or the rename failed.
    bool commit();

  private:
    void flushPending();
    static constexpr std::size_t flushSize = 1 << 20;
    FileReplacement file_;
    std::string pending_;
};

// Replaces a file with the text, the way AtomicFileWriter does.
bool replaceFileWith(const std::filesystem::path& target, std::string_view text);

// Writes a new file holding the text, as replaceFileWith does, but never over a file: false,
// with nothing changed, when one is at target already or it cannot be written.
bool createFileWith(const std::filesystem::path& target, std::string_view text);

// Copies a file over another through a temporary file, so a failure never leaves the target
// truncated. False when the source cannot be read or the target cannot be written. The copy is
// as private as the source: it gets the source's permissions, with read and write for its owner.
bool copyFileOver(const std::filesystem::path& from, const std::filesystem::path& to,
                  Durability durability = Durability::Flushed);

// Writes text over a file the way copyFileOver does, as private as modeSource.
bool writeTextOver(std::string_view text, const std::filesystem::path& modeSource,
                   const std::filesystem::path& to, Durability durability = Durability::Flushed);

// writeTextOver on a second thread: the temporary file is written while the caller goes on, and
// commit() waits for it and puts it in place. Dropped without commit(), it leaves the file as
// it was. The text must stay as it is until then.
class TextWriteInBackground {
  public:
    TextWriteInBackground(std::string_view text, const std::filesystem::path& modeSource,
                          const std::filesystem::path& to, Durability durability);
    ~TextWriteInBackground();
    TextWriteInBackground(const TextWriteInBackground&) = delete;
    TextWriteInBackground& operator=(const TextWriteInBackground&) = delete;
    bool commit();

  private:
    FileReplacement file_;
    std::future<bool> written_;
};

// Deletes a file; false when it was there and could not be removed.
bool deleteFile(const std::filesystem::path& path);

} // namespace common
