#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Top-level windows of any process, found by title, through user32 and free of Qt so that the
// same code runs in the Windows test program.
namespace win32 {

using WindowHandle = std::uintptr_t; // HWND

// A top-level window, hidden ones too, whose title is exactly `title`, capitals included (as
// titles compare on every platform of the program); 0 when there is none. FindWindow would
// ignore case, so the windows are walked instead.
WindowHandle findWindowByTitle(const std::wstring &title);
// Posts WM_CLOSE and returns at once.
bool postClose(WindowHandle window);

// Takes `title` for this process: under a lock that every process of this session shares, it
// checks that no window has the title yet and then calls `createWindow`, which must create the
// native window with that title before it returns. So two programs starting at once cannot
// both take it. False when the title is empty or taken, when the lock does not come within a
// second, or when `createWindow` fails.
bool claimTitle(const std::wstring &title, const std::function<bool()> &createWindow);

} // namespace win32
