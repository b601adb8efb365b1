// CMainDlg: the main dialog. It owns the option tree and the handle of every
// option's item; the passes over the options are its member operations.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/registry.h"
#include "platform/string_table.h"
#include "platform/tree_view.h"
#include "settings/catalogue.h"
#include "treeopts/tree_options_ctrl.h"

class CMainDlg {
public:
    CMainDlg(const IStringTable& strings, IRegistry& registry);
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    CTreeOptionsCtrl& Tree() { return m_ctrlTree; }
    TreeItem Item(OptionKey key) const { return m_items[static_cast<std::size_t>(key)]; }
    TreeItem FirstGroupItem() const { return m_hFirstGroupItem; }
    std::int32_t LanguageBase() const { return m_nLanguageBase; }
    std::int32_t HomeEdition() const { return m_bHomeEdition; }

    void SetLanguageBase(std::int32_t languageBase) { m_nLanguageBase = languageBase; }
    void SetHomeEdition(std::int32_t homeEdition) { m_bHomeEdition = homeEdition ? 1 : 0; }

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

private:
    const IStringTable& m_strings;
    IRegistry& m_registry;
    CTreeOptionsCtrl m_ctrlTree;
    std::int32_t m_nLanguageBase = 0;
    std::int32_t m_bHomeEdition = 0;
    TreeItem m_hFirstGroupItem = nullptr;
    std::array<TreeItem, kOptionCount> m_items{};
};
