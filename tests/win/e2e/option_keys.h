// The registry keys behind the options, as the end-to-end tests prepare and
// read them (full names for registry_state).
#pragma once

#include <string>

namespace option_keys {

inline const std::wstring kPlayer = L"HKCU\\Software\\Microsoft\\MediaPlayer\\Preferences";
inline const std::wstring kReporting = L"HKLM\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
inline const std::wstring kTerminalServer = L"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Terminal Server";
inline const std::wstring kServices = L"HKLM\\SYSTEM\\CurrentControlSet\\Services";
inline const std::wstring kWebcheck = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck";
inline const std::wstring kIeMain = L"HKCU\\Software\\Microsoft\\Internet Explorer\\Main";
inline const std::wstring kInternetSettings = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline const std::wstring kAlexa =
    L"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}";
inline const std::wstring kRun = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kMessengerServer = L"HKCR\\CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32";

}  // namespace option_keys
