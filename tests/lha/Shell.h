#pragma once
// Runs a command line through the shell for tests of our command-line tools
// and of the independent ones that check them.

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace shell {

struct Outcome {
    int status;
    std::string output;  // stdout and stderr
};

inline Outcome Run(const std::string& command) {
    Outcome run{-1, {}};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline std::string Quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace shell
