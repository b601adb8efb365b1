// Port: a tree-view control, as the option tree needs it.
// The Win32 adapter drives a real SysTreeView32; the in-memory one keeps
// the items in a vector so the option logic can be tested without windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// An item handle. Null names no item; a deleted item's handle names none either.
using TreeItem = struct TreeItemOpaque*;
// An image list created from a bitmap resource; null when creation failed.
using ImageListHandle = struct ImageListOpaque*;

struct TreePoint {
    int x = 0;
    int y = 0;
};

// A rectangle in the tree's client coordinates.
struct TreeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Hit-test flags, with the values the Win32 tree view uses.
enum TreeHitFlags : unsigned {
    kTreeHitNowhere = 0x01,
    kTreeHitOnIcon = 0x02,
    kTreeHitOnLabel = 0x04,
    kTreeHitOnIndent = 0x08,
    kTreeHitOnButton = 0x10,
    kTreeHitOnRight = 0x20,
    kTreeHitOnStateIcon = 0x40,
};

// An editor window over the tree: a drop-down list or a text box, a child
// of the tree with the tree's font. The window goes with this object.
class IEditorWindow {
public:
    IEditorWindow() = default;
    IEditorWindow(const IEditorWindow&) = delete;
    IEditorWindow& operator=(const IEditorWindow&) = delete;
    virtual ~IEditorWindow() = default;

    // The window's text; for a drop-down list, the selected entry's, empty
    // when none is selected.
    virtual std::string Text() const = 0;
    // Selects the first entry of a drop-down list whose text begins with
    // `prefix`, case ignored, searching the whole list.
    virtual void SelectString(std::string_view prefix) = 0;
};

enum class EditorKind { DropDown, Text };

// Receives the tree's messages before the tree handles them. The input
// handlers pass a message on to the tree's own handling with
// ITreeView::Default; the others run before it, which always follows.
class ITreeMessageHandler {
public:
    virtual void OnLButtonDown(unsigned keyFlags, TreePoint point) = 0;
    virtual void OnChar(unsigned charCode, unsigned repeatCount, unsigned keyFlags) = 0;
    // The caret item moved (the tree's own TVN_SELCHANGED).
    virtual void OnSelChanged(TreeItem oldItem, TreeItem newItem) = 0;
    // The tree was clicked (its own NM_CLICK, once the button is released).
    virtual void OnClick() = 0;
    // The tree's window is being destroyed (WM_DESTROY).
    virtual void OnDestroy() = 0;
    // The tree is scrolled by its scroll bars (WM_VSCROLL, WM_HSCROLL).
    virtual void OnVScroll() = 0;
    virtual void OnHScroll() = 0;

protected:
    ~ITreeMessageHandler() = default;
};

class ITreeView {
public:
    ITreeView() = default;
    ITreeView(const ITreeView&) = delete;
    ITreeView& operator=(const ITreeView&) = delete;
    virtual ~ITreeView() = default;

    // Appends an item as the last child of `parent` (null: top level),
    // with `image` as both its normal and its selected image.
    virtual TreeItem InsertItem(std::string_view text, TreeItem parent, int image) = 0;
    virtual bool DeleteAllItems() = 0;
    virtual bool SetItemData(TreeItem item, std::uintptr_t data) = 0;
    virtual bool GetItemImage(TreeItem item, int& image) const = 0;
    // Writes the normal and the selected image together.
    virtual bool SetItemImage(TreeItem item, int image) = 0;
    virtual std::string GetItemText(TreeItem item) const = 0;
    virtual bool SetItemText(TreeItem item, std::string_view text) = 0;
    // The item's data word; 0 for an item that does not exist.
    virtual std::uintptr_t GetItemData(TreeItem item) const = 0;
    // The rectangle of the item's text; false when the item is not shown.
    virtual bool GetItemTextRect(TreeItem item, TreeRect& rect) const = 0;

    virtual TreeItem GetParentItem(TreeItem item) const = 0;
    // The first child of `parent`; with null, the first top-level item.
    virtual TreeItem GetChildItem(TreeItem parent) const = 0;
    virtual TreeItem GetNextSiblingItem(TreeItem item) const = 0;

    // The caret item: the tree's current, selected item.
    virtual TreeItem GetSelectedItem() const = 0;
    virtual bool SelectItem(TreeItem item) = 0;
    virtual bool Expand(TreeItem item) = 0;
    virtual bool IsExpanded(TreeItem item) const = 0;

    // The item under a point in client coordinates, and where on it.
    virtual TreeItem HitTest(TreePoint point, unsigned& flags) const = 0;
    // Pauses (false) and resumes (true) the drawing of the tree. Pauses
    // nest: the tree lays itself out and draws again when the outermost one
    // ends, so a pass over many items can hold the drawing of the smaller
    // changes within it.
    virtual void SetRedraw(bool redraw) = 0;

    // Routes the tree's input messages to `handler` (null: none).
    virtual void SetMessageHandler(ITreeMessageHandler* handler) = 0;
    // Passes the message being handled on to the tree's own handling.
    virtual void Default() = 0;
    // Where the cursor was when the message being handled was sent, in
    // client coordinates.
    virtual TreePoint MessageCursorPoint() const = 0;

    // Opens an editor window over the tree with `style`, `rect`, control id
    // `id` and, for a text box, the initial `text`; null when it cannot be made.
    virtual std::unique_ptr<IEditorWindow> CreateEditor(EditorKind kind, std::uint32_t style, TreeRect rect, int id,
                                                        std::string_view text) = 0;

    virtual ImageListHandle LoadImageList(unsigned bitmapId, int imageWidth, int grow,
                                          std::uint32_t maskRgb) = 0;
    virtual void SetNormalImageList(ImageListHandle images) = 0;
    virtual void DestroyImageList(ImageListHandle images) = 0;
};
