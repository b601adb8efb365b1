#include "actions/user_manager.h"

#include "actions/user_admin_dlg.h"

namespace actions {

void OpenUserManager(const ActionServices& services)
{
    // By its full path: an lusrmgr.msc in the current folder must not open.
    const auto console =
        services.shell.Launch(JoinPath(services.folders.SystemDirectory(), "lusrmgr.msc"), {}, {}, kShowNormal);
    CUserAdminDlg guidance(services.dialogs);
    guidance.DoModal();
}

}  // namespace actions
