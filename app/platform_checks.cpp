// The two platform checks of the start-up: is this Windows XP, and which edition.
#include <string>

#include "app/main_dlg.h"
#include "lang/texts.h"
#include "settings/platform_facts.h"

std::int32_t CMainDlg::CheckProductName()
{
    // With full access, as the check has always opened the key: a name that
    // cannot be read tells nothing about the system, so no warning.
    const std::optional<std::string> name = ProductName(m_target.registry, kKeyAllAccess);
    if (!name || NamesWindowsXp(*name))
        return 0;
    const std::string warning = Text(TextId::NotWindowsXp, m_language, {*name});
    return ToBool(m_host.prompt.Show(warning, kPromptYesNo | kPromptIconWarning) == kAnswerYes);
}

std::int32_t CMainDlg::GetEditionKind()
{
    switch (EditionOf(m_target.version)) {
    case WindowsEdition::Home:
        return 1;
    case WindowsEdition::Professional:
        return 2;
    case WindowsEdition::Other:
        return -1;
    case WindowsEdition::Unknown:
        break;
    }
    return 0;
}
