// Control wrappers: a window handle and one-line calls. A wrapper does not
// own its window; texts are UTF-8, as everywhere in the program.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/framework/resource_language.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

// A child window bound by control id.
class Control {
public:
    void Attach(HWND window) { m_hWnd = window; }
    HWND Handle() const { return m_hWnd; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }

    void SetText(std::string_view text) { SetWindowTextW(m_hWnd, Utf8ToWide(text).c_str()); }
    std::string Text() const
    {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
        return WideToUtf8(text);
    }
    void Enable(bool enable) { EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(m_hWnd) != FALSE; }

protected:
    // A text as a message parameter, alive to the end of the calling statement.
    static LPARAM TextParam(const std::wstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
    // The text of a list's entry, through the list's length and text messages;
    // empty for an entry that is not there (both lists answer -1 then).
    std::string EntryText(UINT lengthMessage, UINT textMessage, int index) const
    {
        const LRESULT length = Send(lengthMessage, static_cast<WPARAM>(index));
        if (length < 0)
            return {};
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = Send(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        return WideToUtf8(text);
    }

private:
    HWND m_hWnd = nullptr;
};

class Button : public Control {};

class Edit : public Control {
public:
    void LimitText(int characters) { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    void SetSel(int start, int end) { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
};

// A static control showing a text, an icon or a bitmap.
class Static : public Control {
public:
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

class ListBox : public Control {
public:
    int AddString(std::string_view text) { return int(Send(LB_ADDSTRING, 0, TextParam(Utf8ToWide(text)))); }
    int DeleteString(int index) { return int(Send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
    void ResetContent() { Send(LB_RESETCONTENT); }
    int Count() const { return int(Send(LB_GETCOUNT)); }
    int CurSel() const { return int(Send(LB_GETCURSEL)); }
    int SetCurSel(int index) { return int(Send(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int FindStringExact(std::string_view text, int after = -1) const
    {
        return int(Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), TextParam(Utf8ToWide(text))));
    }
    std::string ItemText(int index) const { return EntryText(LB_GETTEXTLEN, LB_GETTEXT, index); }
};

class ComboBox : public Control {
public:
    int AddString(std::string_view text) { return int(Send(CB_ADDSTRING, 0, TextParam(Utf8ToWide(text)))); }
    void ResetContent() { Send(CB_RESETCONTENT); }
    int Count() const { return int(Send(CB_GETCOUNT)); }
    int CurSel() const { return int(Send(CB_GETCURSEL)); }
    int SetCurSel(int index) { return int(Send(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    // Selects the first entry, after `after`, whose text begins with `prefix`
    // (case ignored); -1 searches the whole list.
    int SelectString(int after, std::string_view prefix)
    {
        return int(Send(CB_SELECTSTRING, static_cast<WPARAM>(after), TextParam(Utf8ToWide(prefix))));
    }
    std::string ItemText(int index) const { return EntryText(CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }
};

// Holds one menu handle. A menu that became a window's menu bar is destroyed
// with the window: the owner then detaches it so it is not destroyed twice.
class Menu {
public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    ~Menu()
    {
        if (m_hMenu)
            DestroyMenu(m_hMenu);
    }

    // The menu resource of `language` (see resource_language.h).
    bool Load(HINSTANCE module, unsigned menuId, Language language)
    {
        const void* menu = FindResourceOf(module, RT_MENU, menuId, language);
        m_hMenu = menu ? LoadMenuIndirectW(static_cast<const MENUTEMPLATEW*>(menu)) : nullptr;
        return m_hMenu != nullptr;
    }
    HMENU Handle() const { return m_hMenu; }
    HMENU Detach()
    {
        HMENU menu = m_hMenu;
        m_hMenu = nullptr;
        return menu;
    }

private:
    HMENU m_hMenu = nullptr;
};
