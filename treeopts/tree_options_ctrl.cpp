#include "treeopts/tree_options_ctrl.h"

#include <utility>

#include "treeopts/state_image.h"

namespace {

bool IsCheckImage(int image)
{
    return image == ImgUnticked || image == ImgTicked || image == ImgLocked || image == ImgDone ||
           image == ImgActive;
}

bool IsRadioImage(int image)
{
    return image == ImgRadioOff || image == ImgRadioOn || image == ImgDone ||
           image == ImgRadioLockedOff || image == ImgRadioLockedOn;
}

bool IsCheckedImage(int image) { return image == ImgTicked || image == ImgDone || image == ImgActive; }

bool IsCheckEnabledImage(int image)
{
    return image == ImgUnticked || image == ImgTicked || image == ImgActive;
}

bool IsRadioSelectedImage(int image) { return image == ImgRadioOn || image == ImgRadioLockedOn; }

bool IsRadioEnabledImage(int image) { return image == ImgRadioOff || image == ImgRadioOn; }

constexpr unsigned kSpace = 32;
// Anywhere on an item's row except its expand button.
constexpr unsigned kToggleHitMask = kTreeHitOnIcon | kTreeHitOnLabel | kTreeHitOnIndent |
                                    kTreeHitOnRight | kTreeHitOnStateIcon;

}  // namespace

CTreeOptionsCtrl::~CTreeOptionsCtrl()
{
    if (!m_view)
        return;
    m_view->SetMessageHandler(nullptr);
    if (m_imageList)
        m_view->DestroyImageList(m_imageList);
}

void CTreeOptionsCtrl::Attach(std::unique_ptr<ITreeView> view)
{
    m_view = std::move(view);
    m_view->SetMessageHandler(this);
    PreSubclassWindow();
}

void CTreeOptionsCtrl::PreSubclassWindow()
{
    // A failed load is not reported: the tree then shows no pictures, and
    // the item states, being image indexes, keep working.
    m_imageList = m_view->LoadImageList(m_nBitmapId, 16, 1, kTransparentRgb);
    if (m_imageList)
        m_view->SetNormalImageList(m_imageList);
}

TreeItem CTreeOptionsCtrl::AddGroupItem(std::string_view text, int image, TreeItem parent)
{
    if (!m_view)
        return nullptr;
    TreeItem item = m_view->InsertItem(text, parent, image);
    m_view->SetItemData(item, 0);
    return item;
}

TreeItem CTreeOptionsCtrl::AddCheckItem(std::string_view text, TreeItem parent, BOOL ticked)
{
    TreeItem item = AddGroupItem(text, ImgUnticked, parent);
    SetCheckState(item, ticked);
    return item;
}

TreeItem CTreeOptionsCtrl::AddRadioItem(std::string_view text, TreeItem parent, BOOL selected)
{
    TreeItem item = AddGroupItem(text, ImgRadioOff, parent);
    if (selected)
        SelectRadio(item);
    return item;
}

BOOL CTreeOptionsCtrl::SetItemImage(TreeItem item, int image)
{
    return ToBool(m_view && m_view->SetItemImage(item, image));
}

BOOL CTreeOptionsCtrl::GetItemImage(TreeItem item, int& image) const
{
    return ToBool(m_view && m_view->GetItemImage(item, image));
}

BOOL CTreeOptionsCtrl::SelectItem(TreeItem item) { return ToBool(m_view && m_view->SelectItem(item)); }

BOOL CTreeOptionsCtrl::DeleteAllItems() { return ToBool(m_view && m_view->DeleteAllItems()); }

void CTreeOptionsCtrl::SetRedraw(BOOL redraw)
{
    if (m_view)
        m_view->SetRedraw(redraw != 0);
}

BOOL CTreeOptionsCtrl::Expand(TreeItem item) { return ToBool(m_view && m_view->Expand(item)); }

bool CTreeOptionsCtrl::TestImage(TreeItem item, bool (*predicate)(int), BOOL& out) const
{
    int image = 0;
    const bool read = GetItemImage(item, image);
    out = ToBool(read && predicate(image));
    return read;
}

BOOL CTreeOptionsCtrl::SetCheckState(TreeItem item, BOOL ticked)
{
    return SetItemImage(item, ticked ? ImgTicked : ImgUnticked);
}

BOOL CTreeOptionsCtrl::SetCheckEnabled(TreeItem item, BOOL enable)
{
    BOOL ticked = 0;
    if (!IsChecked(item, ticked))
        return 0;
    return SetItemImage(item, (enable ? 0 : ImgLocked) + (ticked ? 1 : 0));
}

BOOL CTreeOptionsCtrl::IsChecked(TreeItem item, BOOL& ticked) const
{
    return ToBool(TestImage(item, IsCheckedImage, ticked));
}

BOOL CTreeOptionsCtrl::IsCheckEnabled(TreeItem item, BOOL& enabled) const
{
    return ToBool(TestImage(item, IsCheckEnabledImage, enabled));
}

BOOL CTreeOptionsCtrl::IsCheckItem(TreeItem item) const
{
    BOOL result = 0;
    TestImage(item, IsCheckImage, result);
    return result;
}

BOOL CTreeOptionsCtrl::IsRadioItem(TreeItem item) const
{
    BOOL result = 0;
    TestImage(item, IsRadioImage, result);
    return result;
}

BOOL CTreeOptionsCtrl::IsRadioSelected(TreeItem item, BOOL& selected) const
{
    return ToBool(TestImage(item, IsRadioSelectedImage, selected));
}

BOOL CTreeOptionsCtrl::IsRadioEnabled(TreeItem item, BOOL& enabled) const
{
    return ToBool(TestImage(item, IsRadioEnabledImage, enabled));
}

BOOL CTreeOptionsCtrl::SetRadioEnabled(TreeItem item, BOOL enable)
{
    BOOL selected = 0;
    if (!IsRadioSelected(item, selected))
        return 0;
    if (!enable)
        return SetItemImage(item, ImgDone);  // a locked radio is never the chosen one
    return SetItemImage(item, selected ? ImgRadioOn : ImgRadioOff);
}

template <typename IsChosen>
void CTreeOptionsCtrl::WalkRadioGroup(TreeItem parent, IsChosen isChosen)
{
    if (!m_view)
        return;
    m_view->SetRedraw(false);
    for (TreeItem child = m_view->GetChildItem(parent); child;
         child = m_view->GetNextSiblingItem(child)) {
        BOOL enabled = 0;
        IsRadioEnabled(child, enabled);
        SetItemImage(child, isChosen(child) ? ImgRadioOn : enabled ? ImgRadioOff : ImgDone);
    }
    m_view->SetRedraw(true);
}

BOOL CTreeOptionsCtrl::SelectRadio(TreeItem item)
{
    int image = 0;
    if (GetItemImage(item, image))  // a handle that names no item walks nothing
        WalkRadioGroup(m_view->GetParentItem(item), [item](TreeItem child) { return child == item; });
    return 1;
}

BOOL CTreeOptionsCtrl::SelectRadioByIndex(TreeItem parent, std::int32_t position)
{
    int image = 0;
    if (parent && !GetItemImage(parent, image))
        return 1;
    std::int32_t index = 0;
    WalkRadioGroup(parent, [&index, position](TreeItem) { return index++ == position; });
    return 1;
}

bool CTreeOptionsCtrl::ToggleByUser(TreeItem item)
{
    BOOL enabled = 0;
    if (IsCheckItem(item)) {
        // A locked check item takes no input, and is not tried as a radio.
        if (!IsCheckEnabled(item, enabled) || !enabled)
            return false;
        BOOL ticked = 0;
        IsChecked(item, ticked);
        SetCheckState(item, !ticked);
        return true;
    }
    if (IsRadioItem(item) && IsRadioEnabled(item, enabled) && enabled) {
        BOOL selected = 0;
        IsRadioSelected(item, selected);
        if (!selected)
            SelectRadio(item);
        return true;
    }
    return false;
}

void CTreeOptionsCtrl::OnLButtonDown(unsigned /*keyFlags*/, TreePoint point)
{
    unsigned flags = 0;
    TreeItem item = m_view->HitTest(point, flags);
    if (flags & kToggleHitMask)
        ToggleByUser(item);
    // The press always goes on, so the tree selects the item and takes the focus.
    m_view->Default();
}

void CTreeOptionsCtrl::OnChar(unsigned charCode, unsigned /*repeatCount*/, unsigned /*keyFlags*/)
{
    if (charCode != kSpace || !ToggleByUser(m_view->GetSelectedItem()))
        m_view->Default();
}
