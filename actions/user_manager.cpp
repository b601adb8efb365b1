#include "actions/user_manager.h"

#include "actions/user_admin_dlg.h"

namespace actions {

void OpenUserManager(const TargetSystem& target, const HostMachine& host, Language language)
{
    // By its full path: an lusrmgr.msc in the current folder must not open.
    const auto console =
        host.shell.Launch(JoinPath(target.folders.SystemDirectory(), "lusrmgr.msc"), {}, {}, kShowNormal);
    CUserAdminDlg guidance(host.dialogs, language);
    guidance.DoModal();
}

}  // namespace actions
