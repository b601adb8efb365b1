// The program's name, the framework's default title: message boxes carry it.
#pragma once

inline constexpr wchar_t kAppName[] = L"Veilmark";
