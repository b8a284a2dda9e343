#pragma once

#include <string>
#include <vector>

namespace bench {

// Runs a program as a script would (no shell), its standard output discarded; the exit status,
// or -1 when it could not start or did not exit normally.
int runProgram(std::vector<std::string> arguments);

} // namespace bench
