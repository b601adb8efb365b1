#!/usr/bin/env bash
# Builds small i686 programs that tools/check_imports.sh must accept or reject
# and checks each verdict, including the reason given for a rejection.
# Prints one line per case; exits 0 only if every verdict is right.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
check=$here/check_imports.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# verdict NAME STATUS PATTERN EXE BUILD-COMMAND...
# Builds EXE with BUILD-COMMAND, runs the check on it and requires exit status
# STATUS plus an output line matching PATTERN (extended regex, any case).
verdict() {
    local name=$1 want=$2 pattern=$3 exe=$4 out status=0
    shift 4
    if ! "$@" -o "$exe" >build.log 2>&1; then
        echo "FAIL  $name: build failed"; sed 's/^/      /' build.log
        failures=$((failures + 1)); return
    fi
    out=$("$check" "$exe" 2>&1) || status=$?
    if [[ $status -eq $want ]] && grep -qiE -- "$pattern" <<<"$out"; then
        echo "ok    $name"
    else
        echo "FAIL  $name: exit $status, expected $want and /$pattern/"
        sed 's/^/      /' <<<"$out"
        failures=$((failures + 1))
    fi
}

gxx=i686-w64-mingw32-g++-win32
gxx_posix=i686-w64-mingw32-g++-posix

cat >plain.cpp <<'EOF'
#include <windows.h>
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return MessageBoxW(nullptr, L"Hello", L"Veilmark", MB_OK) == IDOK ? 0 : 1;
}
EOF

cat >tick64.cpp <<'EOF'
#define _WIN32_WINNT 0x0600
#include <windows.h>
int main() { return GetTickCount64() == 0; }
EOF

cat >winsock.cpp <<'EOF'
#include <winsock2.h>
int main() { WSADATA data; return WSAStartup(MAKEWORD(2, 2), &data); }
EOF

# A guarded function-local static makes the posix-thread libstdc++ use
# winpthread's condition variables, whose timing code calls GetTickCount64.
cat >local_static.cpp <<'EOF'
#include <string>
static const std::string &title() { static const std::string s("Veilmark"); return s; }
int main() { return title().size() == 8 ? 0 : 1; }
EOF

# An import library that binds a function to an export number, not a name.
cat >by_ordinal.def <<'EOF'
LIBRARY comctl32.dll
EXPORTS
ImportedByNumber@0 @345 NONAME
EOF
i686-w64-mingw32-dlltool -k -d by_ordinal.def -l libby_ordinal.a
cat >by_ordinal.cpp <<'EOF'
extern "C" void __stdcall ImportedByNumber();
int main() { ImportedByNumber(); return 0; }
EOF

verdict "plain Win32 program is accepted" 0 '^imports ok: [1-9][0-9]* dlls, [1-9][0-9]* functions$' \
    plain.exe $gxx -std=c++20 -static -mwindows plain.cpp
verdict "GetTickCount64 is rejected" 1 '^missing on Windows XP SP3: kernel32\.dll!GetTickCount64$' \
    tick64.exe $gxx -std=c++20 -static tick64.cpp
verdict "import from ws2_32 is rejected" 1 '^DLL not allowed: ws2_32\.dll$' \
    winsock.exe $gxx -std=c++20 -static winsock.cpp -lws2_32
verdict "posix-thread build with a local static is rejected" 1 'kernel32\.dll!GetTickCount64$' \
    local_static.exe $gxx_posix -std=c++20 -static local_static.cpp
verdict "import by ordinal is rejected" 1 '^imported by ordinal: comctl32\.dll!#345$' \
    by_ordinal.exe $gxx -std=c++20 -static by_ordinal.cpp -L. -lby_ordinal

if [[ $failures -ne 0 ]]; then
    echo "$failures case(s) failed"
    exit 1
fi
