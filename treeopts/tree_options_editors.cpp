// The in-place editors of the option tree: an item "label: value" shows its
// value in an editor right of the label while it is the selected item; the
// editor's text goes back behind the label when the selection moves on or
// the tree scrolls.
#include <memory>

#include "treeopts/tree_options_combo.h"
#include "treeopts/tree_options_ctrl.h"
#include "treeopts/tree_options_edit.h"

const RuntimeClass CTreeOptionsCombo::classCTreeOptionsCombo{"CTreeOptionsCombo", &CreateInstance<CTreeOptionsCombo>,
                                                             nullptr};
const RuntimeClass CTreeOptionsEdit::classCTreeOptionsEdit{"CTreeOptionsEdit", &CreateInstance<CTreeOptionsEdit>,
                                                           nullptr};

namespace {

constexpr std::string_view kSeparator = ": ";
constexpr int kEditorId = 100;
// A click opens an editor on the item's icon or label only.
constexpr unsigned kEditorHitMask = kTreeHitOnIcon | kTreeHitOnLabel | kTreeHitOnStateIcon;

// An instance of the class `record` names, when it is an `Editor`.
template <typename Editor>
std::unique_ptr<Editor> MakeEditor(const RuntimeClass& record)
{
    std::unique_ptr<CObject> object(record.CreateObject());
    auto* editor = dynamic_cast<Editor*>(object.get());
    if (editor)
        object.release();
    return std::unique_ptr<Editor>(editor);
}

std::string WindowText(const std::unique_ptr<IEditorWindow>& window) { return window ? window->Text() : std::string(); }

}  // namespace

std::string CTreeOptionsCtrl::GetValueText(TreeItem item)
{
    if (!m_view)
        return {};
    const std::string text = m_view->GetItemText(item);
    const std::size_t separator = text.find(kSeparator);
    std::string label = text + std::string(kSeparator);
    std::string value;
    if (separator != std::string::npos) {
        label = text.substr(0, separator + kSeparator.size());
        value = text.substr(separator + kSeparator.size());
    }
    if (label != text)
        m_view->SetItemText(item, label);
    return value;
}

void CTreeOptionsCtrl::SetValueText(TreeItem item, std::string_view value)
{
    if (!m_view)
        return;
    std::string text = m_view->GetItemText(item);
    if (text.find(kSeparator) == std::string::npos) {
        text += kSeparator;
        m_view->SetItemText(item, text);
    }
    text += value;
    m_view->SetItemText(item, text);
}

template <typename Editor>
std::unique_ptr<Editor> CTreeOptionsCtrl::PrepareEditor(TreeItem item, const RuntimeClass& record, std::string& value,
                                                        TreeRect& place)
{
    value = GetValueText(item);
    TreeRect label;
    m_view->GetItemTextRect(item, label);
    std::unique_ptr<Editor> editor = MakeEditor<Editor>(record);
    if (editor) {
        editor->m_pOwnerTree = this;
        const int left = label.right + 2;
        place = {left, label.top, left + editor->GetEditorWidth(), label.bottom};
    }
    return editor;
}

void CTreeOptionsCtrl::CreateEditor(TreeItem item)
{
    m_hEditedItem = item;
    if (!m_view)
        return;
    const auto* record = reinterpret_cast<const RuntimeClass*>(m_view->GetItemData(item));
    if (!record)
        return;
    std::string value;
    TreeRect place;
    if (record->IsDerivedFrom(CTreeOptionsCombo::classCTreeOptionsCombo)) {
        m_pComboEditor = PrepareEditor<CTreeOptionsCombo>(item, *record, value, place);
        if (!m_pComboEditor)
            return;
        // Tall enough for the dropped list.
        place.bottom = place.top + m_pComboEditor->GetListHeight();
        m_pComboEditor->m_window =
            m_view->CreateEditor(EditorKind::DropDown, m_pComboEditor->GetEditorStyle(), place, kEditorId, {});
        if (m_pComboEditor->m_window)
            m_pComboEditor->m_window->SelectString(value);
    } else if (record->IsDerivedFrom(CTreeOptionsEdit::classCTreeOptionsEdit)) {
        m_pEditEditor = PrepareEditor<CTreeOptionsEdit>(item, *record, value, place);
        if (!m_pEditEditor)
            return;
        place.bottom += 5;
        m_pEditEditor->m_window =
            m_view->CreateEditor(EditorKind::Text, m_pEditEditor->GetEditorStyle(), place, kEditorId, value);
    }
}

void CTreeOptionsCtrl::CommitEditor()
{
    std::string text;
    if (m_pComboEditor)
        text = WindowText(m_pComboEditor->m_window);
    else if (m_pEditEditor)
        text = WindowText(m_pEditEditor->m_window);
    else
        return;
    SetValueText(m_hEditedItem, text);
}

void CTreeOptionsCtrl::DestroyEditors()
{
    m_pComboEditor.reset();
    m_pEditEditor.reset();
    m_hEditedItem = nullptr;
}

void CTreeOptionsCtrl::OnSelChanged(TreeItem /*oldItem*/, TreeItem newItem)
{
    if (m_hEditedItem) {
        CommitEditor();
        DestroyEditors();
    }
    if (m_view && m_view->GetItemData(newItem) != 0)
        CreateEditor(newItem);
}

void CTreeOptionsCtrl::OnClick()
{
    if (!m_view)
        return;
    unsigned flags = 0;
    const TreeItem item = m_view->HitTest(m_view->MessageCursorPoint(), flags);
    if ((flags & kEditorHitMask) && m_view->GetItemData(item) != 0 && !m_hEditedItem)
        CreateEditor(item);
}

void CTreeOptionsCtrl::OnDestroy()
{
    DestroyEditors();
}

void CTreeOptionsCtrl::OnVScroll()
{
    if (m_hEditedItem) {
        CommitEditor();
        DestroyEditors();
    }
}

void CTreeOptionsCtrl::OnHScroll()
{
    OnVScroll();
}
