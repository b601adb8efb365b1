#include "tests/win/test_files.h"

#include <cstdlib>
#include <iostream>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"

std::wstring WindowsPath(std::wstring path)
{
    if (!path.empty() && path.front() == L'/')
        path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

bool SaveScreenshotAs(const std::wstring& path)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<std::size_t>(rowBytes) * height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool grabbed = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
    SelectObject(memory, old);
    grabbed = grabbed && GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!grabbed)
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool saved = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                 WriteFile(out, &info, sizeof(info), &written, nullptr) &&
                 WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return saved;
}

bool SaveScreenshot(const std::wstring& name)
{
    const wchar_t* folder = _wgetenv(L"VEILMARK_SCREENSHOTS");
    if (!folder || !*folder)
        return true;
    const std::wstring path = WindowsPath(folder) + L"\\" + name + L".bmp";
    if (!SaveScreenshotAs(path))
        return false;
    std::cout << "Screenshot: " << WideToUtf8(path) << "\n";
    return true;
}
