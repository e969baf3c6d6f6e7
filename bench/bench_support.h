#pragma once
// What the benchmarks share: running a baseline command, and keeping the
// fastest repetition of each benchmark.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// Runs a command from PATH with its output going to outputFd (or /dev/null
// when negative); true when it exits 0.
inline bool RunBaseline(std::vector<std::string> arguments, int outputFd = -1) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Keeps the fastest repetition of each benchmark while printing as usual;
// the minimum is the figure least disturbed by other work on the machine.
class FastestRuns : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            auto [it, inserted] =
                fastest.try_emplace(run.run_name.function_name, std::numeric_limits<double>::max());
            it->second = std::min(it->second, run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "ratio a/b = X" from the fastest repetitions, when both ran.
    void PrintRatio(const std::string& a, const std::string& b) const {
        const auto first = fastest.find(a), second = fastest.find(b);
        if (first != fastest.end() && second != fastest.end())
            std::printf("ratio %s/%s = %.2f\n", a.c_str(), b.c_str(),
                        first->second / second->second);
    }

    std::map<std::string, double> fastest;
};
