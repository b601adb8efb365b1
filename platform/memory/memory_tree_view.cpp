#include "platform/memory/memory_tree_view.h"

#include <algorithm>
#include <utility>

#include "platform/utf8.h"

namespace {

// An editor window that lives in the tree's record of editors.
class MemoryEditorWindow final : public IEditorWindow {
public:
    MemoryEditorWindow(std::deque<MemoryTreeView::Editor>& editors, std::size_t index)
        : m_editors(editors), m_index(index)
    {
    }
    ~MemoryEditorWindow() override { Mine().alive = false; }

    std::string Text() const override
    {
        const MemoryTreeView::Editor& editor = m_editors[m_index];
        if (editor.kind == EditorKind::Text)
            return editor.text;
        return editor.selected >= 0 ? editor.entries[static_cast<std::size_t>(editor.selected)] : std::string();
    }
    void SelectString(std::string_view prefix) override
    {
        for (std::size_t i = 0; i < Mine().entries.size(); ++i) {
            if (StartsWithIgnoringCase(Mine().entries[i], prefix)) {
                Mine().selected = static_cast<int>(i);
                return;
            }
        }
    }

private:
    MemoryTreeView::Editor& Mine() { return m_editors[m_index]; }

    std::deque<MemoryTreeView::Editor>& m_editors;
    std::size_t m_index;
};

}  // namespace

std::size_t MemoryTreeView::IdOf(TreeItem item) const
{
    return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(item));
}

TreeItem MemoryTreeView::HandleOf(std::size_t id)
{
    return reinterpret_cast<TreeItem>(static_cast<std::uintptr_t>(id));
}

const MemoryTreeView::Node* MemoryTreeView::Find(TreeItem item) const
{
    const std::size_t id = IdOf(item);
    if (id == 0 || id > m_nodes.size() || !m_nodes[id - 1].alive)
        return nullptr;
    return &m_nodes[id - 1];
}

MemoryTreeView::Node* MemoryTreeView::Find(TreeItem item)
{
    return const_cast<Node*>(static_cast<const MemoryTreeView*>(this)->Find(item));
}

TreeItem MemoryTreeView::InsertItem(std::string_view text, TreeItem parent, int image)
{
    if (parent && !Find(parent))
        return nullptr;
    m_nodes.push_back(Node{std::string(text), IdOf(parent), image});
    return HandleOf(m_nodes.size());
}

bool MemoryTreeView::DeleteAllItems()
{
    // Ids are never reused, so the handles of deleted items name nothing.
    for (Node& node : m_nodes)
        node.alive = false;
    m_selected = 0;
    return true;
}

bool MemoryTreeView::SetItemData(TreeItem item, std::uintptr_t data)
{
    Node* node = Find(item);
    if (node)
        node->data = data;
    return node != nullptr;
}

bool MemoryTreeView::GetItemImage(TreeItem item, int& image) const
{
    const Node* node = Find(item);
    if (node)
        image = node->image;
    return node != nullptr;
}

bool MemoryTreeView::SetItemImage(TreeItem item, int image)
{
    Node* node = Find(item);
    if (!node)
        return false;
    node->image = image;
    if (m_redraw)
        ++m_visibleImageWrites;
    return true;
}

std::string MemoryTreeView::GetItemText(TreeItem item) const
{
    const Node* node = Find(item);
    return node ? node->text : std::string();
}

bool MemoryTreeView::SetItemText(TreeItem item, std::string_view text)
{
    Node* node = Find(item);
    if (node)
        node->text = text;
    return node != nullptr;
}

std::uintptr_t MemoryTreeView::GetItemData(TreeItem item) const
{
    const Node* node = Find(item);
    return node ? node->data : 0;
}

bool MemoryTreeView::GetItemTextRect(TreeItem item, TreeRect& rect) const
{
    const std::vector<std::size_t> rows = VisibleRows();
    const auto row = std::find(rows.begin(), rows.end(), IdOf(item));
    if (!Find(item) || row == rows.end())
        return false;
    const std::size_t id = IdOf(item);
    const int top = static_cast<int>(row - rows.begin()) * kRowHeight;
    const int left = Level(id) * kIndent + kImageWidth;
    rect = {left, top, left + LabelWidth(id), top + kRowHeight};
    return true;
}

std::unique_ptr<IEditorWindow> MemoryTreeView::CreateEditor(EditorKind kind, std::uint32_t style, TreeRect rect,
                                                            int id, std::string_view text)
{
    m_editors.push_back({kind, style, rect, id, std::string(text), {}, -1, true});
    return std::make_unique<MemoryEditorWindow>(m_editors, m_editors.size() - 1);
}

int MemoryTreeView::OpenEditors() const
{
    return static_cast<int>(std::count_if(m_editors.begin(), m_editors.end(), [](const Editor& e) { return e.alive; }));
}

TreeItem MemoryTreeView::GetParentItem(TreeItem item) const
{
    const Node* node = Find(item);
    return node ? HandleOf(node->parent) : nullptr;
}

TreeItem MemoryTreeView::GetChildItem(TreeItem parent) const
{
    if (parent && !Find(parent))
        return nullptr;
    const std::size_t parentId = IdOf(parent);
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].alive && m_nodes[i].parent == parentId)
            return HandleOf(i + 1);
    return nullptr;
}

TreeItem MemoryTreeView::GetNextSiblingItem(TreeItem item) const
{
    const Node* node = Find(item);
    if (!node)
        return nullptr;
    for (std::size_t i = IdOf(item); i < m_nodes.size(); ++i)
        if (m_nodes[i].alive && m_nodes[i].parent == node->parent)
            return HandleOf(i + 1);
    return nullptr;
}

TreeItem MemoryTreeView::GetSelectedItem() const { return Find(HandleOf(m_selected)) ? HandleOf(m_selected) : nullptr; }

bool MemoryTreeView::SelectItem(TreeItem item)
{
    const Node* node = Find(item);
    if (item && !node)
        return false;
    // The caret item is always shown: its parents are expanded for it.
    for (std::size_t parent = node ? node->parent : 0; parent != 0; parent = m_nodes[parent - 1].parent)
        m_nodes[parent - 1].expanded = true;
    const TreeItem old = GetSelectedItem();
    m_selected = IdOf(item);
    // A real tree reports every change of its caret item, also one made
    // by the program.
    if (old != item && m_handler)
        m_handler->OnSelChanged(old, item);
    return true;
}

bool MemoryTreeView::Expand(TreeItem item)
{
    // A tree view expands only an item that has children, and does not
    // remember the wish for children that come later.
    Node* node = Find(item);
    if (!node || !HasChildren(IdOf(item)))
        return false;
    node->expanded = true;
    return true;
}

bool MemoryTreeView::IsExpanded(TreeItem item) const
{
    const Node* node = Find(item);
    return node && node->expanded;
}

bool MemoryTreeView::HasChildren(std::size_t id) const
{
    return std::any_of(m_nodes.begin(), m_nodes.end(),
                       [id](const Node& n) { return n.alive && n.parent == id; });
}

int MemoryTreeView::LabelWidth(std::size_t id) const
{
    return kCharWidth * static_cast<int>(Utf16Length(m_nodes[id - 1].text));
}

int MemoryTreeView::Level(std::size_t id) const
{
    int level = 0;
    for (std::size_t p = m_nodes[id - 1].parent; p != 0; p = m_nodes[p - 1].parent)
        ++level;
    return level;
}

void MemoryTreeView::AppendVisible(std::size_t parent, std::vector<std::size_t>& rows) const
{
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (!m_nodes[i].alive || m_nodes[i].parent != parent)
            continue;
        rows.push_back(i + 1);
        if (m_nodes[i].expanded)
            AppendVisible(i + 1, rows);
    }
}

std::vector<std::size_t> MemoryTreeView::VisibleRows() const
{
    std::vector<std::size_t> rows;
    AppendVisible(0, rows);
    return rows;
}

TreeItem MemoryTreeView::HitTest(TreePoint point, unsigned& flags) const
{
    const std::vector<std::size_t> rows = VisibleRows();
    const int row = point.y / kRowHeight;
    if (point.y < 0 || point.x < 0 || row >= static_cast<int>(rows.size())) {
        flags = kTreeHitNowhere;
        return nullptr;
    }
    const std::size_t id = rows[row];
    const int iconStart = Level(id) * kIndent;
    const int labelStart = iconStart + kImageWidth;
    const int labelEnd = labelStart + LabelWidth(id);
    if (point.x < iconStart)
        flags = kTreeHitOnIndent;
    else if (point.x < labelStart)
        flags = kTreeHitOnIcon;
    else if (point.x < labelEnd)
        flags = kTreeHitOnLabel;
    else
        flags = kTreeHitOnRight;
    return HandleOf(id);
}

TreePoint MemoryTreeView::PointOn(TreeItem item, Zone zone) const
{
    const std::vector<std::size_t> rows = VisibleRows();
    const auto row = std::find(rows.begin(), rows.end(), IdOf(item));
    if (!Find(item) || row == rows.end())
        return {-1, -1};
    const std::size_t id = IdOf(item);
    const int y = static_cast<int>(row - rows.begin()) * kRowHeight + kRowHeight / 2;
    const int iconStart = Level(id) * kIndent;
    const int labelStart = iconStart + kImageWidth;
    switch (zone) {
    case Zone::Indent: return {iconStart - 1, y};
    case Zone::Icon: return {iconStart + kImageWidth / 2, y};
    case Zone::Label: return {labelStart + 1, y};
    case Zone::Right: return {labelStart + LabelWidth(id) + 50, y};
    }
    return {-1, -1};
}

TreePoint MemoryTreeView::PointBelowItems() const
{
    return {kIndent + 1, static_cast<int>(VisibleRows().size()) * kRowHeight + kRowHeight / 2};
}

void MemoryTreeView::SetRedraw(bool redraw)
{
    if (!redraw && m_redraw)
        ++m_redrawOffCount;
    m_redrawPauses = redraw ? std::max(0, m_redrawPauses - 1) : m_redrawPauses + 1;
    m_redraw = m_redrawPauses == 0;
}

void MemoryTreeView::SetMessageHandler(ITreeMessageHandler* handler) { m_handler = handler; }

void MemoryTreeView::Default()
{
    // A message reaches the tree's own handling once.
    const Message message = std::exchange(m_message, Message::None);
    if (message == Message::None)
        return;
    ++m_defaultCalls;
    if (message == Message::LButtonDown) {
        // The tree reports the click before it moves the caret.
        if (m_handler)
            m_handler->OnClick();
        unsigned flags = 0;
        const TreeItem item = HitTest(m_messagePoint, flags);
        if (flags & (kTreeHitOnIcon | kTreeHitOnLabel))
            SelectItem(item);
    } else {
        SelectByFirstCharacter(m_messageChar);
    }
}

void MemoryTreeView::SelectByFirstCharacter(unsigned charCode)
{
    if (charCode < 0x20)
        return;
    const std::string typed = Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(charCode)));
    // From the item after the caret item round to the caret item itself.
    const std::vector<std::size_t> rows = VisibleRows();
    const auto caret = std::find(rows.begin(), rows.end(), m_selected);
    const std::size_t start = caret == rows.end() ? 0 : static_cast<std::size_t>(caret - rows.begin()) + 1;
    for (std::size_t step = 0; step < rows.size(); ++step) {
        const std::size_t id = rows[(start + step) % rows.size()];
        if (StartsWithIgnoringCase(m_nodes[id - 1].text, typed)) {
            SelectItem(HandleOf(id));
            return;
        }
    }
}

void MemoryTreeView::Click(TreePoint point)
{
    m_message = Message::LButtonDown;
    m_messagePoint = point;
    if (m_handler)
        m_handler->OnLButtonDown(0, point);
    else
        Default();
    m_message = Message::None;
}

void MemoryTreeView::Scroll(bool vertical)
{
    if (!m_handler)
        return;
    if (vertical)
        m_handler->OnVScroll();
    else
        m_handler->OnHScroll();
}

void MemoryTreeView::DestroyWindow()
{
    if (m_handler)
        m_handler->OnDestroy();
    // The editors are the tree's child windows: they go with it.
    for (Editor& editor : m_editors)
        editor.alive = false;
}

void MemoryTreeView::PressChar(unsigned charCode)
{
    m_message = Message::Char;
    m_messageChar = charCode;
    if (m_handler)
        m_handler->OnChar(charCode, 1, 0);
    else
        Default();
    m_message = Message::None;
}

ImageListHandle MemoryTreeView::LoadImageList(unsigned bitmapId, int /*imageWidth*/, int /*grow*/,
                                              std::uint32_t maskRgb)
{
    m_loadedBitmapId = bitmapId;
    m_loadedMask = maskRgb;
    if (m_failImageLists)
        return nullptr;
    ++m_liveImageLists;
    return reinterpret_cast<ImageListHandle>(m_nextImageList++);
}

void MemoryTreeView::SetNormalImageList(ImageListHandle images) { m_normalImageList = images; }

void MemoryTreeView::DestroyImageList(ImageListHandle images)
{
    if (images)
        --m_liveImageLists;
}

std::size_t MemoryTreeView::ItemCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_nodes.begin(), m_nodes.end(), [](const Node& n) { return n.alive; }));
}
