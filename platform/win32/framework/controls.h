// Control and menu wrappers: a handle and one-line calls.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"

// A child window bound by control id.
class Control {
public:
    void Attach(HWND window) { m_hWnd = window; }
    HWND Handle() const { return m_hWnd; }

    void SetText(std::string_view text) { SetWindowTextW(m_hWnd, Utf8ToWide(text).c_str()); }
    std::string Text() const
    {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
        return WideToUtf8(text);
    }

private:
    HWND m_hWnd = nullptr;
};

class Button : public Control {};
class StaticText : public Control {};

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

    bool Load(HINSTANCE module, unsigned menuId)
    {
        m_hMenu = LoadMenuW(module, MAKEINTRESOURCEW(menuId));
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
