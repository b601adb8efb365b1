#include "offline/offline_run.h"

#include "run/changing_pass.h"
#include "run/run_output.h"
#include "run/run_reports.h"
#include "lang/texts.h"
#include "offline/installation.h"
#include "offline/offline_arguments.h"
#include "platform/hive/hive_commit.h"
#include "res/version.h"
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/platform_facts.h"
#include "settings/reg_import.h"
#include "settings/restore_defaults.h"

namespace offline {

namespace {

using run::kExitError;
using run::kExitSuccess;
using run::Report;
using settings::StepOutcome;
using settings::StepResult;

// The steps that run programs: none can run on an installation that is
// not running.
class OfflineActions final : public settings::IApplyActions {
public:
    StepResult ConfigureMediaPlayer() override { return NotHere(OptionKey::MediaPlayerGroup); }
    StepResult RemoveMessenger() override { return NotHere(OptionKey::MessengerUninstall); }
    StepResult OpenUserManager() override { return NotHere(OptionKey::RemoveSupportUsers); }

private:
    static StepResult NotHere(OptionKey key) { return {key, StepOutcome::NeedsRunningSystem, WriteCode::Done, {}}; }
};

constexpr std::string_view kProgram = "veilmark-offline";

std::string Section(std::string_view name) { return "[" + std::string(name) + "]"; }

}  // namespace

// One run of a command on the installation it names.
class OfflineRun {
public:
    OfflineRun(const Command& command, OfflineServices& services)
        : m_command(command),
          m_services(services),
          m_language(command.language.value_or(services.language)),
          m_labels{services.strings, LanguageBaseOf(m_language)},
          m_output(services.console, kProgram, m_language)
    {
    }

    int Run()
    {
        if (m_command.help)
            return Usage();
        if (m_command.version) {
            m_services.console.Write("veilmark-offline " VEILMARK_VERSION_DOTTED "\n");
            return kExitSuccess;
        }
        std::string error;
        std::vector<std::string> warnings;
        m_installation = Installation::Open(m_command.root, m_command.users, m_language, error, warnings);
        for (const std::string& warning : warnings)
            m_output.Warn(warning);
        if (!m_installation)
            return m_output.Fail(error);
        return (this->*(m_command.row->run))();
    }

    int Status()
    {
        if (!m_output.StartReport(m_installation->Files(), m_command.reportPath))
            return kExitError;
        Report report;
        int exitCode = kExitSuccess;
        for (Profile& profile : m_installation->Profiles()) {
            run::AddSectionHeader(report, profile.name);
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            exitCode = run::WorseStatus(exitCode, run::AddStatusLines(report, *registry, m_installation->Version(), m_labels));
        }
        return m_output.Deliver(report, exitCode);
    }

    int Apply()
    {
        if (!m_output.StartReport(m_installation->Files(), m_command.reportPath))
            return kExitError;
        settings::Selection selection;
        std::string error;
        if (!run::ResolveSelection(m_command.operands[0], m_installation->Files(), HomeEdition(), m_language,
                                   selection, error))
            return m_output.Fail(error);
        OfflineActions actions;
        return ChangingPass(run::ChangingPass::Apply(selection, HomeEdition(), actions, "veilmark-offline apply"));
    }

    int Restore()
    {
        if (!m_output.StartReport(m_installation->Files(), m_command.reportPath))
            return kExitError;
        return ChangingPass(run::ChangingPass::Restore("veilmark-offline restore"));
    }

    int Revert()
    {
        const std::string& path = m_command.operands[0];
        std::vector<Profile>& profiles = m_installation->Profiles();
        Profile* profile =
            m_command.users.size() == 1 ? &profiles.front() : ProfileHolding(profiles, m_installation->Files(), path);
        if (!profile && NamesUserValues(path))
            return m_output.Fail(Text(TextId::RevertNeedsProfile, m_language, {path}));
        std::unique_ptr<HiveRegistry> user = profile ? m_installation->RegistryOf(*profile) : nullptr;
        IRegistry& registry = user ? *user : m_installation->Machine();

        Report report;
        if (profile)
            run::AddSectionHeader(report, profile->name);
        std::string error;
        const int exitCode = run::RevertBackup(path, registry, m_installation->Version(), m_installation->Files(),
                                               m_language, report, error);
        if (exitCode == kExitError)
            return m_output.Fail(error);
        if (!Commit())
            return kExitError;
        m_services.console.Write(report.Text());
        return exitCode;
    }

    int ListBackups()
    {
        for (Profile& profile : m_installation->Profiles()) {
            m_services.console.Write(Section(profile.name) + "\n");
            const std::vector<std::string> paths = BackupsOf(profile).List();
            if (paths.empty())
                m_services.console.Write(
                    Text(TextId::NoBackups, m_language, {m_installation->Files().Resolve(BackupFolderOf(profile))}) +
                    "\n");
            for (const std::string& path : paths)
                m_services.console.Write(m_installation->Files().Resolve(path) + "\n");
        }
        return kExitSuccess;
    }

private:
    int Usage()
    {
        std::string text = VEILMARK_TITLE "\n" + Text(TextId::OfflineUsage, m_language) + "\n";
        for (const CatalogueEntry& entry : Catalogue())
            if (entry.kind != OptionKind::Group)
                text += "    " + std::string(entry.name) + "\t" + m_labels.Of(entry.key) + "\n";
        m_services.console.Write(text);
        return kExitSuccess;
    }

    bool HomeEdition() const { return EditionOf(m_installation->Version()) == WindowsEdition::Home; }

    std::string BackupFolderOf(Profile& profile)
    {
        return m_command.backupFolder.empty() ? settings::BackupFolder(FoldersOf(profile))
                                              : m_command.backupFolder + "/" + profile.name;
    }

    OfflineFolders FoldersOf(Profile& profile)
    {
        return {m_installation->Root(), m_installation->WindowsFolder(), m_installation->AppDataOf(profile)};
    }

    settings::BackupStore BackupsOf(Profile& profile)
    {
        return {m_installation->Files(), BackupFolderOf(profile), m_services.clock, m_language};
    }

    // Puts the changed hives in place; false, told, when none could be.
    bool Commit()
    {
        std::string error;
        if (CommitHives(m_installation->Hives(), FileTimeNow(), error, m_services.beforeCommitStep))
            return true;
        m_output.Fail(Text(TextId::HivesNotReplaced, m_language, {error}));
        return false;
    }

    // apply and restore, once the report file is made: every profile's
    // backup first (no backup, no change), then the machine's steps once,
    // then each profile's, then the hives put in place.
    int ChangingPass(const run::ChangingPass& pass)
    {
        std::vector<std::string> backups;
        for (Profile& profile : m_installation->Profiles()) {
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            std::string path;
            std::string error;
            if (!BackupsOf(profile).Save(*registry, pass.Targets(), pass.Name(), path, error))
                return m_output.Fail(
                    Text(TextId::CannotWriteBackup, m_language, {m_installation->Files().Resolve(path), error}));
            backups.push_back(m_installation->Files().Resolve(path));
        }

        Report report;
        report.Line({SystemDescription(m_installation->Machine(), m_installation->Version(), m_language)});
        bool anyFailed =
            run::AddPassSection(report, "machine", {}, pass.Run(m_installation->Machine(), Scope::Machine), m_labels);
        for (std::size_t i = 0; i < m_installation->Profiles().size(); ++i) {
            Profile& profile = m_installation->Profiles()[i];
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            anyFailed |= run::AddPassSection(report, profile.name, backups[i], pass.Run(*registry, Scope::User), m_labels);
        }
        if (!Commit())
            return kExitError;
        return m_output.Deliver(report, anyFailed ? run::kExitNotAllDone : kExitSuccess);
    }

    // Whether the .reg file at `path` names a value of HKCU.
    bool NamesUserValues(const std::string& path)
    {
        std::vector<std::uint8_t> bytes;
        std::string reason;
        if (!m_installation->Files().Read(path, bytes, reason))
            return false;  // the revert itself says why
        for (const settings::RegEntry& entry : settings::ParseRegFile(bytes, m_language).entries)
            if (entry.root == RegistryRoot::CurrentUser)
                return true;
        return false;
    }

    const Command& m_command;
    OfflineServices& m_services;
    Language m_language;
    OptionLabels m_labels;
    run::RunOutput m_output;
    std::unique_ptr<Installation> m_installation;
};

namespace {

using run::kTakesReport;

constexpr CommandRow kCommands[] = {
    {"status", {}, kTakesReport, &OfflineRun::Status},
    {"apply", {TextId::NeedsSelection}, kTakesReport, &OfflineRun::Apply},
    {"restore", {}, kTakesReport, &OfflineRun::Restore},
    {"revert", {TextId::NeedsRegFileToImport}, false, &OfflineRun::Revert},
    {"backups", {}, false, &OfflineRun::ListBackups},
};

}  // namespace

std::span<const CommandRow> Commands() { return kCommands; }

int Run(const std::vector<std::string>& words, OfflineServices& services)
{
    const ParsedCommand parsed = ParseCommand(words, services.language);
    if (!parsed.error.empty()) {
        const Language language = parsed.command.language.value_or(services.language);
        run::RunOutput(services.console, kProgram, language).Fail(parsed.error);
        services.console.WriteError(Text(TextId::OfflineUsageHint, language));
        return kExitError;
    }
    return OfflineRun(parsed.command, services).Run();
}

}  // namespace offline
