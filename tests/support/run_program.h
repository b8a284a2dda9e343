#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

struct ProgramRun {
    int status = -1; // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with its arguments (no shell in between), standard input empty, and collects
// its exit status and everything it printed.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments);

// Starts a program with its arguments, everything it prints thrown away, and returns at once:
// its process id, or -1 when it could not be started. The caller waits for it.
pid_t startProgram(const std::string& program, const std::vector<std::string>& arguments);

// The lines of a program's output, without their line ends.
std::vector<std::string> outputLines(const std::string& text);

} // namespace testing_support
