#include "app/main_dlg.h"

#include "app/language.h"
#include "treeopts/state_image.h"

CMainDlg::CMainDlg(const IStringTable& strings, IRegistry& registry)
    : m_strings(strings), m_registry(registry)
{
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
