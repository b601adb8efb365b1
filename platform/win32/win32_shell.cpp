#include "platform/win32/win32_shell.h"

#include <string>

#include "platform/win32/program_path.h"
#include "platform/win32/shell32_calls.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

namespace {

// A process by its handle, closed when this object goes.
class Win32Process final : public IProcess {
public:
    explicit Win32Process(HANDLE process) : m_process(process) {}
    ~Win32Process() override { CloseHandle(m_process); }

    bool Terminate(std::uint32_t exitCode) override { return TerminateProcess(m_process, exitCode) != FALSE; }

private:
    HANDLE m_process;
};

// The text for a Windows call: null for an empty one.
const wchar_t* OrNull(const std::wstring& text)
{
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

std::intptr_t Win32Shell::Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                                  std::string_view directory, int show)
{
    const std::wstring wideVerb = Utf8ToWide(verb);
    const std::wstring wideFile = Utf8ToWide(file);
    const std::wstring wideParameters = Utf8ToWide(parameters);
    const std::wstring wideDirectory = Utf8ToWide(directory);
    const HINSTANCE result = shell32::ShellExecute(OrNull(wideVerb), wideFile.c_str(), OrNull(wideParameters),
                                                   OrNull(wideDirectory), show);
    return reinterpret_cast<std::intptr_t>(result);
}

std::unique_ptr<IProcess> Win32Shell::Launch(std::string_view file, std::string_view parameters,
                                             std::string_view directory, int show)
{
    const std::wstring wideFile = Utf8ToWide(file);
    const std::wstring wideParameters = Utf8ToWide(parameters);
    const std::wstring wideDirectory = Utf8ToWide(directory);
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_NOCLOSEPROCESS;
    launch.lpFile = wideFile.c_str();
    launch.lpParameters = OrNull(wideParameters);
    launch.lpDirectory = OrNull(wideDirectory);
    launch.nShow = show;
    if (!shell32::ShellExecuteEx(&launch) || !launch.hProcess)
        return nullptr;
    return std::make_unique<Win32Process>(launch.hProcess);
}

std::string Win32Shell::ProgramDirectory() const
{
    const std::wstring path = ProgramPath();
    const auto slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}
