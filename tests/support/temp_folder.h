#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of a file in the folder, as a string.
    std::string file(const std::string& name) const;
    // Writes text to a file in the folder exactly as given (no line-end conversion); returns
    // its path.
    std::string write(const std::string& name, const std::string& text) const;
    // Copies a file into the folder under the given name; returns the copy's path.
    std::string copyIn(const std::filesystem::path& source, const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// The whole content of a file, bytes as they are; an empty text when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// True when a file exists at the path.
bool fileExists(const std::filesystem::path& path);

// The path of a file under tests/data.
std::string testDataPath(const std::string& relative);

// The whole content of a file under tests/data.
std::string readTestData(const std::string& relative);

} // namespace testing_support
