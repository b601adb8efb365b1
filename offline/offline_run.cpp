#include "offline/offline_run.h"

#include "cli/run_reports.h"
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

using cli::kExitError;
using cli::kExitSuccess;
using cli::Report;
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
    static StepResult NotHere(OptionKey key) { return {key, StepOutcome::NeedsRunningSystem, 0, {}}; }
};

// The exit code of /status that tells the worse: some option on, then some
// unknown, then all off.
int Worse(int a, int b)
{
    const auto rank = [](int code) { return code == cli::kExitNotAllDone ? 2 : code == cli::kExitUnknown ? 1 : 0; };
    return rank(a) >= rank(b) ? a : b;
}

std::string Section(std::string_view name) { return "[" + std::string(name) + "]"; }

class Runner {
public:
    Runner(const Command& command, OfflineServices& services)
        : m_command(command),
          m_services(services),
          m_language(command.language.value_or(services.language)),
          m_labels{services.strings, LanguageBaseOf(m_language)}
    {
    }

    int Run()
    {
        switch (m_command.kind) {
        case CommandKind::Help:
            return Usage();
        case CommandKind::Version:
            m_services.console.Write("veilmark-offline " VEILMARK_VERSION_DOTTED "\n");
            return kExitSuccess;
        default:
            break;
        }
        std::string error;
        std::vector<std::string> warnings;
        m_installation = Installation::Open(m_command.root, m_command.users, m_language, error, warnings);
        for (const std::string& warning : warnings)
            m_services.console.WriteError("veilmark-offline: " + warning + "\n");
        if (!m_installation)
            return Fail(error);
        switch (m_command.kind) {
        case CommandKind::Status:
            return Status();
        case CommandKind::Apply:
        case CommandKind::Restore:
            return ChangingPass();
        case CommandKind::Revert:
            return Revert();
        case CommandKind::Backups:
            return ListBackups();
        default:
            return kExitError;
        }
    }

private:
    int Fail(const std::string& message)
    {
        m_services.console.WriteError("veilmark-offline: " + message + "\n");
        return kExitError;
    }

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

    // The report file, made before anything else is done.
    bool StartReport(std::unique_ptr<IOutputFile>& file)
    {
        std::string reason;
        if (!m_command.reportPath.empty() && !(file = m_installation->Files().Create(m_command.reportPath, reason))) {
            Fail(Text(TextId::CannotWriteReport, m_language, {m_command.reportPath, reason}));
            return false;
        }
        return true;
    }

    int Deliver(const Report& report, IOutputFile* file, int exitCode)
    {
        m_services.console.Write(report.Text());
        std::string reason;
        if (file && !file->Commit(report.FileBytes(), reason))
            return Fail(Text(TextId::CannotWriteReport, m_language, {m_command.reportPath, reason}));
        return exitCode;
    }

    // Puts the changed hives in place; false, told, when none could be.
    bool Commit()
    {
        std::string error;
        if (CommitHives(m_installation->Hives(), FileTimeNow(), error, m_services.beforeCommitStep))
            return true;
        Fail(Text(TextId::HivesNotReplaced, m_language, {error}));
        return false;
    }

    int Status()
    {
        std::unique_ptr<IOutputFile> file;
        if (!StartReport(file))
            return kExitError;
        Report report;
        int exitCode = kExitSuccess;
        for (Profile& profile : m_installation->Profiles()) {
            report.Line({Section(profile.name)});
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            exitCode = Worse(exitCode, cli::AddStatusLines(report, *registry, m_installation->Version(), m_labels));
        }
        return Deliver(report, file.get(), exitCode);
    }

    // apply and restore: the report file and every profile's backup first
    // (no backup, no change), then the machine's steps once, then each
    // profile's, then the hives put in place.
    int ChangingPass()
    {
        const bool apply = m_command.kind == CommandKind::Apply;
        std::unique_ptr<IOutputFile> file;
        if (!StartReport(file))
            return kExitError;
        settings::Selection selection;
        std::string error;
        if (apply && !cli::ResolveSelection(m_command.selection, m_installation->Files(), HomeEdition(), m_language,
                                            selection, error))
            return Fail(error);
        const std::vector<settings::BackupTarget> targets =
            apply ? settings::ApplyTargets(selection) : settings::RestoreTargets();
        const std::string pass = apply ? "veilmark-offline apply" : "veilmark-offline restore";
        std::vector<std::string> backups;
        for (Profile& profile : m_installation->Profiles()) {
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            std::string path;
            if (!BackupsOf(profile).Save(*registry, targets, pass, path, error))
                return Fail(Text(TextId::CannotWriteBackup, m_language, {m_installation->Files().Resolve(path), error}));
            backups.push_back(m_installation->Files().Resolve(path));
        }

        OfflineActions actions;
        const auto run = [&](IRegistry& registry, Scope scope) {
            RegistryOps ops(registry);
            return apply ? settings::ApplySettings(ops, selection.Within(scope), HomeEdition(), actions)
                         : settings::RestoreDefaults(ops, scope);
        };
        Report report;
        report.Line({SystemDescription(m_installation->Machine(), m_installation->Version(), m_language)});
        report.Line({Section("machine")});
        bool anyFailed = cli::AddStepLines(report, run(m_installation->Machine(), Scope::Machine), m_labels);
        for (std::size_t i = 0; i < m_installation->Profiles().size(); ++i) {
            Profile& profile = m_installation->Profiles()[i];
            report.Line({Section(profile.name)});
            if (!backups[i].empty())
                report.Line({"Backup", backups[i]});
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            anyFailed |= cli::AddStepLines(report, run(*registry, Scope::User), m_labels);
        }
        if (!Commit())
            return kExitError;
        return Deliver(report, file.get(), anyFailed ? cli::kExitNotAllDone : kExitSuccess);
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

    int Revert()
    {
        std::vector<Profile>& profiles = m_installation->Profiles();
        Profile* profile = m_command.users.size() == 1
                               ? &profiles.front()
                               : ProfileHolding(profiles, m_installation->Files(), m_command.revertPath);
        if (!profile && NamesUserValues(m_command.revertPath))
            return Fail(Text(TextId::RevertNeedsProfile, m_language, {m_command.revertPath}));
        std::unique_ptr<HiveRegistry> user = profile ? m_installation->RegistryOf(*profile) : nullptr;
        IRegistry& registry = user ? *user : m_installation->Machine();

        Report report;
        if (profile)
            report.Line({Section(profile->name)});
        std::string error;
        const int exitCode = cli::RevertBackup(m_command.revertPath, registry, m_installation->Version(),
                                               m_installation->Files(), m_language, report, error);
        if (exitCode == kExitError)
            return Fail(error);
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

    const Command& m_command;
    OfflineServices& m_services;
    Language m_language;
    OptionLabels m_labels;
    std::unique_ptr<Installation> m_installation;
};

}  // namespace

int Run(const std::vector<std::string>& words, OfflineServices& services)
{
    const ParsedCommand parsed = ParseCommand(words, services.language);
    if (!parsed.error.empty()) {
        const Language language = parsed.command.language.value_or(services.language);
        services.console.WriteError("veilmark-offline: " + parsed.error + "\n" + Text(TextId::OfflineUsageHint, language));
        return kExitError;
    }
    return Runner(parsed.command, services).Run();
}

}  // namespace offline
