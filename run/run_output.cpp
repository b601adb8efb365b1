#include "run/run_output.h"

#include "lang/texts.h"
#include "run/exit_codes.h"

namespace run {

int RunOutput::Fail(const std::string& message)
{
    Warn(message);
    return kExitError;
}

void RunOutput::Warn(const std::string& message) { m_console.WriteError(m_program + ": " + message + "\n"); }

bool RunOutput::StartReport(IFiles& files, const std::string& path)
{
    if (path.empty())
        return true;
    std::string reason;
    m_reportFile = files.Create(path, reason);
    m_reportPath = path;
    if (!m_reportFile)
        Fail(Text(TextId::CannotWriteReport, m_language, {path, reason}));
    return m_reportFile != nullptr;
}

int RunOutput::Deliver(const Report& report, int exitCode)
{
    m_console.Write(report.Text());
    std::string reason;
    if (m_reportFile && !m_reportFile->Commit(report.FileBytes(), reason))
        return Fail(Text(TextId::CannotWriteReport, m_language, {m_reportPath, reason}));
    return exitCode;
}

}  // namespace run
