#include "cli/command_line.h"

#include "cli/unattended_actions.h"
#include "lang/texts.h"
#include "res/version.h"
#include "settings/apply_settings.h"
#include "settings/labels.h"
#include "settings/platform_facts.h"
#include "settings/restore_defaults.h"
#include "settings/text.h"

namespace cli {

namespace {

using settings::Selection;

OptionLabels Labels(const CommandLineServices& services) { return {services.strings, LanguageBaseOf(services.language)}; }

bool HomeEdition(const CommandLineServices& services) { return EditionOf(services.target.version) == WindowsEdition::Home; }

int Fail(IConsole& console, const std::string& message)
{
    console.WriteError("veilmark: " + message + "\n");
    return kExitError;
}

bool SelectionNamed(const std::string& name, CommandLineServices& services, Selection& selection,
                    std::string& error)
{
    return ResolveSelection(name, services.host.files, HomeEdition(services), services.language, selection, error);
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
        error = Text(TextId::CannotWriteReport, services.language, {command.reportPath, reason});
    return file != nullptr;
}

// Shows the report and saves it when asked; `exitCode` unless the saving fails.
int Deliver(const Report& report, const Command& command, IOutputFile* file, CommandLineServices& services,
            int exitCode)
{
    services.console.Write(report.Text());
    std::string reason;
    if (file && !file->Commit(report.FileBytes(), reason))
        return Fail(services.console, Text(TextId::CannotWriteReport, services.language, {command.reportPath, reason}));
    return exitCode;
}

int RunStatus(const Command& command, CommandLineServices& services)
{
    std::unique_ptr<IOutputFile> file;
    std::string error;
    if (!StartReportFile(command, services, file, error))
        return Fail(services.console, error);
    Report report;
    const int exitCode = AddStatusLines(report, services.target.registry, services.target.version, Labels(services));
    return Deliver(report, command, file.get(), services, exitCode);
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
    settings::BackupStore backups(services.host.files, services.target.folders, services.host.clock, services.language);
    if (!backups.Save(services.target.registry, targets, name, backup, error))
        return Fail(services.console, Text(TextId::CannotWriteBackup, services.language, {backup, error}));

    RegistryOps ops(services.target.registry);
    const std::vector<settings::StepResult> results = pass(ops);
    Report report;
    report.Line({SystemDescription(services.target.registry, services.target.version, services.language)});
    if (!backup.empty())
        report.Line({"Backup", backup});
    const bool anyFailed = AddStepLines(report, results, Labels(services));
    return Deliver(report, command, file.get(), services, anyFailed ? kExitNotAllDone : kExitSuccess);
}

int RunApply(const Command& command, CommandLineServices& services)
{
    Selection selection;
    std::string error;
    if (!SelectionNamed(command.selection, services, selection, error))
        return Fail(services.console, error);
    return RunChangingPass(command, services, settings::ApplyTargets(selection), "veilmark.exe /apply",
                           [&](RegistryOps& ops) {
                               UnattendedActions actions(services.target, services.host, services.language);
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
    if (!SelectionNamed(command.selection, services, selection, error))
        return Fail(services.console, error);
    std::string reason;
    const std::unique_ptr<IOutputFile> file = services.host.files.Create(command.exportPath, reason);
    if (!file)
        return Fail(services.console, Text(TextId::CannotWriteFile, services.language, {command.exportPath, reason}));

    RegFile regFile;
    std::string remark = VEILMARK_TITLE ": the registry changes of the selection ";
    remark += command.selection;
    remark += '.';
    regFile.Comment(remark);
    settings::ExportSettings(selection, Labels(services), regFile);
    if (!file->Commit(regFile.Bytes(), reason))
        return Fail(services.console, Text(TextId::CannotWriteFile, services.language, {command.exportPath, reason}));
    services.console.Write(Text(TextId::Wrote, services.language, {command.exportPath}) + "\n");
    return kExitSuccess;
}

int RunRevert(const Command& command, CommandLineServices& services)
{
    Report report;
    std::string error;
    const int exitCode = RevertBackup(command.revertPath, services.target.registry, services.target.version,
                                      services.host.files, services.language, report, error);
    if (exitCode == kExitError)
        return Fail(services.console, error);
    services.console.Write(report.Text());
    return exitCode;
}

int ListBackups(CommandLineServices& services)
{
    const settings::BackupStore backups(services.host.files, services.target.folders, services.host.clock,
                                        services.language);
    const std::vector<std::string> paths = backups.List();
    if (paths.empty())
        services.console.Write(
            Text(TextId::NoBackups, services.language, {settings::BackupFolder(services.target.folders)}) + "\n");
    for (const std::string& path : paths)
        services.console.Write(path + "\n");
    return kExitSuccess;
}

int ShowUsage(CommandLineServices& services)
{
    std::string text = VEILMARK_TITLE "\n";
    text += Text(TextId::Usage, services.language);
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

int RunCommand(const Command& command, CommandLineServices& chosen)
{
    // The language /lang names, else the one chosen for the user.
    CommandLineServices services = chosen;
    services.language = command.language.value_or(chosen.language);
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
    const ParsedCommand parsed = ParseCommand(words, services.language);
    if (!parsed.error.empty()) {
        Fail(services.console, parsed.error);
        services.console.WriteError(Text(TextId::UsageHint, parsed.command.language.value_or(services.language)));
        return kExitError;
    }
    return RunCommand(parsed.command, services);
}

}  // namespace cli
