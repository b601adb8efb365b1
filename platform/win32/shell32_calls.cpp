#include "platform/win32/shell32_calls.h"

namespace {

// Loaded by the first call that needs it (the program's calls all come from
// its one thread); it stays loaded for the rest of the process, as an
// import would.
HMODULE shell32Module = nullptr;

// The entry point by name, or null when shell32 cannot be loaded.
template <typename Function>
Function* Entry(const char* name)
{
    if (!shell32Module)
        shell32Module = LoadLibraryW(L"shell32.dll");
    if (!shell32Module)
        return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(shell32Module, name)));
}

}  // namespace

namespace shell32 {

HINSTANCE ShellExecute(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                       const wchar_t* directory, int show)
{
    auto* call = Entry<decltype(::ShellExecuteW)>("ShellExecuteW");
    if (!call)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return call(nullptr, verb, file, parameters, directory, show);
}

BOOL ShellExecuteEx(SHELLEXECUTEINFOW* info)
{
    auto* call = Entry<decltype(::ShellExecuteExW)>("ShellExecuteExW");
    if (!call) {
        SetLastError(ERROR_DLL_NOT_FOUND);
        return FALSE;
    }
    return call(info);
}

HRESULT GetFolderPath(int folder, wchar_t* path)
{
    auto* call = Entry<decltype(::SHGetFolderPathW)>("SHGetFolderPathW");
    if (!call)
        return HRESULT_FROM_WIN32(ERROR_DLL_NOT_FOUND);
    return call(nullptr, folder, nullptr, 0, path);
}

}  // namespace shell32
