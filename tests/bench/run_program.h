// What the benchmarks of veilmark-offline share: a program run with its
// output sent to a file, and the seconds since a moment.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// Runs the program with its words, its output to `output` (or nowhere);
// returns its exit code.
inline int Execute(const std::vector<std::string>& words, const std::string& output = "/dev/null")
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (std::freopen(output.c_str(), "w", stdout) == nullptr)
            _exit(126);
        std::vector<char*> arguments;
        for (const std::string& word : words)
            arguments.push_back(const_cast<char*>(word.c_str()));
        arguments.push_back(nullptr);
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline double Seconds(BenchClock::time_point start)
{
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}
