// The option tree on a real tree-view control: clicks and the space bar
// change the images the control holds, as the user sees them.
#include <gtest/gtest.h>

#include "tests/win/main_dialog_fixture.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;

class Win32OptionTreeTest : public ::testing::Test, protected MainDialogFixture {
protected:
    void SetUp() override { Build(); }
};

TEST_F(Win32OptionTreeTest, BuildShowsTheCatalogueOnTheControl)
{
    EXPECT_EQ(kOptionCount, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    EXPECT_EQ(ImgGroup, Image(K::MediaPlayerGroup));
    EXPECT_EQ(ImgTicked, Image(K::NoErrorReporting));
    EXPECT_EQ(ImgLocked, Image(K::DisableTaskSchedulerService));
    EXPECT_EQ(ImgRadioOn, Image(K::MessengerNoAction));
    EXPECT_EQ(Item(K::MediaPlayerGroup), Caret());
    EXPECT_EQ("停用錯誤報告", Dialog().Tree().View()->GetItemText(Item(K::NoErrorReporting)));
    for (K group : {K::MediaPlayerGroup, K::MiscGroup, K::MessengerGroup})
        EXPECT_TRUE(Dialog().Tree().View()->IsExpanded(Item(group)));

    // The strip of state images is installed: 13 pictures of 16 x 16.
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(13, ImageList_GetImageCount(images));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
}

TEST_F(Win32OptionTreeTest, ClicksToggleCheckItems)
{
    Click(K::NoLicenceAcquisition);
    EXPECT_EQ(ImgUnticked, Image(K::NoLicenceAcquisition));
    EXPECT_EQ(Item(K::NoLicenceAcquisition), Caret());
    Click(K::NoLicenceAcquisition);
    EXPECT_EQ(ImgTicked, Image(K::NoLicenceAcquisition));
}

TEST_F(Win32OptionTreeTest, ActiveItemGoesToUntickedAndNeverBack)
{
    Dialog().Tree().SetItemImage(Item(K::NoErrorReporting), ImgActive);
    Click(K::NoErrorReporting);
    EXPECT_EQ(ImgUnticked, Image(K::NoErrorReporting));
    Click(K::NoErrorReporting);
    EXPECT_EQ(ImgTicked, Image(K::NoErrorReporting));
}

TEST_F(Win32OptionTreeTest, LockedAndDoneItemsStayButAreSelected)
{
    Dialog().Tree().SetCheckEnabled(Item(K::NoCodecDownload), 0);  // ticked -> done (5)
    Click(K::RemoveAlexaEntry);
    EXPECT_EQ(ImgLocked, Image(K::RemoveAlexaEntry));
    EXPECT_EQ(Item(K::RemoveAlexaEntry), Caret());
    Click(K::NoCodecDownload);
    EXPECT_EQ(ImgDone, Image(K::NoCodecDownload));
    EXPECT_EQ(Item(K::NoCodecDownload), Caret());
}

TEST_F(Win32OptionTreeTest, ClickingARadioMovesTheSelection)
{
    Click(K::MessengerUninstall);
    EXPECT_EQ(ImgRadioOff, Image(K::MessengerNoAction));
    EXPECT_EQ(ImgRadioOff, Image(K::MessengerNoAutostart));
    EXPECT_EQ(ImgRadioOn, Image(K::MessengerUninstall));
}

TEST_F(Win32OptionTreeTest, SpaceTogglesTheCaretItem)
{
    Dialog().Tree().SelectItem(Item(K::NoIntegratedAuth));
    PressSpace();
    EXPECT_EQ(ImgUnticked, Image(K::NoIntegratedAuth));
    PressSpace();
    EXPECT_EQ(ImgTicked, Image(K::NoIntegratedAuth));

    Dialog().Tree().SelectItem(Item(K::DisableTaskSchedulerService));
    PressSpace();
    EXPECT_EQ(ImgLocked, Image(K::DisableTaskSchedulerService));

    Dialog().Tree().SelectItem(Item(K::MessengerNoAutostart));
    PressSpace();
    EXPECT_EQ(ImgRadioOn, Image(K::MessengerNoAutostart));
    EXPECT_EQ(ImgRadioOff, Image(K::MessengerNoAction));
}

TEST_F(Win32OptionTreeTest, HomeEditionAndRebuildOnTheControl)
{
    Build(1, 1);
    EXPECT_EQ(24u, SendMessageW(Tree(), TVM_GETCOUNT, 0, 0));
    EXPECT_EQ("Diverse", Dialog().Tree().View()->GetItemText(Item(K::MiscGroup)));
    EXPECT_EQ(nullptr, Item(K::RemoveSupportUsers));
}

// The recommended selection rebuilds the tree without choosing a caret item:
// the view must stay at the top rather than follow the groups expanded last.
TEST_F(Win32OptionTreeTest, RebuildKeepsTheViewAtTheTop)
{
    Dialog().BuildOptionTree();
    Pump();
    EXPECT_EQ(Item(K::MediaPlayerGroup),
              reinterpret_cast<TreeItem>(SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

}  // namespace

namespace {

// An item of the real tree with a text editor: the tree's own selection
// change opens it as a child window, and its text goes behind the label
// when the selection moves on or the tree scrolls.
TEST_F(Win32OptionTreeTest, AnEditorOpensOnTheRealTreeAndCommitsOnSelectionAndScroll)
{
    CTreeOptionsCtrl& tree = Dialog().Tree();
    TreeItem size = tree.AddGroupItem("Size: 10", ImgGroup, nullptr);
    tree.View()->SetItemData(size, reinterpret_cast<std::uintptr_t>(&CTreeOptionsEdit::classCTreeOptionsEdit));

    tree.SelectItem(size);
    Pump();
    HWND editor = GetDlgItem(Tree(), 100);
    ASSERT_TRUE(editor) << "no editor window on the tree";
    wchar_t className[16] = {};
    GetClassNameW(editor, className, 16);
    EXPECT_EQ(0, _wcsicmp(className, L"Edit"));
    EXPECT_EQ("Size: ", tree.View()->GetItemText(size));
    SetWindowTextW(editor, L"12");

    tree.SelectItem(Item(K::MediaPlayerGroup));
    Pump();
    EXPECT_EQ("Size: 12", tree.View()->GetItemText(size));
    EXPECT_FALSE(IsWindow(editor));

    tree.SelectItem(size);
    editor = GetDlgItem(Tree(), 100);
    ASSERT_TRUE(editor);
    SetWindowTextW(editor, L"13");
    SendMessageW(Tree(), WM_VSCROLL, SB_LINEDOWN, 0);
    Pump();
    EXPECT_EQ("Size: 13", tree.View()->GetItemText(size));
    EXPECT_FALSE(IsWindow(editor));
}

}  // namespace
