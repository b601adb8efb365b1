// The exit codes of a run without the dialog, the same in both programs.
#pragma once

namespace run {

enum ExitCode : int {
    kExitSuccess = 0,      // every option off; every step carried out
    kExitNotAllDone = 1,   // status: some option on; apply, restore, revert: some step failed
    kExitUnknown = 2,      // status: some option unknown, none on
    kExitError = 3,        // the command could not run; nothing was changed
};

// The worse of two exit codes of a status: some option on, then some
// unknown, then all off; an error is worst of all.
int WorseStatus(int a, int b);
// The worse of two exit codes of a changing pass: an error, then some step
// failed, then all done.
inline int WorseOutcome(int a, int b) { return a > b ? a : b; }

}  // namespace run
