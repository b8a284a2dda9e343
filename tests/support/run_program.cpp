#include "support/run_program.h"

#include "support/temp_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testing_support {

namespace {

// Starts the program with standard input empty and its output in the two files.
pid_t spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& outPath, const std::string& errPath) {
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

} // namespace

pid_t startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    return spawn(program, arguments, "/dev/null", "/dev/null");
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments) {
    TempFolder folder;
    const auto outPath = folder.file("out.txt");
    const auto errPath = folder.file("err.txt");
    ProgramRun run;
    const pid_t pid = spawn(program, arguments, outPath, errPath);
    if (pid < 0) {
        run.err = "cannot start " + program;
        return run;
    }
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0)
        if (errno != EINTR)
            return run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

std::vector<std::string> outputLines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return result;
}

} // namespace testing_support
