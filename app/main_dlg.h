// CMainDlg: the main dialog. It holds the dialog's state (the option tree,
// the item of every option, the language base, the Home-edition flag) and
// runs the dialog's commands; the passes over the options live in settings/
// and each member that the program's design names for a pass hands its work
// to them. It reaches the window, the registry, the user and the shell
// through the ports it is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/hot_static.h"
#include "app/option_tree.h"
#include "platform/host_machine.h"
#include "platform/main_window.h"
#include "platform/string_table.h"
#include "platform/target_system.h"
#include "platform/tree_view.h"
#include "res/resource.h"
#include "res/version.h"
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/catalogue.h"
#include "settings/labels.h"
#include "settings/registry_ops.h"
#include "treeopts/tree_options_ctrl.h"

// What the dialog works with, all owned by its creator: the system it
// changes, the machine it runs on with the user at it, and the user's language.
struct MainDlgServices {
    const IStringTable& strings;
    TargetSystem target;
    HostMachine host;
    Language language;
};

// The outcome of a write as the registry writer tells it: its result code
// (0, 1, 3, 4 or 5) and its result line, "%s" standing for the written
// value's name.
struct WriteResult {
    std::int32_t code = 0;
    std::string line;
};

inline constexpr std::string_view kMainDialogTitle = VEILMARK_TITLE;
inline constexpr std::string_view kHomePage = VEILMARK_HOME_PAGE;

class CMainDlg final {
public:
    explicit CMainDlg(const MainDlgServices& services);
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    CTreeOptionsCtrl& Tree() { return m_ctrlTree; }
    CHotStatic& HomePageLink() { return m_stHomepage; }
    TreeItem Item(OptionKey key) const { return m_items.Of(key); }
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

    // The passes over the options (settings/).
    void BuildOptionTree();
    void CheckSystemStatus();
    // The registry test result: 1 (present and equal), 0 (present and
    // different), 2 (the key or the value cannot be read).
    std::int32_t TestRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                   std::uint32_t testType, std::uint32_t expectedNumber,
                                   const char* expectedText);
    // Sets the value and reads it back: 0 when it reads back as written,
    // else 1. LastWrite() tells the result code.
    std::int32_t WriteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                    const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                                    std::int32_t labelNumber);
    // 0 when deleted; 1 when the key would not open or the delete failed.
    std::int32_t DeleteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    std::int32_t DeleteRegistryKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey);
    // The outcome of the last WriteRegistryValue, its line made now, in
    // Chinese as the writer has always made it (nothing shows it but this).
    WriteResult LastWrite() const;

    // Runs the about box.
    void OnAbout();
    // The legend first, then the status check, however the legend was closed.
    void OnCheckSystemStatus();
    // Runs the time server dialog.
    void OnSetTimeServer();

    // Menu commands on the settings as a whole.
    void OnResetSystemStatus();
    void RestoreDefaults();
    void OnExpertSettings();
    void OnRecommendedSettings();

    // The Start button: applies every selected option, offers the status
    // check, and turns itself into a button that closes the program.
    void OnStart();

    // The system actions (actions/).
    void RemoveMessenger();
    void ConfigureMediaPlayer();
    void OpenUserManager();

private:
    OptionLabels Labels() const { return {m_strings, m_nLanguageBase}; }
    Language UiLanguage() const { return LanguageOf(m_nLanguageBase); }
    // Saves the backup of what a pass is about to change; when it cannot be
    // saved, says so and returns false: the pass must not start.
    bool BackUp(const std::vector<settings::BackupTarget>& targets, std::string_view pass);

    const IStringTable& m_strings;
    const Language m_language;  // the language base's, once initialised
    const TargetSystem m_target;
    const HostMachine m_host;
    RegistryOps m_registryOps;
    settings::BackupStore m_backups;
    IMainWindow* m_window = nullptr;  // from OnInitDialog on
    WriteCode m_lastWriteCode = WriteCode::Done;
    std::int32_t m_lastWriteLabel = -1;

    CTreeOptionsCtrl m_ctrlTree;
    std::int32_t m_nLanguageBase = 0;
    CHotStatic m_stHomepage;
    std::int32_t m_bHomeEdition = 0;
    TreeItem m_hFirstGroupItem = nullptr;
    OptionItems m_items;
};
