#include "run/exit_codes.h"

namespace run {

int WorseStatus(int a, int b)
{
    const auto rank = [](int code) {
        return code == kExitError ? 3 : code == kExitNotAllDone ? 2 : code == kExitUnknown ? 1 : 0;
    };
    return rank(a) >= rank(b) ? a : b;
}

}  // namespace run
