// What the runs without the dialog report, on whichever system they run:
// the Windows command line on the machine it runs on, the offline program
// on an installation's hives, one profile after another.
#pragma once

#include <string>
#include <vector>

#include "cli/report.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "settings/labels.h"
#include "settings/selection.h"
#include "settings/step_result.h"

namespace cli {

// The program's exit codes in these runs.
enum ExitCode : int {
    kExitSuccess = 0,      // every option off; every step carried out
    kExitNotAllDone = 1,   // /status: some option on; /apply, /restore, /revert: some step failed
    kExitUnknown = 2,      // /status: some option unknown, none on
    kExitError = 3,        // the command could not run; nothing was changed
};

// The selection a command names: "recommended", "expert", or the path of a
// profile. False, with the error told in `language`, when the profile
// cannot be read or has an error.
bool ResolveSelection(const std::string& name, IFiles& files, bool homeEdition, Language language,
                      settings::Selection& selection, std::string& error);

// The status report: the system's line, then a line per tested option in
// the tree's order (its key, its label, off, on or unknown). Returns the
// exit code of /status.
int AddStatusLines(Report& report, IRegistry& registry, const IVersionInfo& version, const OptionLabels& labels);

// A line per step of a pass (its key, its label, what it did). Returns
// whether any step failed.
bool AddStepLines(Report& report, const std::vector<settings::StepResult>& results, const OptionLabels& labels);

// The revert of the backup at `path` into `registry`: a line per value.
// Returns its exit code; with kExitError, `error` says why nothing was
// imported.
int RevertBackup(const std::string& path, IRegistry& registry, const IVersionInfo& version, IFiles& files,
                 Language language, Report& report, std::string& error);

}  // namespace cli
