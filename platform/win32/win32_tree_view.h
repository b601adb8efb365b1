// The tree-view port on a real SysTreeView32 control. The control is
// subclassed so that its input messages reach the message handler first;
// whatever the handler passes on goes to the control's own window procedure.
#pragma once

#include <unordered_set>

#include "platform/tree_view.h"
#include "platform/win32/framework/subclassed_window.h"
#include "platform/win32/win32.h"

class Win32TreeView final : public ITreeView, private SubclassedWindow {
public:
    Win32TreeView(HWND tree, HINSTANCE resources);
    ~Win32TreeView() override;

    HWND Handle() const { return m_tree; }

    TreeItem InsertItem(std::string_view text, TreeItem parent, int image) override;
    bool DeleteAllItems() override;
    bool SetItemData(TreeItem item, std::uintptr_t data) override;
    bool GetItemImage(TreeItem item, int& image) const override;
    bool SetItemImage(TreeItem item, int image) override;
    std::string GetItemText(TreeItem item) const override;
    bool SetItemText(TreeItem item, std::string_view text) override;
    std::uintptr_t GetItemData(TreeItem item) const override;
    bool GetItemTextRect(TreeItem item, TreeRect& rect) const override;
    TreeItem GetParentItem(TreeItem item) const override;
    TreeItem GetChildItem(TreeItem parent) const override;
    TreeItem GetNextSiblingItem(TreeItem item) const override;
    TreeItem GetSelectedItem() const override;
    bool SelectItem(TreeItem item) override;
    bool Expand(TreeItem item) override;
    bool IsExpanded(TreeItem item) const override;
    TreeItem HitTest(TreePoint point, unsigned& flags) const override;
    void SetRedraw(bool redraw) override;
    void SetMessageHandler(ITreeMessageHandler* handler) override;
    void Default() override;
    TreePoint MessageCursorPoint() const override;
    std::unique_ptr<IEditorWindow> CreateEditor(EditorKind kind, std::uint32_t style, TreeRect rect, int id,
                                                std::string_view text) override;
    ImageListHandle LoadImageList(unsigned bitmapId, int imageWidth, int grow,
                                  std::uint32_t maskRgb) override;
    void SetNormalImageList(ImageListHandle images) override;
    void DestroyImageList(ImageListHandle images) override;

private:
    // The tree's left button presses and characters go to the handler, its
    // destruction and scrolling too, before the tree's own handling.
    MessageResult OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The tree's own selection change and click, which it sends its parent.
    MessageResult OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Only handles this adapter inserted, and not yet deleted, are passed to
    // the control: comctl32 does not check handles and may crash on a stale one.
    bool Names(TreeItem item) const { return item && m_items.count(item) != 0; }
    TreeItem Known(HTREEITEM item) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HWND m_tree;
    HINSTANCE m_resources;
    ITreeMessageHandler* m_handler = nullptr;
    std::unordered_set<TreeItem> m_items;
    int m_redrawPauses = 0;  // see ITreeView::SetRedraw
};
