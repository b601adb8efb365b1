// What the option tree (treeopts/, app/option_tree.cpp) relies on from a
// tree view, written once and run against each implementation: natively on
// the in-memory tree, under Wine on the main dialog's own SysTreeView32
// through the Win32 adapter. Where the two disagree the real control is
// right, so the tests of the option tree on the in-memory one stand for the
// program.
//
// An environment type provides:
//   ITreeView& View();                 an empty tree with no handler
//   void Click(TreePoint point);       a left press and release at the point, as the mouse gives them
//   void Type(unsigned charCode);      a character typed on the tree
//   void Scroll(bool vertical);        a scroll bar of the tree used
//   void DestroyTree();                the tree's window destroyed
//   bool FindEditor(int id, TreeRect& rect);  whether an editor window of that control id is open
//                                      over the tree, and where it lies in the tree's client area
//   void TypeIntoEditor(int id, std::string_view text);   the user replaces a text box's text
//   void AddEntries(int id, const std::vector<std::string>& entries);  a drop-down list gets entries
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/tree_view.h"
#include "res/resource.h"
#include "treeopts/tree_options_combo.h"
#include "treeopts/tree_options_ctrl.h"
#include "treeopts/tree_options_edit.h"

// Writes down each message the tree routes to it, naming items by their
// text and points by their coordinates; passes input on to the tree's own
// handling when told to, as the option tree does.
class RecordingTreeHandler final : public ITreeMessageHandler {
public:
    explicit RecordingTreeHandler(ITreeView& view) : m_view(view) { m_view.SetMessageHandler(this); }
    ~RecordingTreeHandler() { m_view.SetMessageHandler(nullptr); }
    RecordingTreeHandler(const RecordingTreeHandler&) = delete;
    RecordingTreeHandler& operator=(const RecordingTreeHandler&) = delete;

    bool passOn = true;

    static std::string At(TreePoint point) { return std::to_string(point.x) + "," + std::to_string(point.y); }
    // What was routed since the last call.
    std::vector<std::string> Take() { return std::exchange(m_seen, {}); }

    void OnLButtonDown(unsigned, TreePoint point) override
    {
        m_seen.push_back("press " + At(point));
        if (passOn)
            m_view.Default();
    }
    void OnChar(unsigned charCode, unsigned, unsigned) override
    {
        m_seen.push_back("char " + std::string(1, static_cast<char>(charCode)));
        if (passOn)
            m_view.Default();
    }
    void OnSelChanged(TreeItem oldItem, TreeItem newItem) override
    {
        m_seen.push_back("caret " + Name(oldItem) + " -> " + Name(newItem));
    }
    void OnClick() override { m_seen.push_back("click " + At(m_view.MessageCursorPoint())); }
    void OnDestroy() override { m_seen.push_back("destroy"); }
    void OnVScroll() override { m_seen.push_back("vscroll"); }
    void OnHScroll() override { m_seen.push_back("hscroll"); }

private:
    std::string Name(TreeItem item) const { return item ? m_view.GetItemText(item) : "none"; }

    ITreeView& m_view;
    std::vector<std::string> m_seen;
};

template <typename Env>
class TreeViewContract : public ::testing::Test {
protected:
    using Log = std::vector<std::string>;

    // The tree the cases share: "Alpha" with "alpha one" and "xylophone",
    // expanded; "Beta" with "beta one", collapsed; "Gamma" alone. The
    // option tree's state pictures are installed, as the option tree does.
    struct Sample {
        TreeItem alpha, alphaOne, xylophone, beta, betaOne, gamma;
    };
    static Sample Fill(Env& env)
    {
        ITreeView& view = env.View();
        Sample s{};
        ImageListHandle images = view.LoadImageList(IDB_STATE_IMAGES, 16, 1, CTreeOptionsCtrl::kTransparentRgb);
        EXPECT_NE(nullptr, images) << "the state pictures cannot be loaded";
        view.SetNormalImageList(images);
        s.alpha = view.InsertItem("Alpha", nullptr, 9);
        s.alphaOne = view.InsertItem("alpha one", s.alpha, 1);
        s.xylophone = view.InsertItem("xylophone", s.alpha, 0);
        s.beta = view.InsertItem("Beta", nullptr, 9);
        s.betaOne = view.InsertItem("beta one", s.beta, 1);
        s.gamma = view.InsertItem("Gamma", nullptr, 4);
        EXPECT_TRUE(view.Expand(s.alpha));
        return s;
    }

    static TreeRect TextRect(ITreeView& view, TreeItem item)
    {
        TreeRect rect;
        EXPECT_TRUE(view.GetItemTextRect(item, rect)) << view.GetItemText(item) << " is not shown";
        return rect;
    }
    static int MiddleRow(const TreeRect& rect) { return (rect.top + rect.bottom) / 2; }

    ITreeView& View() { return m_env.View(); }

    Env m_env;
};

TYPED_TEST_SUITE_P(TreeViewContract);

TYPED_TEST_P(TreeViewContract, ItemsAreAppendedAsLastChildrenAndWalkedInOrder)
{
    ITreeView& view = this->View();
    EXPECT_EQ(nullptr, view.GetChildItem(nullptr)) << "an empty tree";
    const TreeItem a = view.InsertItem("a", nullptr, 0);
    const TreeItem b = view.InsertItem("b", nullptr, 0);
    const TreeItem a1 = view.InsertItem("a1", a, 0);
    const TreeItem a1x = view.InsertItem("a1x", a1, 0);
    const TreeItem c = view.InsertItem("c", nullptr, 0);
    const TreeItem a2 = view.InsertItem("a2", a, 0);  // after c was added: still last of a's
    for (TreeItem item : {a, b, a1, a1x, c, a2})
        ASSERT_NE(nullptr, item);

    struct Walk {
        TreeItem item, parent, firstChild, nextSibling;
    };
    const Walk walks[] = {
        {a, nullptr, a1, b},      {b, nullptr, nullptr, c},  {c, nullptr, nullptr, nullptr},
        {a1, a, a1x, a2},         {a2, a, nullptr, nullptr}, {a1x, a1, nullptr, nullptr},
        {nullptr, nullptr, a, nullptr},  // null: the top level as parent, and no item
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.item ? view.GetItemText(walk.item) : "null");
        EXPECT_EQ(walk.parent, view.GetParentItem(walk.item));
        EXPECT_EQ(walk.firstChild, view.GetChildItem(walk.item));
        EXPECT_EQ(walk.nextSibling, view.GetNextSiblingItem(walk.item));
    }
}

TYPED_TEST_P(TreeViewContract, ItemsKeepTheirImageTextAndData)
{
    ITreeView& view = this->View();
    const TreeItem group = view.InsertItem("停用錯誤報告", nullptr, 9);
    const TreeItem item = view.InsertItem("Size: 10", group, 1);
    const TreeItem empty = view.InsertItem("", group, 0);

    int image = -1;
    ASSERT_TRUE(view.GetItemImage(group, image));
    EXPECT_EQ(9, image);
    ASSERT_TRUE(view.SetItemImage(item, 12));
    ASSERT_TRUE(view.GetItemImage(item, image));
    EXPECT_EQ(12, image);

    EXPECT_EQ("停用錯誤報告", view.GetItemText(group)) << "text travels as UTF-8";
    EXPECT_EQ("", view.GetItemText(empty));
    ASSERT_TRUE(view.SetItemText(item, "Size: "));
    EXPECT_EQ("Size: ", view.GetItemText(item)) << "trailing spaces stay";

    EXPECT_EQ(0u, view.GetItemData(item)) << "a new item carries no data";
    const auto record = reinterpret_cast<std::uintptr_t>(&CTreeOptionsEdit::classCTreeOptionsEdit);
    ASSERT_TRUE(view.SetItemData(item, record));
    EXPECT_EQ(record, view.GetItemData(item));
    EXPECT_EQ(0u, view.GetItemData(group)) << "data stays with its own item";

    // A null handle names no item: reads give nothing, writes fail.
    image = 7;
    EXPECT_FALSE(view.GetItemImage(nullptr, image));
    EXPECT_EQ(7, image);
    EXPECT_FALSE(view.SetItemImage(nullptr, 1));
    EXPECT_EQ("", view.GetItemText(nullptr));
    EXPECT_FALSE(view.SetItemText(nullptr, "x"));
    EXPECT_EQ(0u, view.GetItemData(nullptr));
    EXPECT_FALSE(view.SetItemData(nullptr, 1));
}

// Groups are expanded once their children are in (app/option_tree.cpp):
// the tree does not keep a childless item expanded.
TYPED_TEST_P(TreeViewContract, OnlyAnItemWithChildrenExpands)
{
    ITreeView& view = this->View();
    const TreeItem group = view.InsertItem("group", nullptr, 9);
    EXPECT_FALSE(view.Expand(group));
    EXPECT_FALSE(view.IsExpanded(group));
    const TreeItem child = view.InsertItem("child", group, 1);
    EXPECT_FALSE(view.IsExpanded(group)) << "expanding before the children came is forgotten";
    TreeRect rect;
    EXPECT_FALSE(view.GetItemTextRect(child, rect)) << "a collapsed group hides its children";

    EXPECT_TRUE(view.Expand(group));
    EXPECT_TRUE(view.IsExpanded(group));
    EXPECT_TRUE(view.GetItemTextRect(child, rect));
    EXPECT_TRUE(view.Expand(group)) << "expanding again succeeds";
    EXPECT_TRUE(view.IsExpanded(group));
    const TreeItem later = view.InsertItem("later", group, 1);
    EXPECT_TRUE(view.GetItemTextRect(later, rect)) << "a child added to an expanded group is shown";

    EXPECT_FALSE(view.Expand(child));
    EXPECT_FALSE(view.IsExpanded(child));
    EXPECT_FALSE(view.Expand(nullptr));
    EXPECT_FALSE(view.IsExpanded(nullptr));
}

TYPED_TEST_P(TreeViewContract, TheCaretGoesWhereTheProgramPutsItAndEachMoveIsReported)
{
    ITreeView& view = this->View();
    const auto s = this->Fill(this->m_env);
    RecordingTreeHandler handler(view);
    EXPECT_EQ(nullptr, view.GetSelectedItem());

    struct Move {
        TreeItem to;
        std::vector<std::string> reported;
    };
    const Move moves[] = {
        {s.alpha, {"caret none -> Alpha"}},
        {s.alpha, {}},  // already there: nothing to report
        {s.xylophone, {"caret Alpha -> xylophone"}},
        {nullptr, {"caret xylophone -> none"}},
        {nullptr, {}},
        {s.betaOne, {"caret none -> beta one"}},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.to ? view.GetItemText(move.to) : "none");
        EXPECT_TRUE(view.SelectItem(move.to));
        EXPECT_EQ(move.to, view.GetSelectedItem());
        EXPECT_EQ(move.reported, handler.Take());
    }
    // The caret item is shown: its collapsed parent was expanded for it.
    EXPECT_TRUE(view.IsExpanded(s.beta));
    TreeRect rect;
    EXPECT_TRUE(view.GetItemTextRect(s.betaOne, rect));
}

TYPED_TEST_P(TreeViewContract, DeletingAllItemsEndsEveryHandle)
{
    ITreeView& view = this->View();
    const auto s = this->Fill(this->m_env);
    ASSERT_TRUE(view.SelectItem(s.alphaOne));
    RecordingTreeHandler handler(view);

    EXPECT_TRUE(view.DeleteAllItems());
    EXPECT_TRUE(handler.Take().empty()) << "the caret's end is not reported as a move";
    EXPECT_EQ(nullptr, view.GetSelectedItem());
    EXPECT_EQ(nullptr, view.GetChildItem(nullptr));
    for (TreeItem stale : {s.alpha, s.alphaOne, s.betaOne, s.gamma}) {
        int image = -1;
        TreeRect rect;
        EXPECT_FALSE(view.GetItemImage(stale, image));
        EXPECT_FALSE(view.SetItemImage(stale, 1));
        EXPECT_EQ("", view.GetItemText(stale));
        EXPECT_FALSE(view.SetItemText(stale, "x"));
        EXPECT_EQ(0u, view.GetItemData(stale));
        EXPECT_FALSE(view.SetItemData(stale, 1));
        EXPECT_EQ(nullptr, view.GetParentItem(stale));
        EXPECT_EQ(nullptr, view.GetChildItem(stale));
        EXPECT_EQ(nullptr, view.GetNextSiblingItem(stale));
        EXPECT_FALSE(view.Expand(stale));
        EXPECT_FALSE(view.IsExpanded(stale));
        EXPECT_FALSE(view.GetItemTextRect(stale, rect));
        EXPECT_FALSE(view.SelectItem(stale));
        EXPECT_EQ(nullptr, view.InsertItem("orphan", stale, 0));
    }
    EXPECT_TRUE(handler.Take().empty());
    EXPECT_EQ(nullptr, view.GetChildItem(nullptr)) << "no orphan was added";
    EXPECT_TRUE(view.DeleteAllItems()) << "an empty tree is emptied too";

    const TreeItem fresh = view.InsertItem("fresh", nullptr, 3);
    EXPECT_EQ(fresh, view.GetChildItem(nullptr));
    EXPECT_EQ("fresh", view.GetItemText(fresh));
}

TYPED_TEST_P(TreeViewContract, AShownItemHasATextRectangleInItsRow)
{
    ITreeView& view = this->View();
    const auto s = this->Fill(this->m_env);
    const TreeRect alpha = this->TextRect(view, s.alpha);
    const TreeRect alphaOne = this->TextRect(view, s.alphaOne);
    const TreeRect xylophone = this->TextRect(view, s.xylophone);
    const TreeRect beta = this->TextRect(view, s.beta);

    EXPECT_LT(alpha.left, alpha.right);
    EXPECT_LT(alpha.top, alpha.bottom);
    EXPECT_LT(alpha.left, alphaOne.left) << "a child is indented";
    EXPECT_EQ(alphaOne.left, xylophone.left);
    EXPECT_EQ(alpha.left, beta.left);
    EXPECT_GT(alphaOne.right - alphaOne.left, beta.right - beta.left) << "a longer text, a wider rectangle";
    // One row under another, top down in tree order.
    EXPECT_LE(alpha.bottom, alphaOne.top);
    EXPECT_LE(alphaOne.bottom, xylophone.top);
    EXPECT_LE(xylophone.bottom, beta.top);

    TreeRect hidden;
    EXPECT_FALSE(view.GetItemTextRect(s.betaOne, hidden)) << "inside a collapsed group";
    EXPECT_FALSE(view.GetItemTextRect(nullptr, hidden));
}

// The option tree toggles an item pressed anywhere on its row and opens an
// editor on a click on its picture or label. The program's tree has no
// expand buttons: a top-level row starts with its picture.
TYPED_TEST_P(TreeViewContract, HitTestingTellsWhereOnARowAPointLies)
{
    ITreeView& view = this->View();
    const auto s = this->Fill(this->m_env);
    const TreeRect alpha = this->TextRect(view, s.alpha);
    const TreeRect child = this->TextRect(view, s.alphaOne);
    const TreeRect last = this->TextRect(view, s.gamma);

    struct Probe {
        const char* where;
        TreePoint point;
        TreeItem item;
        unsigned flags;
    };
    const Probe probes[] = {
        {"the middle of a label", {(alpha.left + alpha.right) / 2, this->MiddleRow(alpha)}, s.alpha, kTreeHitOnLabel},
        {"just inside a label", {child.left + 1, this->MiddleRow(child)}, s.alphaOne, kTreeHitOnLabel},
        {"the picture left of a label", {child.left - 8, this->MiddleRow(child)}, s.alphaOne, kTreeHitOnIcon},
        {"the start of a top-level row", {1, this->MiddleRow(alpha)}, s.alpha, kTreeHitOnIcon},
        {"the start of a child's row", {1, this->MiddleRow(child)}, s.alphaOne, kTreeHitOnIndent},
        {"far right of a label", {child.right + 40, this->MiddleRow(child)}, s.alphaOne, kTreeHitOnRight},
        {"below the last row", {alpha.left, last.bottom + 40}, nullptr, kTreeHitNowhere},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.where);
        unsigned flags = 0;
        EXPECT_EQ(probe.item, view.HitTest(probe.point, flags));
        EXPECT_EQ(probe.flags, flags);
    }
}

// Input reaches the handler first; only what it passes on has the tree's
// own effect: the click reported (with the cursor where it was pressed),
// then the caret moved when the press landed on an item's picture or label.
TYPED_TEST_P(TreeViewContract, APressReachesTheHandlerAndTheTreeOnlyWhenPassedOn)
{
    ITreeView& view = this->View();
    const auto s = this->Fill(this->m_env);
    const TreeRect beta = this->TextRect(view, s.beta);
    const TreeRect child = this->TextRect(view, s.xylophone);
    const TreeRect last = this->TextRect(view, s.gamma);

    struct Press {
        const char* where;
        TreePoint point;
        bool passOn;
        TreeItem caret;  // after the press; it was on Alpha
    };
    const Press presses[] = {
        {"a label", {(beta.left + beta.right) / 2, this->MiddleRow(beta)}, true, s.beta},
        {"a picture", {child.left - 8, this->MiddleRow(child)}, true, s.xylophone},
        {"an indent", {1, this->MiddleRow(child)}, true, s.alpha},
        {"right of a label", {beta.right + 40, this->MiddleRow(beta)}, true, s.alpha},
        {"below the rows", {beta.left, last.bottom + 40}, true, s.alpha},
        {"a label, kept by the handler", {(beta.left + beta.right) / 2, this->MiddleRow(beta)}, false, s.alpha},
    };
    RecordingTreeHandler handler(view);
    for (const Press& press : presses) {
        SCOPED_TRACE(press.where);
        ASSERT_TRUE(view.SelectItem(s.alpha));
        handler.Take();
        handler.passOn = press.passOn;
        this->m_env.Click(press.point);

        const std::string at = RecordingTreeHandler::At(press.point);
        typename TestFixture::Log expected{"press " + at};
        if (press.passOn)
            expected.push_back("click " + at);
        if (press.caret != s.alpha)
            expected.push_back("caret Alpha -> " + view.GetItemText(press.caret));
        EXPECT_EQ(expected, handler.Take());
        EXPECT_EQ(press.caret, view.GetSelectedItem());
    }
}

// A character passed on to the tree moves the caret to the next shown item
// whose text begins with it (the space that ticks an item is kept by the
// option tree; every other key goes on).
TYPED_TEST_P(TreeViewContract, ACharacterPassedOnFindsTheNextShownItemBeginningWithIt)
{
    struct Key {
        const char* from;  // the caret item's text; null for none
        char typed;
        bool passOn;
        const char* to;  // the caret item's text afterwards; null for none
    };
    const Key keys[] = {
        {"Alpha", 'x', true, "xylophone"}, {"xylophone", 'A', true, "Alpha"},  // round to the top, any case
        {"Alpha", 'a', true, "alpha one"}, {"Beta", 'b', true, "Beta"},       // "beta one" is hidden
        {"Alpha", 'q', true, "Alpha"},     {nullptr, 'g', true, "Gamma"},
        {"Alpha", 'x', false, "Alpha"},
    };
    for (const Key& key : keys) {
        SCOPED_TRACE(std::string(key.from ? key.from : "none") + " " + key.typed);
        TypeParam env;  // a tree of its own: a real one joins keys typed in quick succession
        const auto s = this->Fill(env);
        ITreeView& view = env.View();
        TreeItem from = nullptr;
        for (TreeItem item : {s.alpha, s.xylophone, s.beta})
            if (key.from && view.GetItemText(item) == key.from)
                from = item;
        ASSERT_TRUE(view.SelectItem(from));
        RecordingTreeHandler handler(view);
        handler.passOn = key.passOn;
        env.Type(static_cast<unsigned>(key.typed));

        typename TestFixture::Log expected{std::string("char ") + key.typed};
        if (std::string(key.from ? key.from : "none") != key.to)
            expected.push_back(std::string("caret ") + (key.from ? key.from : "none") + " -> " + key.to);
        EXPECT_EQ(expected, handler.Take());
        EXPECT_EQ(key.to, view.GetItemText(view.GetSelectedItem()));
    }
}

TYPED_TEST_P(TreeViewContract, ScrollingAndTheEndOfTheWindowAreReportedAndTheEditorsGoWithIt)
{
    ITreeView& view = this->View();
    this->Fill(this->m_env);
    std::unique_ptr<IEditorWindow> editor =
        view.CreateEditor(EditorKind::Text, CTreeOptionsEdit().GetEditorStyle(), {40, 16, 140, 37}, 100, "10");
    ASSERT_NE(nullptr, editor);
    RecordingTreeHandler handler(view);

    this->m_env.Scroll(true);
    this->m_env.Scroll(false);
    EXPECT_EQ((typename TestFixture::Log{"vscroll", "hscroll"}), handler.Take());
    TreeRect rect;
    EXPECT_TRUE(this->m_env.FindEditor(100, rect)) << "scrolling leaves the editors to the handler";

    this->m_env.DestroyTree();
    EXPECT_EQ(typename TestFixture::Log{"destroy"}, handler.Take());
    EXPECT_FALSE(this->m_env.FindEditor(100, rect));
    editor.reset();  // after its window went with the tree's
}

TYPED_TEST_P(TreeViewContract, EditorsOpenOverTheTreeWithTheirTextAndEntries)
{
    ITreeView& view = this->View();
    this->Fill(this->m_env);
    const TreeRect boxPlace{40, 16, 140, 37};
    std::unique_ptr<IEditorWindow> box =
        view.CreateEditor(EditorKind::Text, CTreeOptionsEdit().GetEditorStyle(), boxPlace, 100, "10");
    ASSERT_NE(nullptr, box);
    TreeRect rect;
    ASSERT_TRUE(this->m_env.FindEditor(100, rect));
    EXPECT_EQ((std::vector<int>{40, 16, 140, 37}), (std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}));
    EXPECT_EQ("10", box->Text());
    this->m_env.TypeIntoEditor(100, "停用 12");
    EXPECT_EQ("停用 12", box->Text());

    // A drop-down list keeps the asked-for place; its height, closed, is its own.
    std::unique_ptr<IEditorWindow> list =
        view.CreateEditor(EditorKind::DropDown, CTreeOptionsCombo().GetEditorStyle(), {40, 40, 140, 140}, 101, {});
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(this->m_env.FindEditor(101, rect));
    EXPECT_EQ((std::vector<int>{40, 40, 140}), (std::vector<int>{rect.left, rect.top, rect.right}));
    EXPECT_EQ("", list->Text()) << "an empty list selects nothing";
    list->SelectString("hi");
    EXPECT_EQ("", list->Text());

    this->m_env.AddEntries(101, {"Low", "HIGH"});
    struct Choice {
        const char* prefix;
        const char* selected;
    };
    const Choice choices[] = {{"hi", "HIGH"}, {"zz", "HIGH"}, {"l", "Low"}};
    for (const Choice& choice : choices) {
        SCOPED_TRACE(choice.prefix);
        list->SelectString(choice.prefix);
        EXPECT_EQ(choice.selected, list->Text()) << "an entry beginning so, case ignored; else no change";
    }

    box.reset();
    EXPECT_FALSE(this->m_env.FindEditor(100, rect)) << "the window goes with its object";
    EXPECT_TRUE(this->m_env.FindEditor(101, rect));
    list.reset();
    EXPECT_FALSE(this->m_env.FindEditor(101, rect));
}

REGISTER_TYPED_TEST_SUITE_P(TreeViewContract, ItemsAreAppendedAsLastChildrenAndWalkedInOrder,
                            ItemsKeepTheirImageTextAndData, OnlyAnItemWithChildrenExpands,
                            TheCaretGoesWhereTheProgramPutsItAndEachMoveIsReported, DeletingAllItemsEndsEveryHandle,
                            AShownItemHasATextRectangleInItsRow, HitTestingTellsWhereOnARowAPointLies,
                            APressReachesTheHandlerAndTheTreeOnlyWhenPassedOn,
                            ACharacterPassedOnFindsTheNextShownItemBeginningWithIt,
                            ScrollingAndTheEndOfTheWindowAreReportedAndTheEditorsGoWithIt,
                            EditorsOpenOverTheTreeWithTheirTextAndEntries);
