#include "merger/bone_directory.h"

#include "common/file_kind.h"
#include "common/text_file.h"

#include <filesystem>

namespace merger {

namespace {

// A line the scanners cannot take apart; turned into an error message at the public edge.
struct ScanFailure {
    std::size_t lineNumber; // 1-based
    std::string what;       // completes "Line N of the base model ..."
};

std::string describe(const ScanFailure& failure, const std::string& modelText) {
    return "Line " + std::to_string(failure.lineNumber) + " of " + modelText + " " + failure.what +
           ".";
}

std::string nodeName(const std::string& line, std::size_t index, const char* kind) {
    auto name = textBetweenFirstQuotes(line);
    if (!name)
        throw ScanFailure{index + 1,
                          std::string("is a ") + kind + " header without a name in double quotes"};
    return *name;
}

int numberBeforeComma(const std::string& line, std::size_t index, std::size_t position,
                      const char* kind) {
    auto value = integerBeforeComma(line, position);
    if (!value)
        throw ScanFailure{index + 1, std::string("has ") + kind +
                                         " that is not a number from -32768 to 32767 before "
                                         "a \",\""};
    return *value;
}

int scanIdOfNthBone(const Lines& lines, int n) {
    int result = -1;
    int count = 0;
    for (std::size_t i = 0; i < lines.size() && result == -1; ++i) {
        const auto& line = lines[i];
        if (startsWith(line, "Bone"))
            ++count;
        if (startsWith(line, "\tObjectId") && count == n)
            result = numberBeforeComma(line, i, 11, "an object id");
    }
    return result;
}

std::string scanNameOfId(const Lines& lines, int intId) {
    std::string name;
    std::string lastName;
    const std::string idPrefix = "\tObjectId " + std::to_string(intId);
    for (std::size_t i = 0; name.empty() && i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (startsWith(line, "Bone"))
            lastName = nodeName(line, i, "bone");
        else if (startsWith(line, "Helper"))
            lastName = nodeName(line, i, "helper");
        if (startsWith(line, idPrefix) && numberBeforeComma(line, i, 11, "an object id") == intId)
            name = lastName;
    }
    return name;
}

std::vector<BoneEntry> scanBoneList(const Lines& lines) {
    std::vector<BoneEntry> entries;
    std::string boneName;
    std::string parentText;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (startsWith(line, "Bone")) {
            boneName = nodeName(line, i, "bone");
            parentText = "No parent";
        }
        if (!boneName.empty() && startsWith(line, "\tParent"))
            parentText = scanNameOfId(lines, numberBeforeComma(line, i, 9, "a parent id"));
        if (line == "}" && !boneName.empty()) {
            entries.push_back({boneName, parentText});
            boneName.clear();
        }
    }
    return entries;
}

std::string baseModelText(const std::string& basePath) {
    return basePath.empty() ? std::string("the base model") : "the base model \"" + basePath + "\"";
}

template <typename T, typename Scan> Outcome<T> runScan(Scan scan, const std::string& modelText) {
    Outcome<T> outcome;
    try {
        outcome.value = scan();
    } catch (const ScanFailure& failure) {
        outcome.error = describe(failure, modelText);
    }
    return outcome;
}

template <typename T, typename Scan>
Outcome<T> runScanOnFile(const std::string& basePath, Scan scan) {
    auto lines = readBaseModel(basePath);
    if (!lines.ok())
        return {T{}, lines.error};
    return runScan<T>([&] { return scan(lines.value); }, baseModelText(basePath));
}

} // namespace

Outcome<int> idOfNthBone(const Lines& baseLines, int n, const std::string& basePath) {
    return runScan<int>([&] { return scanIdOfNthBone(baseLines, n); }, baseModelText(basePath));
}

Outcome<std::string> nameOfId(const Lines& baseLines, int intId, const std::string& basePath) {
    return runScan<std::string>([&] { return scanNameOfId(baseLines, intId); },
                                baseModelText(basePath));
}

Outcome<std::vector<BoneEntry>> fillBoneList(const Lines& baseLines, const std::string& basePath) {
    return runScan<std::vector<BoneEntry>>([&] { return scanBoneList(baseLines); },
                                           baseModelText(basePath));
}

Outcome<int> idOfNthBone(const std::string& basePath, int n) {
    return runScanOnFile<int>(basePath,
                              [&](const Lines& lines) { return scanIdOfNthBone(lines, n); });
}

Outcome<std::string> nameOfId(const std::string& basePath, int intId) {
    return runScanOnFile<std::string>(
        basePath, [&](const Lines& lines) { return scanNameOfId(lines, intId); });
}

Outcome<std::vector<BoneEntry>> fillBoneList(const std::string& basePath) {
    return runScanOnFile<std::vector<BoneEntry>>(
        basePath, [](const Lines& lines) { return scanBoneList(lines); });
}

std::string cannotReadMessage(const std::string& what, const std::string& path) {
    const auto why = common::whyNotARegularFile(path);
    // A folder keeps the short message: choosing one is a slip, not a special file.
    if (why.empty() || std::filesystem::is_directory(path))
        return "Cannot read " + what + " \"" + path + "\".";
    return "Cannot read " + what + " \"" + path + "\": " + why + ".";
}

Outcome<Lines> readBaseModel(const std::string& basePath) {
    if (basePath.empty())
        return {{}, "Choose a base model first."};
    std::string problem;
    auto lines = readModelLines(basePath, problem);
    if (!lines)
        return {{}, cannotReadMessage("the base model", basePath)};
    if (!problem.empty())
        return {{}, "Cannot read the base model \"" + basePath + "\", " + problem + "."};
    return {std::move(*lines), {}};
}

} // namespace merger
