// CTreeOptionsCtrl: a tree whose items act as group headings, check boxes
// and radio buttons. Each item's whole state is its image index (see
// state_image.h); the control keeps nothing else per item. An item whose
// data names an editor class gets an in-place editor for the value behind
// its label (tree_options_editors.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/tree_view.h"
#include "platform/types.h"
#include "res/resource.h"
#include "treeopts/tree_options_combo.h"
#include "treeopts/tree_options_edit.h"

class CTreeOptionsCtrl final : private ITreeMessageHandler {
public:
    static constexpr std::uint32_t kTransparentRgb = 0xFF00FF;  // magenta

    CTreeOptionsCtrl() = default;
    CTreeOptionsCtrl(const CTreeOptionsCtrl&) = delete;
    CTreeOptionsCtrl& operator=(const CTreeOptionsCtrl&) = delete;
    ~CTreeOptionsCtrl();

    // Binds the control to its tree view: routes the tree's input here and
    // installs the state images. Until then every item operation fails.
    void Attach(std::unique_ptr<ITreeView> view);
    ITreeView* View() const { return m_view.get(); }

    TreeItem AddGroupItem(std::string_view text, int image, TreeItem parent);
    TreeItem AddCheckItem(std::string_view text, TreeItem parent, BOOL ticked);
    TreeItem AddRadioItem(std::string_view text, TreeItem parent, BOOL selected);

    BOOL SetCheckState(TreeItem item, BOOL ticked);
    BOOL SetCheckEnabled(TreeItem item, BOOL enable);
    BOOL IsChecked(TreeItem item, BOOL& ticked) const;
    BOOL IsCheckEnabled(TreeItem item, BOOL& enabled) const;
    BOOL IsCheckItem(TreeItem item) const;
    BOOL IsRadioItem(TreeItem item) const;

    BOOL SelectRadio(TreeItem item);
    BOOL SelectRadioByIndex(TreeItem parent, std::int32_t position);
    BOOL IsRadioSelected(TreeItem item, BOOL& selected) const;
    BOOL IsRadioEnabled(TreeItem item, BOOL& enabled) const;
    BOOL SetRadioEnabled(TreeItem item, BOOL enable);

    // The tree's own operations that callers use directly.
    BOOL SetItemImage(TreeItem item, int image);
    BOOL GetItemImage(TreeItem item, int& image) const;
    BOOL SelectItem(TreeItem item);
    BOOL DeleteAllItems();
    // Pauses (FALSE) and resumes (TRUE) the drawing of the tree; pauses nest.
    void SetRedraw(BOOL redraw);
    BOOL Expand(TreeItem item);

    // The in-place editors. An item's text is "label: value"; the first
    // ": " separates the two.
    // The value; the item's text is cut back to the label and ": ".
    std::string GetValueText(TreeItem item);
    // Appends the value to the item's text, adding ": " first when missing.
    void SetValueText(TreeItem item, std::string_view value);
    // Records the item as the edited one and opens the editor its data names.
    void CreateEditor(TreeItem item);
    // Writes the open editor's text back behind the edited item's label.
    void CommitEditor();
    // Closes both editors and forgets the edited item.
    void DestroyEditors();
    TreeItem EditedItem() const { return m_hEditedItem; }
    CTreeOptionsCombo* ComboEditor() const { return m_pComboEditor.get(); }
    CTreeOptionsEdit* EditEditor() const { return m_pEditEditor.get(); }

    // The tree's messages, as the tree view routes them here.
    void OnLButtonDown(unsigned keyFlags, TreePoint point) override;
    void OnChar(unsigned charCode, unsigned repeatCount, unsigned keyFlags) override;
    void OnSelChanged(TreeItem oldItem, TreeItem newItem) override;
    void OnClick() override;
    void OnDestroy() override;
    void OnVScroll() override;
    void OnHScroll() override;

private:
    // Runs when the control is bound to its window: installs the image strip.
    void PreSubclassWindow();
    // Applies one user toggle to `item`; false when the item takes no input.
    bool ToggleByUser(TreeItem item);
    // The radio walk over the children of `parent`: the child for which
    // `isChosen` holds becomes selected, enabled radios become unselected,
    // every other child becomes image 5.
    template <typename IsChosen>
    void WalkRadioGroup(TreeItem parent, IsChosen isChosen);
    bool TestImage(TreeItem item, bool (*predicate)(int), BOOL& out) const;
    // The first steps of opening an editor: the item's text cut back to its
    // label (its value returned), the editor that `record` names made and
    // tied to this tree, and its place right of the label.
    template <typename Editor>
    std::unique_ptr<Editor> PrepareEditor(TreeItem item, const RuntimeClass& record, std::string& value,
                                          TreeRect& place);

    std::unique_ptr<ITreeView> m_view;
    ImageListHandle m_imageList = nullptr;
    unsigned m_nBitmapId = IDB_STATE_IMAGES;
    // After the view: the editors' windows go first.
    std::unique_ptr<CTreeOptionsCombo> m_pComboEditor;
    std::unique_ptr<CTreeOptionsEdit> m_pEditEditor;
    TreeItem m_hEditedItem = nullptr;
};
