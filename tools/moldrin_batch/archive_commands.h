#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace batch {

// --list ARCHIVE [--json]: the models and textures the archive holds, a name and size a line, or
// one JSON object. Returns the exit status: 0 listed, 1 the archive cannot be read, 2 bad
// arguments.
int listArchive(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// --extract ARCHIVE:INNER OUT: writes the file inside the archive to OUT as a whole. Returns 0,
// 1 when it cannot be read or written, 2 on bad arguments.
int extractFromArchive(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err);

} // namespace batch
