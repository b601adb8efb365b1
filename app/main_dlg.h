// CMainDlg: the main dialog. It owns the option tree and the handle of every
// option's item; the passes over the options and the handlers of the
// dialog's commands are its member operations. It reaches the window, the
// registry, the user and the shell through the ports it is given.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/main_window.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/string_table.h"
#include "platform/tree_view.h"
#include "platform/version_info.h"
#include "settings/catalogue.h"
#include "treeopts/tree_options_ctrl.h"

// What the dialog works with, all owned by its creator.
struct MainDlgServices {
    const IStringTable& strings;
    IRegistry& registry;
    IPrompt& prompt;
    IShell& shell;
    const IVersionInfo& version;
};

inline constexpr unsigned kMainDialogTemplateId = 202;
inline constexpr unsigned kMainMenuId = 243;
inline constexpr unsigned kAppIconId = 245;
inline constexpr std::string_view kMainDialogTitle = "Veilmark V3.13";
inline constexpr std::string_view kHelpFileName = "Veilmark.chm";

// The dialog's command ids, as the menu sends them.
enum MainDlgCommand : unsigned {
    kCmdAbout = 40003,
    kCmdCheckSystemStatus = 40005,
    kCmdResetSystemStatus = 40006,
    kCmdExpertSettings = 40007,
    kCmdRecommendedSettings = 40008,
    kCmdHelpIndex = 40012,
    kCmdSetTimeServer = 40013,
};

class CMainDlg {
public:
    explicit CMainDlg(const MainDlgServices& services);
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    CTreeOptionsCtrl& Tree() { return m_ctrlTree; }
    TreeItem Item(OptionKey key) const { return m_items[static_cast<std::size_t>(key)]; }
    TreeItem FirstGroupItem() const { return m_hFirstGroupItem; }
    std::int32_t LanguageBase() const { return m_nLanguageBase; }
    std::int32_t HomeEdition() const { return m_bHomeEdition; }

    void SetLanguageBase(std::int32_t languageBase) { m_nLanguageBase = languageBase; }
    void SetHomeEdition(std::int32_t homeEdition) { m_bHomeEdition = homeEdition ? 1 : 0; }

    // Sets the dialog up on its freshly created window: binds the controls,
    // checks the platform, attaches the menu and the title, builds the tree
    // and shows the system's status on it. Returns 1: the focus goes to the
    // first tab stop.
    BOOL OnInitDialog(IMainWindow& window);

    // 1 when the system is not Windows XP and the user chose to close the
    // program; otherwise 0.
    std::int32_t CheckProductName();
    // 1: home edition; 2: single-user terminal services alone; -1: any other
    // suite mask; 0: the version query failed.
    std::int32_t GetEditionKind();

    // Runs the handler of a command from the menu or a button; false when
    // the dialog has none, leaving the command to the dialog's defaults.
    bool OnCommand(unsigned commandId);

    // Opens the help file from the program's directory; tells the user when
    // it cannot be opened.
    void OnHelpIndex();

    // Replaces the tree's content with every option in its initial state and
    // records the item handles; on the home edition RemoveSupportUsers is left out.
    void BuildOptionTree();

    // Reads the value behind every tested option and shows its state in the
    // tree: already switched off (image 5) or still active (image 12).
    void CheckSystemStatus();
    // 1: the value is present and equals the expected number or text;
    // 0: present and different (or a text test without an expected text);
    // 2: the key cannot be opened or the value cannot be read.
    std::int32_t TestRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                   std::uint32_t testType, std::uint32_t expectedNumber,
                                   const char* expectedText);

    // Sets a value in an existing key and reads it back. Returns 0 when the
    // value reads back as written, else 1; the result code and its line are
    // kept in LastWrite() until the next write.
    std::int32_t WriteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                    const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                                    std::int32_t labelNumber);
    // 0 when the value or subkey was deleted; 1 when the key could not be
    // opened or the delete failed.
    std::int32_t DeleteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    std::int32_t DeleteRegistryKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey);

    // Menu commands on the settings as a whole.
    void OnResetSystemStatus();
    void RestoreDefaults();
    void OnExpertSettings();
    void OnRecommendedSettings();

    // The outcome of the last WriteRegistryValue: its code (0, 1, 3, 4 or 5)
    // and the result line, "%s" standing for the written value's name.
    struct WriteResult {
        std::int32_t code = 0;
        std::string line;
    };
    const WriteResult& LastWrite() const { return m_lastWrite; }

private:
    // Why a value that the restore could not delete is still there: 0 when
    // it is not there at all, else the result code to report (1 or 3).
    std::int32_t DeleteFailureCode(RegistryRoot root, std::string_view keyPath, std::string_view valueName);

    const IStringTable& m_strings;
    IRegistry& m_registry;
    IPrompt& m_prompt;
    IShell& m_shell;
    const IVersionInfo& m_version;
    IMainWindow* m_window = nullptr;  // set by OnInitDialog

    CTreeOptionsCtrl m_ctrlTree;
    std::int32_t m_nLanguageBase = 0;
    std::int32_t m_bHomeEdition = 0;
    TreeItem m_hFirstGroupItem = nullptr;
    std::array<TreeItem, kOptionCount> m_items{};
    WriteResult m_lastWrite;
};

// The result line of a write: the code's format with `text` for "%s".
std::string WriteResultLine(std::int32_t code, std::string_view text);
