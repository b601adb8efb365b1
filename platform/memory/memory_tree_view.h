// An in-memory tree view: real items in a vector, laid out in rows as the
// program's tree lays them out (no expand buttons, no lines), and a record
// of what the tree's own handling was asked to do. tests/tree_view_contract.h
// holds it to the real control.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/tree_view.h"

class MemoryTreeView final : public ITreeView {
public:
    // Where on an item's row a point lies (see HitTest).
    enum class Zone { Indent, Icon, Label, Right };

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
    TreePoint MessageCursorPoint() const override { return m_messagePoint; }
    std::unique_ptr<IEditorWindow> CreateEditor(EditorKind kind, std::uint32_t style, TreeRect rect, int id,
                                                std::string_view text) override;
    ImageListHandle LoadImageList(unsigned bitmapId, int imageWidth, int grow,
                                  std::uint32_t maskRgb) override;
    void SetNormalImageList(ImageListHandle images) override;
    void DestroyImageList(ImageListHandle images) override;

    // Input as a user gives it: the handler sees it first, and whatever it
    // passes on is handled as a real tree does. A press reports the click,
    // then makes the item under it the caret item when it lands on the
    // item's icon or label; a character selects the next shown item whose
    // text begins with it. (A real tree joins characters typed in quick
    // succession into one search; here each one searches anew.)
    void Click(TreePoint point);
    void PressChar(unsigned charCode);
    // The scroll bars used, and the window destroyed, as a real tree reports them.
    void Scroll(bool vertical);
    void DestroyWindow();

    // An editor window opened over the tree, as the test finds and types into it.
    struct Editor {
        EditorKind kind;
        std::uint32_t style;
        TreeRect rect;  // as asked for
        int id;
        std::string text;                  // a text box's text
        std::vector<std::string> entries;  // a drop-down list's entries
        int selected = -1;
        bool alive = true;
    };
    std::deque<Editor>& Editors() { return m_editors; }
    int OpenEditors() const;
    // A point on `item`'s row, in the given zone; {-1,-1} when not shown.
    TreePoint PointOn(TreeItem item, Zone zone) const;
    // A point below the last shown row.
    TreePoint PointBelowItems() const;

    // What the tree holds and was asked, for tests to inspect.
    std::size_t ItemCount() const;
    // Messages passed on to the tree's own handling.
    int DefaultCalls() const { return m_defaultCalls; }
    bool IsRedrawOn() const { return m_redraw; }
    int RedrawOffCount() const { return m_redrawOffCount; }
    // Images written while redrawing was on.
    int VisibleImageWrites() const { return m_visibleImageWrites; }
    unsigned LoadedBitmapId() const { return m_loadedBitmapId; }
    std::uint32_t LoadedMaskRgb() const { return m_loadedMask; }
    ImageListHandle NormalImageList() const { return m_normalImageList; }
    int LiveImageLists() const { return m_liveImageLists; }
    void FailImageListLoads(bool fail) { m_failImageLists = fail; }

private:
    // Row geometry used by HitTest: each shown item is one row; a row holds
    // its indentation (one step per level), the item's image, its label and
    // the space to the right.
    static constexpr int kRowHeight = 16;
    static constexpr int kIndent = 19;
    static constexpr int kImageWidth = 16;
    static constexpr int kCharWidth = 6;

    struct Node {
        std::string text;
        std::size_t parent = 0;  // id; 0 for a top-level item
        int image = 0;
        std::uintptr_t data = 0;
        bool expanded = false;
        bool alive = true;
    };
    enum class Message { None, LButtonDown, Char };

    const Node* Find(TreeItem item) const;
    Node* Find(TreeItem item);
    std::size_t IdOf(TreeItem item) const;
    static TreeItem HandleOf(std::size_t id);
    bool HasChildren(std::size_t id) const;
    int Level(std::size_t id) const;
    int LabelWidth(std::size_t id) const;
    std::vector<std::size_t> VisibleRows() const;
    void AppendVisible(std::size_t parent, std::vector<std::size_t>& rows) const;
    void SelectByFirstCharacter(unsigned charCode);

    std::vector<Node> m_nodes;  // id n is m_nodes[n - 1]
    std::deque<Editor> m_editors;
    std::size_t m_selected = 0;
    ITreeMessageHandler* m_handler = nullptr;
    Message m_message = Message::None;
    TreePoint m_messagePoint;
    unsigned m_messageChar = 0;
    int m_defaultCalls = 0;
    bool m_redraw = true;
    int m_redrawPauses = 0;
    int m_redrawOffCount = 0;
    int m_visibleImageWrites = 0;
    unsigned m_loadedBitmapId = 0;
    std::uint32_t m_loadedMask = 0;
    ImageListHandle m_normalImageList = nullptr;
    int m_liveImageLists = 0;
    std::uintptr_t m_nextImageList = 1;
    bool m_failImageLists = false;
};
