#pragma once

#include <string>

namespace win32 {

// Starts the command line as it is, unquoted, and returns without waiting: CreateProcessW takes
// the program name from the line as WinExec does, but passes the rest in UTF-16, so a path that
// the ANSI code page cannot spell reaches the program intact. `showStyle` is an SW_ value.
bool startProgram(const std::wstring &commandLine, int showStyle);

} // namespace win32
