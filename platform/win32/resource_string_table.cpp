#include "platform/win32/resource_string_table.h"

#include "platform/win32/text.h"

std::string ResourceStringTable::Load(unsigned id) const
{
    // With a zero buffer size LoadStringW hands back a pointer to the
    // resource's own text, which is not zero-terminated; the result is its length.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(m_module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    return WideToUtf8(std::wstring_view(text, static_cast<std::size_t>(length)));
}
