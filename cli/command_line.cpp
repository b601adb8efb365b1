#include "cli/command_line.h"

#include "cli/unattended_actions.h"
#include "lang/texts.h"
#include "res/version.h"
#include "run/changing_pass.h"
#include "run/run_output.h"
#include "run/run_reports.h"
#include "settings/apply_settings.h"
#include "settings/labels.h"
#include "settings/platform_facts.h"

namespace cli {

namespace {

using run::kExitError;
using run::kExitSuccess;
using settings::Selection;

constexpr std::string_view kProgram = "veilmark";

OptionLabels Labels(const CommandLineServices& services) { return {services.strings, LanguageBaseOf(services.language)}; }

bool HomeEdition(const CommandLineServices& services) { return EditionOf(services.target.version) == WindowsEdition::Home; }

run::RunOutput OutputOf(CommandLineServices& services) { return {services.console, kProgram, services.language}; }

bool SelectionNamed(const std::string& name, CommandLineServices& services, Selection& selection,
                    std::string& error)
{
    return run::ResolveSelection(name, services.host.files, HomeEdition(services), services.language, selection,
                                 error);
}

int RunStatus(const Command& command, CommandLineServices& services)
{
    run::RunOutput output = OutputOf(services);
    if (!output.StartReport(services.host.files, command.reportPath))
        return kExitError;
    run::Report report;
    const int exitCode = run::AddStatusLines(report, services.target.registry, services.target.version, Labels(services));
    return output.Deliver(report, exitCode);
}

// A pass that changes the registry, as /apply and /restore run it: the
// report file made and the backup saved first (no backup, no change), then
// the pass, then a line per step.
int RunChangingPass(const Command& command, CommandLineServices& services, const run::ChangingPass& pass)
{
    run::RunOutput output = OutputOf(services);
    if (!output.StartReport(services.host.files, command.reportPath))
        return kExitError;
    std::string backup;
    std::string error;
    settings::BackupStore backups(services.host.files, services.target.folders, services.host.clock, services.language);
    if (!backups.Save(services.target.registry, pass.Targets(), pass.Name(), backup, error))
        return output.Fail(Text(TextId::CannotWriteBackup, services.language, {backup, error}));

    const std::vector<settings::StepResult> results = pass.Run(services.target.registry);
    run::Report report;
    report.Line({SystemDescription(services.target.registry, services.target.version, services.language)});
    const bool anyFailed = run::AddPassSection(report, {}, backup, results, Labels(services));
    return output.Deliver(report, anyFailed ? run::kExitNotAllDone : kExitSuccess);
}

int RunApply(const Command& command, CommandLineServices& services)
{
    Selection selection;
    std::string error;
    if (!SelectionNamed(command.operands[0], services, selection, error))
        return OutputOf(services).Fail(error);
    UnattendedActions actions(services.target, services.host, services.language);
    return RunChangingPass(command, services,
                           run::ChangingPass::Apply(selection, HomeEdition(services), actions, "veilmark.exe /apply"));
}

int RunRestore(const Command& command, CommandLineServices& services)
{
    return RunChangingPass(command, services, run::ChangingPass::Restore("veilmark.exe /restore"));
}

int RunExport(const Command& command, CommandLineServices& services)
{
    const std::string& name = command.operands[0];
    const std::string& path = command.operands[1];
    run::RunOutput output = OutputOf(services);
    Selection selection;
    std::string error;
    if (!SelectionNamed(name, services, selection, error))
        return output.Fail(error);
    std::string reason;
    const std::unique_ptr<IOutputFile> file = services.host.files.Create(path, reason);
    if (!file)
        return output.Fail(Text(TextId::CannotWriteFile, services.language, {path, reason}));

    RegFile regFile;
    regFile.Comment(VEILMARK_TITLE ": the registry changes of the selection " + name + ".");
    settings::ExportSettings(selection, Labels(services), regFile);
    if (!file->Commit(regFile.Bytes(), reason))
        return output.Fail(Text(TextId::CannotWriteFile, services.language, {path, reason}));
    services.console.Write(Text(TextId::Wrote, services.language, {path}) + "\n");
    return kExitSuccess;
}

int RunRevert(const Command& command, CommandLineServices& services)
{
    run::Report report;
    std::string error;
    const int exitCode = run::RevertBackup(command.operands[0], services.target.registry, services.target.version,
                                           services.host.files, services.language, report, error);
    if (exitCode == kExitError)
        return OutputOf(services).Fail(error);
    services.console.Write(report.Text());
    return exitCode;
}

int ListBackups(const Command&, CommandLineServices& services)
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

int ShowUsage(const Command&, CommandLineServices& services)
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

using run::kTakesReport;

constexpr CommandRow kCommands[] = {
    {"status", {}, kTakesReport, &RunStatus},
    {"apply", {TextId::NeedsSelection}, kTakesReport, &RunApply},
    {"restore", {}, kTakesReport, &RunRestore},
    {"export", {TextId::NeedsSelection, TextId::NeedsRegFileToWrite}, false, &RunExport},
    {"revert", {TextId::NeedsRegFileToImport}, false, &RunRevert},
    {"backups", {}, false, &ListBackups},
    {"?", run::Operands::Any(), false, &ShowUsage},
    {"help", run::Operands::Any(), false, &ShowUsage},
};

}  // namespace

std::span<const CommandRow> Commands() { return kCommands; }

int RunCommand(const Command& command, CommandLineServices& chosen)
{
    if (!command.row)
        return kExitError;
    // The language /lang names, else the one chosen for the user.
    CommandLineServices services = chosen;
    services.language = command.language.value_or(chosen.language);
    return command.row->run(command, services);
}

int RunCommandLine(const std::vector<std::string>& words, CommandLineServices& services)
{
    const ParsedCommand parsed = ParseCommand(words, services.language);
    if (!parsed.error.empty()) {
        const Language language = parsed.command.language.value_or(services.language);
        run::RunOutput(services.console, kProgram, language).Fail(parsed.error);
        services.console.WriteError(Text(TextId::UsageHint, language));
        return kExitError;
    }
    return RunCommand(parsed.command, services);
}

}  // namespace cli
