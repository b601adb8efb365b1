#include "app/main_dlg.h"

#include "actions/item_info_dlg.h"
#include "actions/media_player_run.h"
#include "actions/messenger_removal.h"
#include "actions/time_server_dlg.h"
#include "actions/user_manager.h"
#include "app/about_dlg.h"
#include "lang/texts.h"
#include "settings/restore_defaults.h"
#include "settings/status_check.h"

namespace {

// The dialog's command table: which command runs which handler.
struct CommandRoute {
    unsigned commandId;
    void (CMainDlg::*handler)();
};

constexpr CommandRoute kCommandTable[] = {
    {IDC_START, &CMainDlg::OnStart},
    {IDM_ABOUT, &CMainDlg::OnAbout},
    {IDM_CHECK_STATUS, &CMainDlg::OnCheckSystemStatus},
    {IDM_RESET_STATUS, &CMainDlg::OnResetSystemStatus},
    {IDM_EXPERT_SETTINGS, &CMainDlg::OnExpertSettings},
    {IDM_RECOMMENDED, &CMainDlg::OnRecommendedSettings},
    {IDM_HELP_INDEX, &CMainDlg::OnHelpIndex},
    {IDM_TIME_SERVER, &CMainDlg::OnSetTimeServer},
};

// The closing question of Start, with the failures above it: saying
// "applied" alone after failed writes would hide the failure. True when the
// user wants the status checked again.
bool AskToCheckStatus(IPrompt& prompt, const std::vector<std::string>& failures, Language language)
{
    std::string text;
    for (const std::string& failure : failures)
        text += failure + "\n";
    if (!text.empty())
        text += "\n";
    text += Text(TextId::CheckQuestion, language);
    return prompt.Show(text, kPromptYesNo | kPromptIconQuestion) == kAnswerYes;
}

// The system actions of the Start button: the dialog's own, each done once
// it returns (a declined Messenger removal included).
class StartActions final : public settings::IApplyActions {
public:
    explicit StartActions(CMainDlg& dlg) : m_dlg(dlg) {}

    settings::StepResult ConfigureMediaPlayer() override
    {
        m_dlg.ConfigureMediaPlayer();
        return settings::DoneStep(OptionKey::MediaPlayerGroup);
    }
    settings::StepResult RemoveMessenger() override
    {
        m_dlg.RemoveMessenger();
        return settings::DoneStep(OptionKey::MessengerUninstall);
    }
    settings::StepResult OpenUserManager() override
    {
        m_dlg.OpenUserManager();
        return settings::DoneStep(OptionKey::RemoveSupportUsers);
    }

private:
    CMainDlg& m_dlg;
};

}  // namespace

CMainDlg::CMainDlg(const MainDlgServices& services)
    : m_strings(services.strings),
      m_language(services.language),
      m_target(services.target),
      m_host(services.host),
      m_registryOps(services.target.registry),
      m_backups(services.host.files, services.target.folders, services.host.clock, services.language),
      m_stHomepage(services.host.shell, services.host.prompt)
{
}

BOOL CMainDlg::OnInitDialog(IMainWindow& window)
{
    m_window = &window;
    MainControls controls = window.BindControls();
    m_ctrlTree.Attach(std::move(controls.tree));
    m_stHomepage.Attach(std::move(controls.link));
    window.InitCommonControls();
    window.SetLargeIcon();
    // Yes to the warning: the close request ends the dialog once this
    // initialisation has run to its end.
    if (CheckProductName() == 1)
        window.SendCloseRequest();
    m_stHomepage.SetTarget(kHomePage);
    window.AttachMenu(IDR_MAIN_MENU);
    window.SetTitle(kMainDialogTitle);
    m_nLanguageBase = LanguageBaseOf(m_language);
    m_bHomeEdition = ToBool(GetEditionKind() == 1);
    // The tree is filled and its pictures set before the dialog is first
    // shown, so nothing is drawn meanwhile. (A pause of its drawing would
    // gain nothing, and under Wine it costs a relayout that long German
    // labels make slow.)
    BuildOptionTree();
    m_ctrlTree.SelectItem(m_hFirstGroupItem);
    CheckSystemStatus();
    return 1;
}

bool CMainDlg::OnCommand(unsigned commandId)
{
    for (const CommandRoute& route : kCommandTable) {
        if (route.commandId == commandId) {
            (this->*route.handler)();
            return true;
        }
    }
    return false;
}

void CMainDlg::OnHelpIndex()
{
    // The message speaks of the program's directory, so the file is looked
    // up there rather than in whatever the current directory happens to be.
    // The help file of the dialog's language, else the Chinese one, which
    // every release has.
    const std::string directory = m_host.shell.ProgramDirectory();
    const auto open = [&](Language language) {
        return m_host.shell.Execute("open", JoinPath(directory, HelpFileName(language)), {}, {}, kShowNormal) > 32;
    };
    if (open(UiLanguage()) || (UiLanguage() != kFirstLanguage && open(kFirstLanguage)))
        return;
    m_host.prompt.Beep();
    m_host.prompt.Show(Text(TextId::HelpFileMissing, UiLanguage(), {HelpFileName(UiLanguage())}), kPromptOk);
}

void CMainDlg::BuildOptionTree()
{
    m_items = option_tree::Build(m_ctrlTree, Labels(), m_bHomeEdition != 0);
    m_hFirstGroupItem = m_items.Of(OptionKey::MediaPlayerGroup);
}

void CMainDlg::CheckSystemStatus()
{
    option_tree::ShowStatus(m_ctrlTree, m_items, settings::ReadSystemStatus(m_registryOps));
}

std::int32_t CMainDlg::TestRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                         std::uint32_t testType, std::uint32_t expectedNumber,
                                         const char* expectedText)
{
    return static_cast<std::int32_t>(
        m_registryOps.TestValue(root, keyPath, valueName, testType, expectedNumber, expectedText));
}

std::int32_t CMainDlg::WriteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                          const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                                          std::int32_t labelNumber)
{
    m_lastWriteCode = m_registryOps.WriteValue(root, keyPath, valueName, data, type, size);
    m_lastWriteLabel = labelNumber;
    return m_lastWriteCode == WriteCode::Done ? 0 : 1;
}

WriteResult CMainDlg::LastWrite() const
{
    return {static_cast<std::int32_t>(m_lastWriteCode),
            WriteResultLine(m_lastWriteCode, WriteLabel(m_lastWriteLabel), kFirstLanguage)};
}

std::int32_t CMainDlg::DeleteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    return m_registryOps.DeleteValue(root, keyPath, valueName) ? 0 : 1;
}

std::int32_t CMainDlg::DeleteRegistryKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    return m_registryOps.DeleteKey(root, parentPath, subkey) ? 0 : 1;
}

void CMainDlg::OnStart()
{
    const std::string ready = Text(TextId::ReadyCaption, UiLanguage());
    if (m_window && m_window->StartCaption() == ready) {
        m_window->SendCloseRequest();
        return;
    }
    const settings::Selection selection = option_tree::SelectionOf(m_ctrlTree, m_items);
    if (!BackUp(settings::ApplyTargets(selection), "Start"))
        return;
    StartActions actions(*this);
    const std::vector<settings::StepResult> results =
        settings::ApplySettings(m_registryOps, selection, m_bHomeEdition != 0, actions);
    if (AskToCheckStatus(m_host.prompt, settings::FailureLines(results, Labels()), UiLanguage()))
        CheckSystemStatus();
    if (m_window)
        m_window->SetStartCaption(ready);
}

bool CMainDlg::BackUp(const std::vector<settings::BackupTarget>& targets, std::string_view pass)
{
    std::string path;
    std::string reason;
    if (m_backups.Save(m_target.registry, targets, pass, path, reason))
        return true;
    m_host.prompt.Show(Text(TextId::BackupRefused, UiLanguage(), {path, reason}), kPromptOk | kPromptIconWarning);
    return false;
}

void CMainDlg::OnAbout() { CAboutDlg(m_host.dialogs, UiLanguage()).DoModal(); }

void CMainDlg::OnCheckSystemStatus()
{
    CItemInfoDlg(m_host.dialogs, UiLanguage()).DoModal();
    CheckSystemStatus();
}

void CMainDlg::OnSetTimeServer() { CTimeServerDlg(m_host.dialogs, m_target.registry, m_host.prompt, UiLanguage()).DoModal(); }

void CMainDlg::OnResetSystemStatus()
{
    // Only Cancel keeps the defaults from being restored.
    const bool confirmed = m_host.prompt.Show(Text(TextId::RestoreQuestion, UiLanguage()), kPromptOkCancel) != kAnswerCancel;
    if (confirmed && BackUp(settings::RestoreTargets(), "the restore of the defaults"))
        RestoreDefaults();
}

void CMainDlg::RestoreDefaults()
{
    // What could not be restored is named below the message: saying
    // "restored" alone after failed writes would hide the failure.
    std::string message = Text(TextId::RestoreDone, UiLanguage());
    for (const std::string& failure : settings::FailureLines(settings::RestoreDefaults(m_registryOps), Labels()))
        message += "\n" + failure;
    m_host.prompt.Show(message, kPromptOk);
}

void CMainDlg::OnExpertSettings() { option_tree::EnableExpertOptions(m_ctrlTree, m_items); }

void CMainDlg::OnRecommendedSettings() { BuildOptionTree(); }

void CMainDlg::RemoveMessenger() { actions::RemoveMessenger(m_target, m_host, UiLanguage()); }

void CMainDlg::ConfigureMediaPlayer() { actions::ConfigureMediaPlayer(m_target, m_host, UiLanguage()); }

void CMainDlg::OpenUserManager() { actions::OpenUserManager(m_target, m_host, UiLanguage()); }
