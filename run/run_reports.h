// What the runs without the dialog report, on whichever system they run:
// the Windows command line on the machine it runs on, the offline program
// on an installation's hives, one profile after another.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/exit_codes.h"
#include "run/report.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "settings/labels.h"
#include "settings/selection.h"
#include "settings/step_result.h"

namespace run {

// The selection a command names: "recommended", "expert", or the path of a
// profile. False, with the error told in `language`, when the profile
// cannot be read or has an error.
bool ResolveSelection(const std::string& name, IFiles& files, bool homeEdition, Language language,
                      settings::Selection& selection, std::string& error);

// The status report: the system's line, then a line per tested option in
// the tree's order (its key, its label, off, on or unknown). Returns the
// exit code of /status.
int AddStatusLines(Report& report, IRegistry& registry, const IVersionInfo& version, const OptionLabels& labels);

// The steps of a pass on one registry: the section's header [NAME] when it
// is named, the backup saved before ("Backup<TAB>PATH") when there is one,
// then a line per step (its key, its label, what it did). Returns whether
// any step failed.
bool AddPassSection(Report& report, std::string_view name, std::string_view backup,
                    const std::vector<settings::StepResult>& results, const OptionLabels& labels);
// The header of a section of a report: [NAME].
void AddSectionHeader(Report& report, std::string_view name);

// The revert of the backup at `path` into `registry`: a line per value.
// Returns its exit code; with kExitError, `error` says why nothing was
// imported.
int RevertBackup(const std::string& path, IRegistry& registry, const IVersionInfo& version, IFiles& files,
                 Language language, Report& report, std::string& error);

}  // namespace run
