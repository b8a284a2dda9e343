#pragma once

#include "merger/mdl_lines.h"

#include <string>
#include <vector>

namespace merger {

// One entry of the bone list: the bone's name, ": " and its parent's name or "No parent".
struct BoneEntry {
    std::string boneName;
    std::string parentText;

    std::string text() const { return boneName + ": " + parentText; }
    bool operator==(const BoneEntry&) const = default;
};

// The scanners of the bone directory, over the base model's lines. Lines that the
// original scanners could not take apart (a bone or helper header without a name in double
// quotes, an object id or parent id that is not a 16-bit number before a ",") give an error
// naming the line (and basePath, when given) instead of a crash.

// The object id of the n-th bone (bone headers counted from 1); -1 when there is no such bone
// or it has no object id line.
Outcome<int> idOfNthBone(const Lines& baseLines, int n, const std::string& basePath = {});

// The name of the bone or helper whose object id is intId; empty when none is found. The lines
// looked at are those starting with a tab, "ObjectId " and the decimal text of intId, so an id
// of 1 also looks at the lines for 10 to 19 but matches only 1.
Outcome<std::string> nameOfId(const Lines& baseLines, int intId, const std::string& basePath = {});

// One entry per bone block, in file order: entry k (0-based) is bone k + 1.
Outcome<std::vector<BoneEntry>> fillBoneList(const Lines& baseLines,
                                             const std::string& basePath = {});

// The same scans on the base model file: each opens the file, reads it and closes it. An empty
// path or a file that cannot be read gives one error message.
Outcome<int> idOfNthBone(const std::string& basePath, int n);
Outcome<std::string> nameOfId(const std::string& basePath, int intId);
Outcome<std::vector<BoneEntry>> fillBoneList(const std::string& basePath);

// "Cannot read the base model \"PATH\"." for what, with the reason when the path names a FIFO,
// socket or device.
std::string cannotReadMessage(const std::string& what, const std::string& path);

// Reads the base model, or says why it cannot ("Choose a base model first.", "Cannot read the
// base model ...").
Outcome<Lines> readBaseModel(const std::string& basePath);

} // namespace merger
