#pragma once

#include <cstdint>
#include <string>

namespace win32 {

// The Italian reason, in UTF-8, for a code of GetLastError().
std::string errorReason(std::uint32_t code);

} // namespace win32
