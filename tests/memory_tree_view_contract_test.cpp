// The tree view contract on the in-memory tree.
#include <stdexcept>

#include "platform/memory/memory_tree_view.h"
#include "tests/tree_view_contract.h"

namespace {

class MemoryTreeViewEnv {
public:
    ITreeView& View() { return m_view; }
    void Click(TreePoint point) { m_view.Click(point); }
    void Type(unsigned charCode) { m_view.PressChar(charCode); }
    void Scroll(bool vertical) { m_view.Scroll(vertical); }
    void DestroyTree() { m_view.DestroyWindow(); }

    bool FindEditor(int id, TreeRect& rect)
    {
        MemoryTreeView::Editor* editor = Editor(id);
        if (editor)
            rect = editor->rect;
        return editor != nullptr;
    }
    void TypeIntoEditor(int id, std::string_view text) { OpenEditor(id).text = text; }
    void AddEntries(int id, const std::vector<std::string>& entries)
    {
        std::vector<std::string>& list = OpenEditor(id).entries;
        list.insert(list.end(), entries.begin(), entries.end());
    }

private:
    MemoryTreeView::Editor* Editor(int id)
    {
        for (MemoryTreeView::Editor& editor : m_view.Editors())
            if (editor.alive && editor.id == id)
                return &editor;
        return nullptr;
    }
    MemoryTreeView::Editor& OpenEditor(int id)
    {
        MemoryTreeView::Editor* editor = Editor(id);
        if (!editor)
            throw std::logic_error("no editor " + std::to_string(id) + " is open");
        return *editor;
    }

    MemoryTreeView m_view;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TreeViewContract, ::testing::Types<MemoryTreeViewEnv>);
