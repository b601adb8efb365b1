#include "platform/win32/win32_dialog_host.h"

#include <vector>

#include "platform/win32/framework/controls.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/message_map.h"
#include "platform/win32/text.h"

namespace {

class HostedDialog : public Dialog, public IDialogWindow {
public:
    HostedDialog(unsigned templateId, Language language, IDialogHandler& handler)
        : Dialog(templateId, language), m_handler(handler)
    {
    }
    // The window has gone by now (a modal run has ended, Modeless<> has
    // destroyed it): the bitmaps its pictures showed can go too.
    ~HostedDialog() override
    {
        for (HBITMAP bitmap : m_bitmaps)
            DeleteObject(bitmap);
    }

    void SetItemText(int id, std::string_view text) override { Item(id).SetText(text); }
    std::string ItemText(int id) const override { return Item(id).Text(); }
    void EnableItem(int id, bool enable) override { Item(id).Enable(enable); }
    void SetItemBitmap(int id, unsigned bitmapId) override
    {
        HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(bitmapId));
        if (!bitmap)
            return;
        m_bitmaps.push_back(bitmap);
        Static picture;
        picture.Attach(GetDlgItem(id));
        picture.SetBitmap(bitmap);
    }
    void Show() override { Dialog::Show(SW_SHOW); }

    void AddListEntry(int id, std::string_view text) override { List(id).AddString(text); }
    void SelectListEntry(int id, int position) override { List(id).SetCurSel(position); }
    int SelectedListEntry(int id) const override { return List(id).CurSel(); }
    std::string ListEntryText(int id, int position) const override { return List(id).ItemText(position); }

protected:
    BOOL OnInitDialog() override
    {
        Dialog::OnInitDialog();
        return m_handler.OnInitDialog(*this);
    }
    MessageResult RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_COMMAND)
            return Declined();
        const bool handled = IsCommand(wParam, lParam) ? m_handler.OnCommand(LOWORD(wParam))
                                                       : m_handler.OnNotification(LOWORD(wParam), HIWORD(wParam));
        return handled ? Handled() : Declined();
    }

private:
    Control Item(int id) const
    {
        Control control;
        control.Attach(GetDlgItem(id));
        return control;
    }
    ComboBox List(int id) const
    {
        ComboBox list;
        list.Attach(GetDlgItem(id));
        return list;
    }

    IDialogHandler& m_handler;
    std::vector<HBITMAP> m_bitmaps;
};

}  // namespace

int Win32DialogHost::RunModal(unsigned templateId, IDialogHandler& handler)
{
    HostedDialog dialog(templateId, m_language, handler);
    return static_cast<int>(dialog.DoModal(m_owner));
}

std::unique_ptr<IDialogWindow> Win32DialogHost::CreateModeless(unsigned templateId, IDialogHandler& handler)
{
    auto dialog = std::make_unique<Modeless<HostedDialog>>(templateId, m_language, handler);
    if (!dialog->Create(m_owner))
        return nullptr;
    return dialog;
}
