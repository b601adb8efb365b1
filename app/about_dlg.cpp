#include "app/about_dlg.h"

#include <iterator>

#include "res/resource.h"
#include "res/version.h"

namespace {

// Each line at most 37 double-width characters, as the text control is wide.
constexpr const char* kAboutLines[] = {
    (VEILMARK_PRODUCT " " VEILMARK_VERSION_SHOWN " 版　(C) 2001　舒維默"),
    "",
    "若本程式無法在您的電腦上正常運作，作者無法提供任何保證，",
    "因為這只是一個人獨力完成的作品。本工具將永遠免費提供。",
    "若有任何問題，歡迎來信：author@veilmark.example.org",
    "",
    "感謝「靜湖軟體論壇」的所有朋友，沒有你們就沒有這個程式。",
    ("最新版本請至作者網站：" VEILMARK_HOME_PAGE),
    "",
    "謹以本程式獻給我的好友梁子齊，他也是我第一位程式設計老師，",
    "一位真正的智者。",
    "",
    "本程式以 C++ 與 MinGW-w64 寫成。祝您使用愉快！",
};

}  // namespace

std::string CAboutDlg::AboutText()
{
    std::string text;
    for (std::size_t i = 0; i < std::size(kAboutLines); ++i) {
        if (i > 0)
            text += '\n';
        text += kAboutLines[i];
    }
    return text + std::string(162, ' ');
}

int CAboutDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_ABOUT, *this);
}

BOOL CAboutDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_ABOUT_TEXT, AboutText());
    return 1;
}
