// The option tree's in-place editors on an in-memory tree: which item gets
// which editor, when, where, and what its text becomes.
#include <gtest/gtest.h>

#include "tests/memory_main_dlg.h"
#include "tests/tree_test_support.h"
#include "treeopts/state_image.h"

namespace {

// An editor class of an embedding program: a wider text box.
class WideEdit : public CTreeOptionsEdit {
public:
    static const RuntimeClass classWideEdit;
    const RuntimeClass* GetRuntimeClass() const override { return &classWideEdit; }
    int GetEditorWidth() const override { return 240; }
};
const RuntimeClass WideEdit::classWideEdit{"WideEdit", &CreateInstance<WideEdit>, &CTreeOptionsEdit::classCTreeOptionsEdit};

// A class with a run-time record that is no editor.
class NotAnEditor : public CObject {
public:
    static const RuntimeClass classNotAnEditor;
    const RuntimeClass* GetRuntimeClass() const override { return &classNotAnEditor; }
};
const RuntimeClass NotAnEditor::classNotAnEditor{"NotAnEditor", &CreateInstance<NotAnEditor>, nullptr};

std::uintptr_t Names(const RuntimeClass& record) { return reinterpret_cast<std::uintptr_t>(&record); }

class InPlaceEditorTest : public ::testing::Test, protected MemoryOptionTree {
protected:
    TreeItem Add(const char* text, std::uintptr_t editor = 0)
    {
        TreeItem item = ctrl.AddGroupItem(text, ImgGroup, nullptr);
        fake->SetItemData(item, editor);
        return item;
    }
    std::string Text(TreeItem item) const { return fake->GetItemText(item); }
    MemoryTreeView::Editor& LastEditor() { return fake->Editors().back(); }
};

TEST_F(InPlaceEditorTest, ATextEditorOpensRightOfTheLabelAndCommitsWhenTheSelectionMoves)
{
    TreeItem size = Add("Size: 10", Names(CTreeOptionsEdit::classCTreeOptionsEdit));
    TreeItem other = Add("Other");

    ctrl.SelectItem(size);
    EXPECT_EQ("Size: ", Text(size));
    ASSERT_EQ(1, fake->OpenEditors());
    MemoryTreeView::Editor& editor = LastEditor();
    EXPECT_EQ(EditorKind::Text, editor.kind);
    EXPECT_EQ("10", editor.text);
    EXPECT_EQ(0x50000080u, editor.style);
    EXPECT_EQ(100, editor.id);
    TreeRect label;
    ASSERT_TRUE(fake->GetItemTextRect(size, label));
    EXPECT_EQ(label.right + 2, editor.rect.left);
    EXPECT_EQ(label.top, editor.rect.top);
    EXPECT_EQ(label.right + 2 + 100, editor.rect.right);
    EXPECT_EQ(label.bottom + 5, editor.rect.bottom);
    EXPECT_EQ(size, ctrl.EditedItem());
    EXPECT_EQ(&ctrl, ctrl.EditEditor()->m_pOwnerTree);

    editor.text = "12";
    ctrl.SelectItem(other);
    EXPECT_EQ("Size: 12", Text(size));
    EXPECT_EQ(0, fake->OpenEditors());
    EXPECT_EQ(nullptr, ctrl.EditedItem());
}

TEST_F(InPlaceEditorTest, TheFirstSeparatorSplitsLabelAndValueAndOneIsAddedWhenMissing)
{
    TreeItem mode = Add("Mode", Names(CTreeOptionsEdit::classCTreeOptionsEdit));
    TreeItem pair = Add("A: b: c", Names(CTreeOptionsEdit::classCTreeOptionsEdit));

    ctrl.SelectItem(mode);
    EXPECT_EQ("Mode: ", Text(mode));
    EXPECT_EQ("", LastEditor().text);
    LastEditor().text = "fast";
    ctrl.SelectItem(pair);
    EXPECT_EQ("Mode: fast", Text(mode));
    EXPECT_EQ("A: ", Text(pair));
    EXPECT_EQ("b: c", LastEditor().text);
}

TEST_F(InPlaceEditorTest, ADropDownCommitsItsChosenEntryAndAnEmptyListNothingBehindTheLabel)
{
    TreeItem level = Add("Level: hi", Names(CTreeOptionsCombo::classCTreeOptionsCombo));
    TreeItem other = Add("Other");
    ctrl.SelectItem(level);
    MemoryTreeView::Editor& editor = LastEditor();
    EXPECT_EQ(EditorKind::DropDown, editor.kind);
    EXPECT_EQ(0x50200003u, editor.style);
    EXPECT_EQ(editor.rect.top + 100, editor.rect.bottom) << "the height holds the dropped list";
    EXPECT_EQ(-1, editor.selected) << "the control puts no entries into the list";
    ctrl.SelectItem(other);
    EXPECT_EQ("Level: ", Text(level));

    // With entries (an embedding program's), the chosen one's text goes
    // behind the label.
    ctrl.SelectItem(level);
    LastEditor().entries = {"Low", "HIGH"};
    LastEditor().selected = 1;
    ctrl.SelectItem(other);
    EXPECT_EQ("Level: HIGH", Text(level));
}

TEST_F(InPlaceEditorTest, ScrollingCommitsAndClosesAndOnlyASelectionOrClickReopens)
{
    TreeItem size = Add("Size: 10", Names(CTreeOptionsEdit::classCTreeOptionsEdit));
    ctrl.SelectItem(size);
    LastEditor().text = "11";
    fake->Scroll(true);
    EXPECT_EQ("Size: 11", Text(size));
    EXPECT_EQ(0, fake->OpenEditors());
    fake->Scroll(false);
    EXPECT_EQ(0, fake->OpenEditors()) << "not reopened by scrolling";

    // A click on the label of the selected item opens it again, once.
    fake->Click(fake->PointOn(size, MemoryTreeView::Zone::Label));
    EXPECT_EQ(1, fake->OpenEditors());
    fake->Click(fake->PointOn(size, MemoryTreeView::Zone::Icon));
    EXPECT_EQ(1, fake->OpenEditors()) << "a second editor on the edited item";
    EXPECT_EQ(2u, fake->Editors().size());
}

TEST_F(InPlaceEditorTest, OnlyAClickOnTheIconOrLabelOpensAnEditor)
{
    TreeItem size = Add("Size: 10", Names(CTreeOptionsEdit::classCTreeOptionsEdit));
    ctrl.SelectItem(size);
    fake->Scroll(true);
    fake->Click(fake->PointOn(size, MemoryTreeView::Zone::Right));
    EXPECT_EQ(0, fake->OpenEditors());
    fake->Click(fake->PointOn(size, MemoryTreeView::Zone::Icon));
    EXPECT_EQ(1, fake->OpenEditors());
}

TEST_F(InPlaceEditorTest, DestroyingTheTreeWhileEditingLosesTheTypedValue)
{
    TreeItem size = Add("Size: 10", Names(CTreeOptionsEdit::classCTreeOptionsEdit));
    ctrl.SelectItem(size);
    LastEditor().text = "99";
    fake->DestroyWindow();
    EXPECT_EQ("Size: ", Text(size));
    EXPECT_EQ(nullptr, ctrl.EditedItem());
    EXPECT_EQ(0, fake->OpenEditors());
}

TEST_F(InPlaceEditorTest, DerivedEditorsAreMadeThroughTheirRecordAndOtherClassesOpenNone)
{
    EXPECT_TRUE(WideEdit::classWideEdit.IsDerivedFrom(CTreeOptionsEdit::classCTreeOptionsEdit));
    EXPECT_FALSE(WideEdit::classWideEdit.IsDerivedFrom(CTreeOptionsCombo::classCTreeOptionsCombo));
    TreeItem wide = Add("Path: C:\\", Names(WideEdit::classWideEdit));
    TreeItem odd = Add("Odd: 1", Names(NotAnEditor::classNotAnEditor));
    TreeItem plain = Add("Plain");

    ctrl.SelectItem(wide);
    ASSERT_NE(nullptr, dynamic_cast<WideEdit*>(ctrl.EditEditor()));
    EXPECT_EQ(240, LastEditor().rect.right - LastEditor().rect.left);

    // Data that names no editor class: the item is recorded, nothing opens
    // and its text stays; the next selection has nothing to commit.
    ctrl.SelectItem(odd);
    EXPECT_EQ(odd, ctrl.EditedItem());
    EXPECT_EQ(0, fake->OpenEditors());
    EXPECT_EQ("Odd: 1", Text(odd));
    ctrl.SelectItem(plain);
    EXPECT_EQ("Odd: 1", Text(odd));
    EXPECT_EQ(nullptr, ctrl.EditedItem());
}

// The catalogue gives no item an editor: the program's own tree never
// changes an item's text, whatever the user does.
TEST(ProgramTreeEditorsTest, SelectionsClicksAndScrollsChangeNoLabel)
{
    MemoryMainDlg m;
    m.Build();
    std::vector<std::string> before;
    for (const CatalogueEntry& entry : Catalogue())
        before.push_back(m.tree->GetItemText(m.dialog.Item(entry.key)));
    for (const CatalogueEntry& entry : Catalogue()) {
        m.tree->Click(m.tree->PointOn(m.dialog.Item(entry.key), MemoryTreeView::Zone::Label));
        m.tree->Scroll(true);
    }
    for (std::size_t i = 0; i < Catalogue().size(); ++i)
        EXPECT_EQ(before[i], m.tree->GetItemText(m.dialog.Item(Catalogue()[i].key)));
    EXPECT_TRUE(m.tree->Editors().empty());
}

}  // namespace
