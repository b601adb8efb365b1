#include "offline/offline_run.h"

#include <unistd.h>

#include "run/changing_pass.h"
#include "run/run_output.h"
#include "run/run_reports.h"
#include "lang/texts.h"
#include "offline/disk_images.h"
#include "offline/installation.h"
#include "offline/offline_arguments.h"
#include "platform/hive/hive_commit.h"
#include "platform/posix/posix_files.h"
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
        PosixFiles localFiles(m_command.root);
        if (!m_output.StartReport(localFiles, m_command.reportPath))
            return kExitError;
        const int exitCode = m_command.images.empty() ? RunOn(m_command.root, m_folder) : RunOnImages();
        // A run that could not go on anywhere leaves no report file.
        if (exitCode == kExitError && m_report.Text().empty())
            return exitCode;
        return m_output.Deliver(m_report, exitCode);
    }

    // The command on the installation below `root`, whose files stand in
    // `place`.
    int RunOn(const std::string& root, IInstallationPlace& place)
    {
        std::string error;
        std::vector<std::string> warnings;
        m_installation = Installation::Open(root, m_command.users, m_language, place, error, warnings);
        for (const std::string& warning : warnings)
            Warn(warning);
        if (!m_installation)
            return Fail(error);
        return (this->*(m_command.row->run))();
    }

    // The command on each image in turn, all in one appliance: each image's
    // report under its own header; a failure in one stops none of the
    // others; the exit code the worst of all.
    int RunOnImages()
    {
        const bool writes = m_command.row->run != &OfflineRun::Status && m_command.row->run != &OfflineRun::ListBackups;
        DiskImages images(m_command.images, writes, m_command.partitions, m_language, m_services.progress);
        std::vector<std::string> refusals;
        std::string error;
        const bool started = images.Start(refusals, error);
        for (const std::string& refusal : refusals)
            Warn(refusal);
        if (!started)
            return Fail(error);
        int exitCode = refusals.empty() ? kExitSuccess : kExitError;
        for (std::size_t i = 0; i < images.Count(); ++i) {
            if (DiskImages::StopRequested()) {
                m_report.Line({"Image", images.PathOf(i)});
                m_report.Line({Text(TextId::ImageNotChanged, m_language)});
                exitCode = Worse(exitCode, kExitError);
                continue;
            }
            std::string root;
            error.clear();
            IInstallationPlace* place = images.Open(i, root, error);
            if (!place) {
                if (!error.empty())
                    exitCode = Worse(exitCode, Fail(error));
                continue;
            }
            m_report.Line({"Image", images.PathOf(i)});
            m_failurePrefix = images.PathOf(i) + ": ";
            m_imagePath = images.PathOf(i);
            exitCode = Worse(exitCode, RunOn(root, *place));
            m_installation.reset();
            m_failurePrefix.clear();
        }
        // Every change was synced before: an appliance that ends badly now
        // is told, and changes nothing of the outcome.
        if (!images.Finish(error))
            Warn(error);
        return exitCode;
    }

    int Status()
    {
        int exitCode = kExitSuccess;
        for (Profile& profile : m_installation->Profiles()) {
            run::AddSectionHeader(m_report, profile.name);
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            exitCode =
                run::WorseStatus(exitCode, run::AddStatusLines(m_report, *registry, m_installation->Version(), m_labels));
        }
        return exitCode;
    }

    int Apply()
    {
        settings::Selection selection;
        std::string error;
        if (!run::ResolveSelection(m_command.operands[0], m_installation->Files(), HomeEdition(), m_language,
                                   selection, error))
            return Fail(error);
        OfflineActions actions;
        return ChangingPass(run::ChangingPass::Apply(selection, HomeEdition(), actions, "veilmark-offline apply"));
    }

    int Restore() { return ChangingPass(run::ChangingPass::Restore("veilmark-offline restore")); }

    int Revert()
    {
        const std::string path = RevertedFile();
        std::vector<Profile>& profiles = m_installation->Profiles();
        Profile* profile =
            m_command.users.size() == 1 ? &profiles.front() : ProfileHolding(profiles, m_installation->Files(), path);
        if (!profile && NamesUserValues(path))
            return Fail(Text(TextId::RevertNeedsProfile, m_language, {m_command.operands[0]}));
        std::unique_ptr<HiveRegistry> user = profile ? m_installation->RegistryOf(*profile) : nullptr;
        IRegistry& registry = user ? *user : m_installation->Machine();

        Report report;
        if (profile)
            run::AddSectionHeader(report, profile->name);
        std::string error;
        const int exitCode = run::RevertBackup(path, registry, m_installation->Version(), m_installation->Files(),
                                               m_language, report, error);
        if (exitCode == kExitError)
            return Fail(error);
        if (!Commit({}))
            return kExitError;
        m_report.Append(report);
        return exitCode;
    }

    int ListBackups()
    {
        for (Profile& profile : m_installation->Profiles()) {
            run::AddSectionHeader(m_report, profile.name);
            FetchBackups(profile);
            const std::vector<std::string> paths = BackupsOf(profile).List();
            if (paths.empty())
                m_report.Line({Text(TextId::NoBackups, m_language, {m_installation->Shown(BackupFolderOf(profile))})});
            for (const std::string& path : paths)
                m_report.Line({m_installation->Shown(path)});
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

    // The backups of the profile's folder, where the installation's files
    // are brought in as they are asked for (a disk image's).
    void FetchBackups(Profile& profile)
    {
        if (m_command.backupFolder.empty())
            m_installation->Place().FetchFolder(m_installation->Files().Resolve(BackupFolderOf(profile)));
    }

    // The .reg file that revert names: a file of this machine, or with
    // --image one inside the installation, as backups lists it.
    std::string RevertedFile()
    {
        const std::string& named = m_command.operands[0];
        if (m_command.images.empty() || access(named.c_str(), F_OK) == 0)
            return named;
        const std::string inside = m_installation->Files().Resolve(m_installation->Root() + "/" + named);
        m_installation->Place().Fetch(inside);
        return m_installation->Files().Resolve(inside);
    }

    // Puts the new backups in the installation, then the changed hives;
    // false, told, when no hive could be changed.
    bool Commit(const std::vector<std::string>& backups)
    {
        if (m_services.progress && !m_imagePath.empty())
            m_services.progress(Text(TextId::ProgressWriting, m_language, {m_imagePath}));
        std::string error;
        if (m_installation->Place().Commit(m_installation->Hives(), m_command.backupFolder.empty() ? backups : std::vector<std::string>(),
                                           FileTimeNow(), error, m_services.beforeCommitStep))
            return true;
        Fail(Text(TextId::HivesNotReplaced, m_language, {error}));
        return false;
    }

    int Fail(const std::string& message) { return m_output.Fail(m_failurePrefix + message); }
    void Warn(const std::string& message) { m_output.Warn(m_failurePrefix + message); }
    int Worse(int a, int b) const
    {
        return m_command.row->run == &OfflineRun::Status ? run::WorseStatus(a, b) : run::WorseOutcome(a, b);
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
            FetchBackups(profile);
            if (!BackupsOf(profile).Save(*registry, pass.Targets(), pass.Name(), path, error))
                return Fail(Text(TextId::CannotWriteBackup, m_language, {m_installation->Shown(path), error}));
            backups.push_back(m_installation->Files().Resolve(path));
        }

        Report report;
        report.Line({SystemDescription(m_installation->Machine(), m_installation->Version(), m_language)});
        bool anyFailed =
            run::AddPassSection(report, "machine", {}, pass.Run(m_installation->Machine(), Scope::Machine), m_labels);
        for (std::size_t i = 0; i < m_installation->Profiles().size(); ++i) {
            Profile& profile = m_installation->Profiles()[i];
            const std::unique_ptr<HiveRegistry> registry = m_installation->RegistryOf(profile);
            anyFailed |= run::AddPassSection(report, profile.name, m_installation->Shown(backups[i]),
                                             pass.Run(*registry, Scope::User), m_labels);
        }
        if (!Commit(backups))
            return kExitError;
        m_report.Append(report);
        return anyFailed ? run::kExitNotAllDone : kExitSuccess;
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
    FolderPlace m_folder;
    Report m_report;
    std::string m_failurePrefix;  // with --image: the image's path, before each failure
    std::string m_imagePath;
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
