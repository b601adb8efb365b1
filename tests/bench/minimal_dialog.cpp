// The baseline of tools/measure_startup.sh: a program built exactly like
// veilmark.exe that shows one small dialog from its own template and does
// nothing else. The time it takes to come up is what any dialog program
// costs to start; Veilmark's own start-up work is what it takes beyond that.
#include "tests/bench/baseline_dialog.h"

constexpr WORD kDialogTemplateId = 100;  // the dialog in minimal_dialog.rc

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    RunBaselineDialog(kDialogTemplateId, nullptr);
    return 0;
}
