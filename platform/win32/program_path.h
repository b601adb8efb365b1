// Where the running program's file is.
#pragma once

#include <string>

// The full path of the program's file; empty when it cannot be learnt.
std::wstring ProgramPath();
