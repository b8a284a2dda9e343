#include "common/text_file.h"

#include "common/memory_tuning.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace common {

namespace {

// Closes a descriptor when the reading ends, however it ends.
class OpenFile {
  public:
    explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
    ~OpenFile() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenFile(OpenFile&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int descriptor() const { return descriptor_; }

  private:
    int descriptor_;
};

// Opens a regular file for reading without ever waiting: the kind is checked before the open,
// which does not block on a FIFO either, and again on what was opened.
std::optional<OpenFile> openRegularFile(const std::filesystem::path& path, struct stat& status) {
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    std::optional<OpenFile> file;
    file.emplace(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file->descriptor() < 0 || ::fstat(file->descriptor(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return std::nullopt;
    return file;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    struct stat status {};
    const auto file = openRegularFile(path, status);
    if (!file)
        return std::nullopt;
    // Read straight into the string; a file that grows meanwhile is read to its new end.
    std::string text;
    text.reserve(static_cast<std::size_t>(status.st_size) + 1);
    prefault(text.data(), text.capacity());
    text.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == text.size())
            text.resize(text.size() * 2);
        const auto got = ::read(file->descriptor(), text.data() + size, text.size() - size);
        if (got == 0) {
            text.resize(size);
            return text;
        }
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        if (got > 0)
            size += static_cast<std::size_t>(got);
    }
}

// The copy is as private as the model it copies, and stays writable for its owner so that the
// next copy can replace it.
std::optional<mode_t> copyMode(const std::filesystem::path& source) {
    struct stat status {};
    if (::stat(source.c_str(), &status) != 0)
        return std::nullopt;
    return (status.st_mode & 0666) | 0600;
}

} // namespace

LineReader::LineReader(const std::filesystem::path& path) {
    if (auto text = readWholeFile(path)) {
        owned_ = std::move(*text);
        text_ = owned_;
        open_ = true;
    }
}

bool LineReader::next(std::string& line) {
    std::string_view view;
    if (!next(view))
        return false;
    line.assign(view);
    return true;
}

bool LineReader::next(std::string_view& line) {
    if (atEnd())
        return false;
    auto end = text_.find('\n', position_);
    if (end == std::string::npos)
        end = text_.size();
    auto lineEnd = end;
    if (lineEnd > position_ && text_[lineEnd - 1] == '\r')
        --lineEnd;
    line = text_.substr(position_, lineEnd - position_);
    position_ = end + 1;
    ++lineNumber_;
    return true;
}

std::optional<std::string> readTextFile(const std::filesystem::path& path) {
    return readWholeFile(path);
}

void TextBuffer::reserve(std::size_t size) {
    text.reserve(size);
    prefault(text.data() + text.size(), text.capacity() - text.size());
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(LineReader::OfText{}, text);
    for (std::string_view line; reader.next(line);)
        lines.emplace_back(line);
    return lines;
}

std::optional<std::vector<std::string>> readAllLines(const std::filesystem::path& path) {
    const auto text = readWholeFile(path);
    if (!text)
        return std::nullopt;
    return linesOf(*text);
}

bool canOpenForReading(const std::filesystem::path& path) {
    struct stat status {};
    return openRegularFile(path, status).has_value();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : file_(target) {}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::writeLine(std::string_view line) {
    // Gathered in memory and written in large pieces: a model has a hundred thousand lines.
    pending_.append(line);
    pending_.append("\r\n");
    if (pending_.size() >= flushSize)
        flushPending();
}

void AtomicFileWriter::flushPending() {
    file_.write(pending_.data(), pending_.size());
    pending_.clear();
}

bool AtomicFileWriter::commit() {
    if (!file_.isOpen())
        return false;
    flushPending();
    return file_.commit();
}

bool replaceFileWith(const std::filesystem::path& target, std::string_view text) {
    FileReplacement file(target);
    return file.write(text.data(), text.size()) && file.commit();
}

bool createFileWith(const std::filesystem::path& target, std::string_view text) {
    FileReplacement file(target);
    return file.write(text.data(), text.size()) && file.commitAsNew();
}

bool copyFileOver(const std::filesystem::path& from, const std::filesystem::path& to,
                  Durability durability) {
    const auto text = readWholeFile(from);
    return text && writeTextOver(*text, from, to, durability);
}

bool writeTextOver(std::string_view text, const std::filesystem::path& modeSource,
                   const std::filesystem::path& to, Durability durability) {
    FileReplacement file(to, copyMode(modeSource), durability);
    return file.write(text.data(), text.size()) && file.commit();
}

TextWriteInBackground::TextWriteInBackground(std::string_view text,
                                             const std::filesystem::path& modeSource,
                                             const std::filesystem::path& to, Durability durability)
    : file_(to, copyMode(modeSource), durability) {
    written_ = std::async(std::launch::async,
                          [this, text] { return file_.write(text.data(), text.size()); });
}

TextWriteInBackground::~TextWriteInBackground() {
    if (written_.valid())
        written_.wait();
}

bool TextWriteInBackground::commit() {
    return written_.valid() && written_.get() && file_.commit();
}

bool deleteFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

} // namespace common
