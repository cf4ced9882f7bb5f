#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace win32 {

// CP_ACP: the system's ANSI code page.
inline constexpr std::uint32_t SystemCodePage = 0;

// Each character the code page cannot hold becomes one '?', also a character outside 16 bits
// (a surrogate pair) and a lone surrogate; nothing is mapped to a look-alike ("ā" stays "?",
// not "a"). The text ends before the first character that would not fit in `maxBytes`, so a
// double-byte character is never cut in half.
std::string encodeAnsi(const std::wstring &text, std::uint32_t codePage,
                       std::size_t maxBytes = std::string::npos);
std::wstring decodeAnsi(const std::string &bytes, std::uint32_t codePage);

} // namespace win32
