#include "cli/command_line.h"

#include "cli/report.h"
#include "cli/unattended_actions.h"
#include "settings/apply_settings.h"
#include "settings/language.h"
#include "settings/platform_facts.h"
#include "settings/profile.h"
#include "settings/reg_import.h"
#include "settings/restore_defaults.h"
#include "settings/revert.h"
#include "settings/status_check.h"
#include "settings/text.h"
#include "res/version.h"

namespace cli {

namespace {

using settings::Selection;

constexpr const char* kUsage =
    "Switches off the features of Windows XP that report to the vendor, go online\n"
    "by themselves or open the machine to remote help.\n"
    "\n"
    "  veilmark.exe\n"
    "      Opens the dialog.\n"
    "  veilmark.exe /status [/report FILE]\n"
    "      Tells of every option whether it is off (switched off), on (still\n"
    "      active) or unknown (its value cannot be read). Changes nothing.\n"
    "      Exit code 0: all off; 1: some on; 2: some unknown, none on.\n"
    "  veilmark.exe /apply SELECTION [/report FILE]\n"
    "      Switches off the options of SELECTION as the Start button does,\n"
    "      without asking. Removing the support accounts needs a person and is\n"
    "      left out. Exit code 0: every step done; 1: some step failed.\n"
    "  veilmark.exe /restore [/report FILE]\n"
    "      Restores the Windows defaults as the menu's restore does, without\n"
    "      asking. Exit code 0: every value restored; 1: some could not be.\n"
    "  veilmark.exe /export SELECTION FILE.reg\n"
    "      Writes the registry changes of SELECTION to FILE.reg, for regedit /s\n"
    "      or reg import on other machines. Changes nothing here.\n"
    "  veilmark.exe /revert FILE.reg\n"
    "      Imports a backup: the values as they were before a pass. Only a file\n"
    "      of the values that the passes change is taken. Exit code 0: every\n"
    "      value restored; 1: some could not be.\n"
    "  veilmark.exe /backups\n"
    "      Lists the backups, newest first. Start, /apply, /restore and the\n"
    "      restore of the defaults each save one before they change anything, in\n"
    "      %APPDATA%\\Veilmark\\Backups; regedit /s imports them too.\n"
    "  veilmark.exe /?\n"
    "      Shows this text.\n"
    "\n"
    "SELECTION is recommended (what the recommended-selection command ticks),\n"
    "expert (that and the two expert options) or the path of a profile: a UTF-8\n"
    "text file with one option key per line. Blank lines and lines starting with\n"
    "# are ignored; of the Messenger group at most one key.\n"
    "/report FILE saves the report to FILE as well, in UTF-8.\n"
    "An error ends with exit code 3 and changes nothing.\n"
    "In cmd.exe, wait for the program with: start /wait veilmark.exe /status\n"
    "\n"
    "Option keys:\n";

constexpr const char* kUsageHint = "veilmark.exe /? shows the usage.\n";

OptionLabels Labels(const CommandLineServices& services) { return {services.strings, kLanguageBaseChinese}; }

bool HomeEdition(const CommandLineServices& services) { return EditionOf(services.target.version) == WindowsEdition::Home; }

int Fail(IConsole& console, const std::string& message)
{
    console.WriteError("veilmark: " + message + "\n");
    return kExitError;
}

// The selection a command names: a preset, or the profile at that path.
bool ResolveSelection(const std::string& name, CommandLineServices& services, Selection& selection,
                      std::string& error)
{
    if (EqualsIgnoringCase(name, "recommended")) {
        selection = Selection::Recommended(HomeEdition(services));
        return true;
    }
    if (EqualsIgnoringCase(name, "expert")) {
        selection = Selection::Expert(HomeEdition(services));
        return true;
    }
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!services.host.files.Read(name, bytes, reason)) {
        error = "cannot read the profile " + name + ": " + reason;
        return false;
    }
    const settings::ProfileResult profile =
        settings::ParseProfile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (profile.errorLine != 0) {
        error = name + ", line " + std::to_string(profile.errorLine) + ": " + profile.error;
        return false;
    }
    selection = profile.selection;
    return true;
}

// The report file of a command, made before anything else is done; none
// when the command asks for none.
bool StartReportFile(const Command& command, CommandLineServices& services, std::unique_ptr<IOutputFile>& file,
                     std::string& error)
{
    if (command.reportPath.empty())
        return true;
    std::string reason;
    file = services.host.files.Create(command.reportPath, reason);
    if (!file)
        error = "cannot write the report " + command.reportPath + ": " + reason;
    return file != nullptr;
}

// Shows the report and saves it when asked; `exitCode` unless the saving fails.
int Deliver(const Report& report, const Command& command, IOutputFile* file, CommandLineServices& services,
            int exitCode)
{
    services.console.Write(report.Text());
    std::string reason;
    if (file && !file->Commit(report.FileBytes(), reason))
        return Fail(services.console, "cannot write the report " + command.reportPath + ": " + reason);
    return exitCode;
}

int RunStatus(const Command& command, CommandLineServices& services)
{
    std::unique_ptr<IOutputFile> file;
    std::string error;
    if (!StartReportFile(command, services, file, error))
        return Fail(services.console, error);

    RegistryOps ops(services.target.registry);
    const settings::SystemStatus status = settings::ReadSystemStatus(ops);
    Report report;
    report.Line({SystemDescription(services.target.registry, services.target.version)});
    bool anyOn = false;
    bool anyUnknown = false;
    // In the tree's order, which groups related options.
    for (const CatalogueEntry& entry : Catalogue()) {
        for (const settings::OptionStatus& option : status) {
            if (option.key != entry.key)
                continue;
            const char* state = option.state == settings::OptionState::Off ? "off"
                                : option.state == settings::OptionState::On ? "on"
                                                                             : "unknown";
            anyOn |= option.state == settings::OptionState::On;
            anyUnknown |= option.state == settings::OptionState::Unknown;
            report.Line({entry.name, Labels(services).Of(entry.key), state});
        }
    }
    const int exitCode = anyOn ? kExitNotAllDone : anyUnknown ? kExitUnknown : kExitSuccess;
    return Deliver(report, command, file.get(), services, exitCode);
}

// What a step did, as its line of the report says it.
std::string Outcome(const settings::StepResult& result, const OptionLabels& labels)
{
    switch (result.outcome) {
    case settings::StepOutcome::Failed:
        return settings::FailureLine(result, labels);
    case settings::StepOutcome::NeedsPerson:
        return "needs a person";
    case settings::StepOutcome::Done:
        break;
    }
    return "done";
}

// A pass that changes the registry, as /apply and /restore run it: the
// report file made and the backup saved first (no backup, no change), then
// the pass, then a line per step.
template <typename Pass>
int RunChangingPass(const Command& command, CommandLineServices& services,
                    const std::vector<settings::BackupTarget>& targets, std::string_view name, Pass pass)
{
    std::unique_ptr<IOutputFile> file;
    std::string error;
    if (!StartReportFile(command, services, file, error))
        return Fail(services.console, error);
    std::string backup;
    settings::BackupStore backups(services.host.files, services.target.folders, services.host.clock);
    if (!backups.Save(services.target.registry, targets, name, backup, error))
        return Fail(services.console, "cannot write the backup " + backup + ": " + error);

    RegistryOps ops(services.target.registry);
    const std::vector<settings::StepResult> results = pass(ops);
    const OptionLabels labels = Labels(services);
    Report report;
    report.Line({SystemDescription(services.target.registry, services.target.version)});
    if (!backup.empty())
        report.Line({"Backup", backup});
    bool anyFailed = false;
    for (const settings::StepResult& result : results) {
        anyFailed |= result.outcome == settings::StepOutcome::Failed;
        report.Line({CatalogueEntryOf(result.key).name, labels.Of(result.key), Outcome(result, labels)});
    }
    return Deliver(report, command, file.get(), services, anyFailed ? kExitNotAllDone : kExitSuccess);
}

int RunApply(const Command& command, CommandLineServices& services)
{
    Selection selection;
    std::string error;
    if (!ResolveSelection(command.selection, services, selection, error))
        return Fail(services.console, error);
    return RunChangingPass(command, services, settings::ApplyTargets(selection), "veilmark.exe /apply",
                           [&](RegistryOps& ops) {
                               UnattendedActions actions(services.target, services.host);
                               return settings::ApplySettings(ops, selection, HomeEdition(services), actions);
                           });
}

int RunRestore(const Command& command, CommandLineServices& services)
{
    return RunChangingPass(command, services, settings::RestoreTargets(), "veilmark.exe /restore",
                           [](RegistryOps& ops) { return settings::RestoreDefaults(ops); });
}

int RunExport(const Command& command, CommandLineServices& services)
{
    Selection selection;
    std::string error;
    if (!ResolveSelection(command.selection, services, selection, error))
        return Fail(services.console, error);
    std::string reason;
    const std::unique_ptr<IOutputFile> file = services.host.files.Create(command.exportPath, reason);
    if (!file)
        return Fail(services.console, "cannot write " + command.exportPath + ": " + reason);

    RegFile regFile;
    std::string remark = VEILMARK_TITLE ": the registry changes of the selection ";
    remark += command.selection;
    remark += '.';
    regFile.Comment(remark);
    settings::ExportSettings(selection, Labels(services), regFile);
    if (!file->Commit(regFile.Bytes(), reason))
        return Fail(services.console, "cannot write " + command.exportPath + ": " + reason);
    services.console.Write("Wrote " + command.exportPath + ".\n");
    return kExitSuccess;
}

int RunRevert(const Command& command, CommandLineServices& services)
{
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!services.host.files.Read(command.revertPath, bytes, reason))
        return Fail(services.console, "cannot read " + command.revertPath + ": " + reason);
    const settings::ParsedRegFile file = settings::ParseRegFile(bytes);
    if (file.errorLine != 0)
        return Fail(services.console, command.revertPath + ", line " + std::to_string(file.errorLine) + ": " + file.error);
    if (const int line = settings::CheckRevertable(file.entries, reason); line != 0)
        return Fail(services.console, command.revertPath + ", line " + std::to_string(line) + ": " + reason +
                                          "; nothing was imported");

    Report report;
    report.Line({SystemDescription(services.target.registry, services.target.version)});
    bool anyFailed = false;
    for (const settings::RevertResult& result : settings::Revert(services.target.registry, file.entries)) {
        const settings::RegEntry& entry = *result.entry;
        const std::string key = FullKeyName(entry.root, entry.keyPath);
        report.Line({key, entry.name.empty() ? std::string_view("@") : std::string_view(entry.name), result.outcome});
        anyFailed |= !result.done;
    }
    services.console.Write(report.Text());
    return anyFailed ? kExitNotAllDone : kExitSuccess;
}

int ListBackups(CommandLineServices& services)
{
    const settings::BackupStore backups(services.host.files, services.target.folders, services.host.clock);
    const std::vector<std::string> paths = backups.List();
    if (paths.empty())
        services.console.Write("No backups in " + settings::BackupFolder(services.target.folders) + ".\n");
    for (const std::string& path : paths)
        services.console.Write(path + "\n");
    return kExitSuccess;
}

int ShowUsage(CommandLineServices& services)
{
    std::string text = VEILMARK_TITLE "\n";
    text += kUsage;
    const OptionLabels labels = Labels(services);
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.kind == OptionKind::Group)
            text += "  " + labels.Of(entry.key) + "\n";
        else
            text += "    " + std::string(entry.name) + "\t" + labels.Of(entry.key) + "\n";
    }
    services.console.Write(text);
    return kExitSuccess;
}

}  // namespace

int RunCommand(const Command& command, CommandLineServices& services)
{
    switch (command.kind) {
    case CommandKind::Usage:
        return ShowUsage(services);
    case CommandKind::Status:
        return RunStatus(command, services);
    case CommandKind::Apply:
        return RunApply(command, services);
    case CommandKind::Restore:
        return RunRestore(command, services);
    case CommandKind::Export:
        return RunExport(command, services);
    case CommandKind::Revert:
        return RunRevert(command, services);
    case CommandKind::Backups:
        return ListBackups(services);
    default:
        return kExitError;
    }
}

int RunCommandLine(const std::vector<std::string>& words, CommandLineServices& services)
{
    const ParsedCommand parsed = ParseCommand(words);
    if (!parsed.error.empty()) {
        Fail(services.console, parsed.error);
        services.console.WriteError(kUsageHint);
        return kExitError;
    }
    return RunCommand(parsed.command, services);
}

}  // namespace cli
