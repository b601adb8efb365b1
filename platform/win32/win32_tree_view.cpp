#include "platform/win32/win32_tree_view.h"

#include <cstring>
#include <vector>

#include "platform/win32/framework/controls.h"
#include "platform/win32/text.h"

namespace {

HTREEITEM ToHandle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
TreeItem FromHandle(HTREEITEM item) { return reinterpret_cast<TreeItem>(item); }
HIMAGELIST ToImageList(ImageListHandle images) { return reinterpret_cast<HIMAGELIST>(images); }

// An editor window over the tree, destroyed with this object (unless the
// tree took it along already).
class Win32EditorWindow final : public IEditorWindow {
public:
    explicit Win32EditorWindow(HWND window) : m_window(window) {}
    ~Win32EditorWindow() override
    {
        if (IsWindow(m_window))
            DestroyWindow(m_window);
    }

    std::string Text() const override
    {
        Control control;
        control.Attach(m_window);
        return control.Text();
    }
    void SelectString(std::string_view prefix) override
    {
        ComboBox list;
        list.Attach(m_window);
        list.SelectString(-1, prefix);
    }

private:
    HWND m_window;
};

static_assert(kTreeHitNowhere == TVHT_NOWHERE && kTreeHitOnIcon == TVHT_ONITEMICON &&
              kTreeHitOnLabel == TVHT_ONITEMLABEL && kTreeHitOnIndent == TVHT_ONITEMINDENT &&
              kTreeHitOnButton == TVHT_ONITEMBUTTON && kTreeHitOnRight == TVHT_ONITEMRIGHT &&
              kTreeHitOnStateIcon == TVHT_ONITEMSTATEICON);

}  // namespace

Win32TreeView::Win32TreeView(HWND tree, HINSTANCE resources) : m_tree(tree), m_resources(resources)
{
    Subclass(m_tree);
}

Win32TreeView::~Win32TreeView() = default;

MessageResult Win32TreeView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_handler)
        return Declined();
    switch (message) {
    case WM_LBUTTONDOWN:
        m_handler->OnLButtonDown(static_cast<unsigned>(wParam),
                                 {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        // What the handler passed on answered the message; what it kept, 0.
        return Handled(DefaultResult());
    case WM_CHAR:
        m_handler->OnChar(static_cast<unsigned>(wParam), LOWORD(lParam), HIWORD(lParam));
        return Handled(DefaultResult());
    case WM_DESTROY:
        m_handler->OnDestroy();
        return Declined();
    case WM_VSCROLL:
        m_handler->OnVScroll();
        return Declined();
    case WM_HSCROLL:
        m_handler->OnHScroll();
        return Declined();
    default:
        return Declined();
    }
}

MessageResult Win32TreeView::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (!m_handler || message != WM_NOTIFY)
        return Declined();
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    switch (header.code) {
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA: {
        // The two records differ only in their texts, which are not read.
        const auto& change = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
        m_handler->OnSelChanged(Known(change.itemOld.hItem), Known(change.itemNew.hItem));
        return Handled(0);
    }
    case NM_CLICK:
        m_handler->OnClick();
        return Handled(0);
    default:
        return Declined();
    }
}

void Win32TreeView::Default() { SubclassedWindow::Default(); }

void Win32TreeView::SetMessageHandler(ITreeMessageHandler* handler) { m_handler = handler; }

LRESULT Win32TreeView::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(m_tree, message, wParam, lParam);
}

TreeItem Win32TreeView::Known(HTREEITEM item) const
{
    TreeItem known = FromHandle(item);
    return Names(known) ? known : nullptr;
}

TreeItem Win32TreeView::InsertItem(std::string_view text, TreeItem parent, int image)
{
    if (parent && !Names(parent))
        return nullptr;
    std::wstring wide = Utf8ToWide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? ToHandle(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = wide.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    TreeItem item = FromHandle(reinterpret_cast<HTREEITEM>(
        Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    if (item)
        m_items.insert(item);
    return item;
}

bool Win32TreeView::DeleteAllItems()
{
    m_items.clear();
    return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != 0;
}

bool Win32TreeView::SetItemData(TreeItem item, std::uintptr_t data)
{
    if (!Names(item))
        return false;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = ToHandle(item);
    tv.lParam = static_cast<LPARAM>(data);
    return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}

bool Win32TreeView::GetItemImage(TreeItem item, int& image) const
{
    if (!Names(item))
        return false;
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE;
    tv.hItem = ToHandle(item);
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
        return false;
    image = tv.iImage;
    return true;
}

bool Win32TreeView::SetItemImage(TreeItem item, int image)
{
    if (!Names(item))
        return false;
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = ToHandle(item);
    tv.iImage = image;
    tv.iSelectedImage = image;
    return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}

std::string Win32TreeView::GetItemText(TreeItem item) const
{
    if (!Names(item))
        return {};
    std::vector<wchar_t> buffer(1024);
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = ToHandle(item);
    tv.pszText = buffer.data();
    tv.cchTextMax = static_cast<int>(buffer.size());
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
        return {};
    return WideToUtf8(tv.pszText);
}

bool Win32TreeView::SetItemText(TreeItem item, std::string_view text)
{
    if (!Names(item))
        return false;
    std::wstring wide = Utf8ToWide(text);
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = ToHandle(item);
    tv.pszText = wide.data();
    return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}

std::uintptr_t Win32TreeView::GetItemData(TreeItem item) const
{
    if (!Names(item))
        return 0;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = ToHandle(item);
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
        return 0;
    return static_cast<std::uintptr_t>(tv.lParam);
}

bool Win32TreeView::GetItemTextRect(TreeItem item, TreeRect& rect) const
{
    if (!Names(item))
        return false;
    // The message takes the item in the rectangle's place.
    RECT area{};
    const HTREEITEM handle = ToHandle(item);
    std::memcpy(&area, &handle, sizeof(handle));
    if (!Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&area)))
        return false;
    rect = {area.left, area.top, area.right, area.bottom};
    return true;
}

TreePoint Win32TreeView::MessageCursorPoint() const
{
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(m_tree, &point);
    return {point.x, point.y};
}

std::unique_ptr<IEditorWindow> Win32TreeView::CreateEditor(EditorKind kind, std::uint32_t style, TreeRect rect,
                                                           int id, std::string_view text)
{
    const bool dropDown = kind == EditorKind::DropDown;
    HWND editor = CreateWindowExW(dropDown ? 0 : WS_EX_CLIENTEDGE, dropDown ? L"COMBOBOX" : L"Edit",
                                  Utf8ToWide(text).c_str(), style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, m_tree, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!editor)
        return nullptr;
    SendMessageW(editor, WM_SETFONT, static_cast<WPARAM>(Send(WM_GETFONT)), TRUE);
    return std::make_unique<Win32EditorWindow>(editor);
}

TreeItem Win32TreeView::GetParentItem(TreeItem item) const
{
    if (!Names(item))
        return nullptr;
    return Known(reinterpret_cast<HTREEITEM>(
        Send(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(ToHandle(item)))));
}

TreeItem Win32TreeView::GetChildItem(TreeItem parent) const
{
    if (parent && !Names(parent))
        return nullptr;
    const LPARAM of = parent ? reinterpret_cast<LPARAM>(ToHandle(parent)) : 0;
    return Known(reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, of)));
}

TreeItem Win32TreeView::GetNextSiblingItem(TreeItem item) const
{
    if (!Names(item))
        return nullptr;
    return Known(reinterpret_cast<HTREEITEM>(
        Send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(ToHandle(item)))));
}

TreeItem Win32TreeView::GetSelectedItem() const
{
    return Known(reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

bool Win32TreeView::SelectItem(TreeItem item)
{
    if (item && !Names(item))
        return false;
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ToHandle(item))) != 0;
}

bool Win32TreeView::Expand(TreeItem item)
{
    if (!Names(item))
        return false;
    // Some tree controls scroll an expanded item's children into view; the
    // program expands while it builds, and the view should not move then.
    const LRESULT firstVisible = Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    const bool expanded = Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ToHandle(item))) != 0;
    if (firstVisible && Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0) != firstVisible)
        Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, firstVisible);
    return expanded;
}

bool Win32TreeView::IsExpanded(TreeItem item) const
{
    if (!Names(item))
        return false;
    return (Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ToHandle(item)), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

TreeItem Win32TreeView::HitTest(TreePoint point, unsigned& flags) const
{
    TVHITTESTINFO info{};
    info.pt = POINT{point.x, point.y};
    HTREEITEM item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    flags = info.flags;
    return Known(item);
}

void Win32TreeView::SetRedraw(bool redraw)
{
    if (!redraw) {
        if (m_redrawPauses++ == 0)
            Send(WM_SETREDRAW, FALSE);
        return;
    }
    if (m_redrawPauses == 0 || --m_redrawPauses > 0)
        return;
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(m_tree, nullptr, TRUE);
}

ImageListHandle Win32TreeView::LoadImageList(unsigned bitmapId, int imageWidth, int grow, std::uint32_t maskRgb)
{
    // The portable colour is 0xRRGGBB; a COLORREF is 0x00BBGGRR.
    const COLORREF mask = RGB((maskRgb >> 16) & 0xFF, (maskRgb >> 8) & 0xFF, maskRgb & 0xFF);
    return reinterpret_cast<ImageListHandle>(ImageList_LoadImageW(
        m_resources, MAKEINTRESOURCEW(bitmapId), imageWidth, grow, mask, IMAGE_BITMAP, 0));
}

void Win32TreeView::SetNormalImageList(ImageListHandle images)
{
    Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ToImageList(images)));
}

void Win32TreeView::DestroyImageList(ImageListHandle images) { ImageList_Destroy(ToImageList(images)); }
