// A shell that starts nothing: it records every launch and answers with a
// chosen result.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

class MemoryShell final : public IShell {
public:
    struct Launch {
        std::string verb, file, parameters, directory;
        int show;
    };

    void SetResult(std::intptr_t result) { m_result = result; }
    void SetProgramDirectory(std::string directory) { m_directory = std::move(directory); }
    const std::vector<Launch>& Launches() const { return m_launches; }

    std::intptr_t Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                          std::string_view directory, int show) override
    {
        m_launches.push_back({std::string(verb), std::string(file), std::string(parameters),
                              std::string(directory), show});
        return m_result;
    }
    std::string ProgramDirectory() const override { return m_directory; }

private:
    std::intptr_t m_result = 42;  // success: above 32
    std::string m_directory = "C:\\Program Files\\Veilmark";
    std::vector<Launch> m_launches;
};
