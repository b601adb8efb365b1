#include <gtest/gtest.h>

#include <vector>

#include "tests/tree_test_support.h"
#include "treeopts/state_image.h"

namespace {

using Zone = MemoryTreeView::Zone;

class TreeOptionsCtrlTest : public ::testing::Test, protected MemoryOptionTree {
protected:
    // A group with one child item at the given image.
    TreeItem ChildAt(int image)
    {
        TreeItem parent = ctrl.AddGroupItem("group", ImgGroup, nullptr);
        TreeItem item = ctrl.AddGroupItem("item", image, parent);
        ctrl.Expand(parent);
        return item;
    }

    // A group of radios with the given images, in order.
    std::vector<TreeItem> RadioGroup(std::vector<int> images)
    {
        group = ctrl.AddGroupItem("radios", ImgGroup, nullptr);
        std::vector<TreeItem> items;
        for (int image : images)
            items.push_back(ctrl.AddGroupItem("radio", image, group));
        ctrl.Expand(group);
        return items;
    }

    std::vector<int> Images(const std::vector<TreeItem>& items) const
    {
        std::vector<int> images;
        for (TreeItem item : items)
            images.push_back(Image(item));
        return images;
    }

    TreeItem group = nullptr;
};

struct PredicateRow {
    int image;
    BOOL checkItem, radioItem, checked, checkEnabled, radioSelected, radioEnabled;
};

TEST_F(TreeOptionsCtrlTest, PredicatesFollowTheImageAlone)
{
    const PredicateRow rows[] = {
        {0, 1, 0, 0, 1, 0, 0},  {1, 1, 0, 1, 1, 0, 0},  {2, 0, 1, 0, 0, 0, 1},
        {3, 0, 1, 0, 0, 1, 1},  {4, 1, 0, 0, 0, 0, 0},  {5, 1, 1, 1, 0, 0, 0},
        {6, 0, 1, 0, 0, 0, 0},  {7, 0, 1, 0, 0, 1, 0},  {8, 0, 0, 0, 0, 0, 0},
        {9, 0, 0, 0, 0, 0, 0},  {10, 0, 0, 0, 0, 0, 0}, {11, 0, 0, 0, 0, 0, 0},
        {12, 1, 0, 1, 1, 0, 0},
    };
    for (const PredicateRow& row : rows) {
        SCOPED_TRACE(row.image);
        TreeItem item = ChildAt(row.image);
        BOOL checked = 7, checkEnabled = 7, radioSelected = 7, radioEnabled = 7;
        EXPECT_EQ(1, ctrl.IsChecked(item, checked));
        EXPECT_EQ(1, ctrl.IsCheckEnabled(item, checkEnabled));
        EXPECT_EQ(1, ctrl.IsRadioSelected(item, radioSelected));
        EXPECT_EQ(1, ctrl.IsRadioEnabled(item, radioEnabled));
        EXPECT_EQ(row.checkItem, ctrl.IsCheckItem(item));
        EXPECT_EQ(row.radioItem, ctrl.IsRadioItem(item));
        EXPECT_EQ(row.checked, checked);
        EXPECT_EQ(row.checkEnabled, checkEnabled);
        EXPECT_EQ(row.radioSelected, radioSelected);
        EXPECT_EQ(row.radioEnabled, radioEnabled);
    }
}

TEST_F(TreeOptionsCtrlTest, SetCheckStateAlwaysGivesAnEnabledImage)
{
    for (int image : {0, 1, 4, 5, 12}) {
        SCOPED_TRACE(image);
        TreeItem item = ChildAt(image);
        EXPECT_EQ(1, ctrl.SetCheckState(item, 1));
        EXPECT_EQ(ImgTicked, Image(item));
        ctrl.SetItemImage(item, image);
        EXPECT_EQ(1, ctrl.SetCheckState(item, 0));
        EXPECT_EQ(ImgUnticked, Image(item));
    }
}

TEST_F(TreeOptionsCtrlTest, SetCheckEnabledKeepsTheTickAndLocksOrUnlocks)
{
    struct Row { int from; BOOL enable; int to; };
    const Row rows[] = {{0, 1, 0}, {0, 0, 4}, {1, 1, 1},  {1, 0, 5},  {4, 1, 0},
                        {4, 0, 4}, {5, 1, 1}, {5, 0, 5},  {12, 1, 1}, {12, 0, 5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.from << " enable " << row.enable);
        TreeItem item = ChildAt(row.from);
        EXPECT_EQ(1, ctrl.SetCheckEnabled(item, row.enable));
        EXPECT_EQ(row.to, Image(item));
    }
}

TEST_F(TreeOptionsCtrlTest, SetRadioEnabledDropsTheSelectionWhenLocking)
{
    struct Row { int from; BOOL enable; int to; };
    const Row rows[] = {{2, 1, 2}, {3, 1, 3}, {2, 0, 5}, {3, 0, 5}, {7, 1, 3}, {6, 1, 2}, {5, 1, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.from << " enable " << row.enable);
        TreeItem item = ChildAt(row.from);
        EXPECT_EQ(1, ctrl.SetRadioEnabled(item, row.enable));
        EXPECT_EQ(row.to, Image(item));
    }
    // Locking the selected radio leaves its group with none selected.
    std::vector<TreeItem> radios = RadioGroup({2, 3, 2});
    ctrl.SetRadioEnabled(radios[1], 0);
    for (TreeItem radio : radios) {
        BOOL selected = 1;
        ctrl.IsRadioSelected(radio, selected);
        EXPECT_EQ(0, selected);
    }
}

TEST_F(TreeOptionsCtrlTest, AddingASelectedRadioMovesTheSelection)
{
    TreeItem g = ctrl.AddGroupItem("g", ImgGroup, nullptr);
    TreeItem first = ctrl.AddRadioItem("a", g, 1);
    TreeItem second = ctrl.AddRadioItem("b", g, 1);
    TreeItem third = ctrl.AddRadioItem("c", g, 0);
    EXPECT_EQ((std::vector<int>{2, 3, 2}), Images({first, second, third}));
}

TEST_F(TreeOptionsCtrlTest, RadioWalkLocksEveryChildThatIsNoEnabledRadio)
{
    std::vector<TreeItem> items = RadioGroup({2, 3, 5, 6, 7, 0, 12, 9});
    EXPECT_EQ(1, ctrl.SelectRadio(items[0]));
    EXPECT_EQ((std::vector<int>{3, 2, 5, 5, 5, 5, 5, 5}), Images(items));
}

TEST_F(TreeOptionsCtrlTest, RadioWalkSelectsTheGivenItemEvenWhenLocked)
{
    std::vector<TreeItem> items = RadioGroup({3, 5, 2});
    ctrl.SelectRadio(items[1]);
    EXPECT_EQ((std::vector<int>{2, 3, 2}), Images(items));
}

TEST_F(TreeOptionsCtrlTest, RadioWalkOverTopLevelItems)
{
    TreeItem a = ctrl.AddRadioItem("a", nullptr, 1);
    TreeItem b = ctrl.AddRadioItem("b", nullptr, 0);
    TreeItem g = ctrl.AddGroupItem("g", ImgGroup, nullptr);
    ctrl.SelectRadio(b);
    EXPECT_EQ((std::vector<int>{2, 3, 5}), Images({a, b, g}));
}

TEST_F(TreeOptionsCtrlTest, SelectRadioByIndexCountsEveryChild)
{
    std::vector<TreeItem> items = RadioGroup({2, 5, 3});
    EXPECT_EQ(1, ctrl.SelectRadioByIndex(group, 0));
    EXPECT_EQ((std::vector<int>{3, 5, 2}), Images(items));

    EXPECT_EQ(1, ctrl.SelectRadioByIndex(group, 2));
    EXPECT_EQ((std::vector<int>{2, 5, 3}), Images(items));
}

TEST_F(TreeOptionsCtrlTest, SelectRadioByIndexOutsideTheGroupSelectsNothing)
{
    std::vector<TreeItem> items = RadioGroup({3, 2, 5});
    for (int position : {3, -1, 1000}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(1, ctrl.SelectRadioByIndex(group, position));
        EXPECT_EQ((std::vector<int>{2, 2, 5}), Images(items));
    }
}

TEST_F(TreeOptionsCtrlTest, RadioWalkWritesNothingWhileRedrawing)
{
    std::vector<TreeItem> items = RadioGroup({2, 3, 2, 2});
    const int visibleWrites = fake->VisibleImageWrites();
    ctrl.SelectRadio(items[2]);
    ctrl.SelectRadioByIndex(group, 0);
    EXPECT_EQ(visibleWrites, fake->VisibleImageWrites());
    EXPECT_EQ(2, fake->RedrawOffCount());
    EXPECT_TRUE(fake->IsRedrawOn());
}

TEST_F(TreeOptionsCtrlTest, HandlesThatNameNoItemFailWithoutEffect)
{
    TreeItem stale = ctrl.AddCheckItem("c", ctrl.AddGroupItem("old", ImgGroup, nullptr), 1);
    ctrl.DeleteAllItems();
    group = ctrl.AddGroupItem("g", ImgGroup, nullptr);
    TreeItem radio = ctrl.AddRadioItem("r", group, 1);
    TreeItem live = ctrl.AddCheckItem("top", nullptr, 1);

    for (TreeItem bad : {TreeItem{}, stale}) {
        BOOL flag = 1;
        EXPECT_EQ(0, ctrl.IsChecked(bad, flag));
        EXPECT_EQ(0, flag);
        flag = 1;
        EXPECT_EQ(0, ctrl.IsCheckEnabled(bad, flag));
        EXPECT_EQ(0, flag);
        flag = 1;
        EXPECT_EQ(0, ctrl.IsRadioSelected(bad, flag));
        EXPECT_EQ(0, flag);
        flag = 1;
        EXPECT_EQ(0, ctrl.IsRadioEnabled(bad, flag));
        EXPECT_EQ(0, flag);
        EXPECT_EQ(0, ctrl.IsCheckItem(bad));
        EXPECT_EQ(0, ctrl.IsRadioItem(bad));
        EXPECT_EQ(0, ctrl.SetCheckState(bad, 1));
        EXPECT_EQ(0, ctrl.SetCheckEnabled(bad, 1));
        EXPECT_EQ(0, ctrl.SetRadioEnabled(bad, 1));
        EXPECT_EQ(1, ctrl.SelectRadio(bad));
    }
    // A null parent means the top level, so only a stale one is a bad parent.
    EXPECT_EQ(1, ctrl.SelectRadioByIndex(stale, 0));
    // Nothing of the live tree moved: a stale radio walks no group.
    EXPECT_EQ(ImgGroup, Image(group));
    EXPECT_EQ(ImgRadioOn, Image(radio));
    EXPECT_EQ(ImgTicked, Image(live));
}

TEST_F(TreeOptionsCtrlTest, AnUnboundControlFailsQuietly)
{
    CTreeOptionsCtrl unbound;
    BOOL flag = 1;
    EXPECT_EQ(nullptr, unbound.AddCheckItem("c", nullptr, 1));
    EXPECT_EQ(0, unbound.IsChecked(nullptr, flag));
    EXPECT_EQ(1, unbound.SelectRadioByIndex(nullptr, 0));
}

TEST_F(TreeOptionsCtrlTest, ClickEffectByImage)
{
    // Image before the click -> image after it, clicking the item's label.
    const int expected[kStateImageCount] = {1, 0, 3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0};
    for (int image = 0; image < kStateImageCount; ++image) {
        SCOPED_TRACE(image);
        TreeItem item = ChildAt(image);
        const int defaults = fake->DefaultCalls();
        fake->Click(fake->PointOn(item, Zone::Label));
        EXPECT_EQ(expected[image], Image(item));
        // The press always reaches the tree, which moves its caret there.
        EXPECT_EQ(defaults + 1, fake->DefaultCalls());
    }
}

TEST_F(TreeOptionsCtrlTest, ActiveItemNeverComesBackByClicking)
{
    TreeItem item = ChildAt(ImgActive);
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        fake->Click(fake->PointOn(item, Zone::Icon));
        seen.push_back(Image(item));
    }
    EXPECT_EQ((std::vector<int>{0, 1, 0}), seen);
}

TEST_F(TreeOptionsCtrlTest, ClickAnywhereOnTheRowToggles)
{
    for (Zone zone : {Zone::Indent, Zone::Icon, Zone::Label, Zone::Right}) {
        TreeItem item = ChildAt(ImgUnticked);
        fake->Click(fake->PointOn(item, zone));
        EXPECT_EQ(ImgTicked, Image(item));
    }
}

TEST_F(TreeOptionsCtrlTest, ClickBelowTheItemsTogglesNothing)
{
    TreeItem item = ChildAt(ImgUnticked);
    fake->SelectItem(item);
    fake->Click(fake->PointBelowItems());
    EXPECT_EQ(ImgUnticked, Image(item));
    EXPECT_EQ(1, fake->DefaultCalls());
}

TEST_F(TreeOptionsCtrlTest, ClickingARadioWalksItsGroup)
{
    std::vector<TreeItem> items = RadioGroup({3, 2, 5});
    fake->Click(fake->PointOn(items[1], Zone::Label));
    EXPECT_EQ((std::vector<int>{2, 3, 5}), Images(items));
    // A click on the selected radio changes nothing.
    fake->Click(fake->PointOn(items[1], Zone::Label));
    EXPECT_EQ((std::vector<int>{2, 3, 5}), Images(items));
}

TEST_F(TreeOptionsCtrlTest, SpaceOnTheCaretItem)
{
    struct Row { int from; int to; bool consumed; };
    const Row rows[] = {{0, 1, true},   {1, 0, true},   {12, 0, true},  {2, 3, true},
                        {3, 3, true},   {4, 4, false},  {5, 5, false},  {6, 6, false},
                        {7, 7, false},  {9, 9, false},  {8, 8, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.from);
        TreeItem item = ChildAt(row.from);
        fake->SelectItem(item);
        const int passedOn = fake->DefaultCalls();
        fake->PressChar(' ');
        EXPECT_EQ(row.to, Image(item));
        EXPECT_EQ(row.consumed ? passedOn : passedOn + 1, fake->DefaultCalls());
    }
}

TEST_F(TreeOptionsCtrlTest, OtherKeysAndNoCaretGoToTheTree)
{
    TreeItem item = ChildAt(ImgUnticked);
    fake->SelectItem(item);
    fake->PressChar('x');
    fake->PressChar('\r');
    EXPECT_EQ(ImgUnticked, Image(item));
    fake->SelectItem(nullptr);
    fake->PressChar(' ');
    EXPECT_EQ(ImgUnticked, Image(item));
    EXPECT_EQ(3, fake->DefaultCalls());
}

TEST_F(TreeOptionsCtrlTest, BindingInstallsTheStateImages)
{
    EXPECT_EQ(129u, fake->LoadedBitmapId());
    EXPECT_EQ(0xFF00FFu, fake->LoadedMaskRgb());
    EXPECT_NE(nullptr, fake->NormalImageList());
    EXPECT_EQ(1, fake->LiveImageLists());
}

TEST(TreeOptionsCtrlImages, WithoutImagesTheStatesStillWork)
{
    auto view = std::make_unique<MemoryTreeView>();
    MemoryTreeView* fake = view.get();
    fake->FailImageListLoads(true);
    CTreeOptionsCtrl ctrl;
    ctrl.Attach(std::move(view));
    EXPECT_EQ(nullptr, fake->NormalImageList());

    TreeItem item = ctrl.AddCheckItem("c", nullptr, 0);
    fake->Click(fake->PointOn(item, Zone::Label));
    BOOL ticked = 0;
    EXPECT_EQ(1, ctrl.IsChecked(item, ticked));
    EXPECT_EQ(1, ticked);
}

}  // namespace
