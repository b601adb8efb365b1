#include "app/main_dlg.h"

#include "app/language.h"
#include "treeopts/state_image.h"

namespace {

// The dialog's command table: which command runs which handler.
struct CommandRoute {
    unsigned commandId;
    void (CMainDlg::*handler)();
};

constexpr CommandRoute kCommandTable[] = {
    {kCmdResetSystemStatus, &CMainDlg::OnResetSystemStatus},
    {kCmdExpertSettings, &CMainDlg::OnExpertSettings},
    {kCmdRecommendedSettings, &CMainDlg::OnRecommendedSettings},
    {kCmdHelpIndex, &CMainDlg::OnHelpIndex},
};

}  // namespace

CMainDlg::CMainDlg(const MainDlgServices& services)
    : m_strings(services.strings),
      m_registry(services.registry),
      m_prompt(services.prompt),
      m_shell(services.shell),
      m_version(services.version)
{
}

BOOL CMainDlg::OnInitDialog(IMainWindow& window)
{
    m_window = &window;
    window.DoDataExchange(m_ctrlTree);
    window.InitCommonControls();
    window.SetLargeIcon();
    // Yes to the warning: the close request ends the dialog once this
    // initialisation has run to its end.
    if (CheckProductName() == 1)
        window.SendCloseRequest();
    window.AttachMenu(kMainMenuId);
    window.SetTitle(kMainDialogTitle);
    m_nLanguageBase = kLanguageBaseChinese;
    m_bHomeEdition = ToBool(GetEditionKind() == 1);
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
    std::string path = m_shell.ProgramDirectory();
    if (!path.empty())
        path += '\\';
    path += kHelpFileName;
    if (m_shell.Execute("open", path, {}, {}, kShowNormal) <= 32) {
        m_prompt.Beep();
        m_prompt.Show("對不起，在執行目錄找不到說明檔        [Veilmark.chm]", kPromptOk);
    }
}

void CMainDlg::BuildOptionTree()
{
    m_ctrlTree.DeleteAllItems();
    m_items.fill(nullptr);

    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.edition == Edition::NotHome && m_bHomeEdition)
            continue;
        const std::string label = LoadLabel(m_strings, m_nLanguageBase, entry.label);
        const TreeItem parent = Item(entry.parent);
        TreeItem item = nullptr;
        switch (entry.initial) {
        case InitialState::Expanded:
            item = m_ctrlTree.AddGroupItem(label, ImgGroup, nullptr);
            break;
        case InitialState::Checked:
            item = m_ctrlTree.AddCheckItem(label, parent, 1);
            break;
        case InitialState::ExpertLocked:
            item = m_ctrlTree.AddCheckItem(label, parent, 0);
            m_ctrlTree.SetCheckEnabled(item, 0);
            break;
        case InitialState::Selected:
        case InitialState::NotSelected:
            item = m_ctrlTree.AddRadioItem(label, parent, ToBool(entry.initial == InitialState::Selected));
            break;
        }
        m_items[static_cast<std::size_t>(entry.key)] = item;
    }

    // Groups are expanded once their children are in: a tree view does not
    // keep a childless item expanded.
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.kind == OptionKind::Group)
            m_ctrlTree.Expand(Item(entry.key));
    m_hFirstGroupItem = Item(OptionKey::MediaPlayerGroup);
}
