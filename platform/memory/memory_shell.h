// A shell that starts nothing: it records every launch and answers with a
// chosen result; the processes it hands out record what is done to them.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory/event_log.h"
#include "platform/shell.h"

class MemoryShell final : public IShell {
public:
    // A document or program opened through Execute.
    struct Opened {
        std::string verb, file, parameters, directory;
        int show;
    };

    // A launch through Launch, and what became of the process it handed out.
    struct Started {
        std::string file, parameters, directory;
        int show;
        bool released = false;  // the program let go of the process
        std::optional<std::uint32_t> terminatedWith;
    };

    void LogTo(EventLog* log) { m_log = log; }
    void SetResult(std::intptr_t result) { m_result = result; }
    // Launch hands out no process, as when the launch failed.
    void FailLaunches(bool fail) { m_failLaunches = fail; }
    const std::deque<Started>& Starts() const { return m_started; }
    void SetProgramDirectory(std::string directory) { m_directory = std::move(directory); }
    const std::vector<Opened>& Executed() const { return m_launches; }

    std::intptr_t Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                          std::string_view directory, int show) override
    {
        m_launches.push_back({std::string(verb), std::string(file), std::string(parameters),
                              std::string(directory), show});
        return m_result;
    }
    std::unique_ptr<IProcess> Launch(std::string_view file, std::string_view parameters, std::string_view directory,
                                     int show) override
    {
        m_started.push_back({std::string(file), std::string(parameters), std::string(directory), show, false, {}});
        Record(m_log, "launch " + std::string(file) + " | " + std::string(parameters) + " | " +
                          std::string(directory) + " | " + std::to_string(show));
        if (m_failLaunches) {
            m_started.back().released = true;
            return nullptr;
        }
        return std::make_unique<Process>(*this, m_started.size() - 1);
    }
    std::string ProgramDirectory() const override { return m_directory; }

private:
    class Process final : public IProcess {
    public:
        Process(MemoryShell& shell, std::size_t index) : m_shell(shell), m_index(index) {}
        ~Process() override
        {
            m_shell.m_started[m_index].released = true;
            Record(m_shell.m_log, "release " + m_shell.m_started[m_index].file);
        }
        bool Terminate(std::uint32_t exitCode) override
        {
            m_shell.m_started[m_index].terminatedWith = exitCode;
            Record(m_shell.m_log, "terminate " + m_shell.m_started[m_index].file + " with " + std::to_string(exitCode));
            return true;
        }

    private:
        MemoryShell& m_shell;
        std::size_t m_index;
    };

    std::intptr_t m_result = 42;  // success: above 32
    std::string m_directory = "C:\\Program Files\\Veilmark";
    std::vector<Opened> m_launches;
    std::deque<Started> m_started;
    bool m_failLaunches = false;
    EventLog* m_log = nullptr;
};
