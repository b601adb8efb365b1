// Files of the Windows tests: paths as Wine sees them, and screenshots.
#pragma once

#include <string>

// The Windows form of a path: a Unix path (as CMake names files) becomes a
// path on Wine's Z: drive, and slashes become backslashes.
std::wstring WindowsPath(std::wstring path);

// The whole screen as a 24-bit BMP file.
bool SaveScreenshotAs(const std::wstring& path);
// The whole screen as NAME.bmp in the folder that the environment variable
// VEILMARK_SCREENSHOTS names, if it does; prints where. False when it was
// asked for and could not be saved.
bool SaveScreenshot(const std::wstring& name);
