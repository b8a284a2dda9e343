#include "common/text_file.h"

#include <atomic>
#include <random>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace common {

namespace {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(buffer).str();
}

// A target that exists but may not be written is refused, as a plain write would be: renaming
// over it would otherwise replace a read-only file.
bool mayReplace(const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::exists(target, error))
        return true;
    return ::access(target.c_str(), W_OK) == 0;
}

// Gives the new file the permissions of the file it replaces.
void keepPermissions(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    const auto status = std::filesystem::status(from, error);
    if (!error && std::filesystem::exists(status))
        std::filesystem::permissions(to, status.permissions(), error);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    auto name = target.filename().string() + ".part-" + std::to_string(::getpid()) + "-" +
                std::to_string(counter++) + "-" + std::to_string(random() % 100000);
    return target.parent_path() / name;
}

} // namespace

LineReader::LineReader(const std::filesystem::path& path) {
    if (auto text = readWholeFile(path)) {
        text_ = std::move(*text);
        open_ = true;
    }
}

bool LineReader::next(std::string& line) {
    if (atEnd())
        return false;
    auto end = text_.find('\n', position_);
    if (end == std::string::npos)
        end = text_.size();
    auto lineEnd = end;
    if (lineEnd > position_ && text_[lineEnd - 1] == '\r')
        --lineEnd;
    line.assign(text_, position_, lineEnd - position_);
    position_ = end + 1;
    ++lineNumber_;
    return true;
}

std::optional<std::vector<std::string>> readAllLines(const std::filesystem::path& path) {
    LineReader reader(path);
    if (!reader.isOpen())
        return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

bool canOpenForReading(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    std::error_code error;
    if (target_.empty() || std::filesystem::is_directory(target_, error) || !mayReplace(target_))
        return;
    temporary_ = temporaryBeside(target_);
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_ && !temporary_.empty()) {
        if (out_.is_open())
            out_.close();
        std::error_code error;
        std::filesystem::remove(temporary_, error);
    }
}

void AtomicFileWriter::writeLine(std::string_view line) {
    // Gathered in memory and written in large pieces: a model has a hundred thousand lines.
    pending_.append(line);
    pending_.append("\r\n");
    if (pending_.size() >= flushSize)
        flushPending();
}

void AtomicFileWriter::flushPending() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
}

bool AtomicFileWriter::commit() {
    if (!out_.is_open())
        return false;
    flushPending();
    out_.flush();
    const bool written = static_cast<bool>(out_);
    out_.close();
    if (!written || out_.fail())
        return false;
    keepPermissions(target_, temporary_);
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error)
        return false;
    committed_ = true;
    return true;
}

bool copyFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    const auto text = readWholeFile(from);
    if (!text)
        return false;
    std::error_code error;
    if (to.empty() || std::filesystem::is_directory(to, error) || !mayReplace(to))
        return false;
    const auto temporary = temporaryBeside(to);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(text->data(), static_cast<std::streamsize>(text->size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    keepPermissions(to, temporary);
    std::filesystem::rename(temporary, to, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool deleteFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

} // namespace common
