#include "platform/win32/win32_shell.h"

#include <string>

#include "platform/win32/program_path.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

#include <shellapi.h>

std::intptr_t Win32Shell::Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                                  std::string_view directory, int show)
{
    const std::wstring wideVerb = Utf8ToWide(verb);
    const std::wstring wideFile = Utf8ToWide(file);
    const std::wstring wideParameters = Utf8ToWide(parameters);
    const std::wstring wideDirectory = Utf8ToWide(directory);
    const HINSTANCE result =
        ShellExecuteW(nullptr, wideVerb.empty() ? nullptr : wideVerb.c_str(), wideFile.c_str(),
                      wideParameters.empty() ? nullptr : wideParameters.c_str(),
                      wideDirectory.empty() ? nullptr : wideDirectory.c_str(), show);
    return reinterpret_cast<std::intptr_t>(result);
}

std::string Win32Shell::ProgramDirectory() const
{
    const std::wstring path = ProgramPath();
    const auto slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}
