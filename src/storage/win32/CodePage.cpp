#include "storage/win32/CodePage.h"

#include <windows.h>

#include <algorithm>

namespace win32 {

namespace {

bool isHigh(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The bytes of one character, or "?" when the page has none for it.
std::string encodeOne(const wchar_t *units, int count, UINT codePage)
{
    char bytes[8];
    BOOL usedDefault = FALSE;
    // The UTF-8 page holds everything and takes neither the flag nor a default character.
    const bool everything = codePage == CP_UTF8;
    const int length = WideCharToMultiByte(codePage, everything ? 0 : WC_NO_BEST_FIT_CHARS, units, count,
                                           bytes, sizeof bytes, everything ? nullptr : "?",
                                           everything ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault)
        return "?";
    return std::string(bytes, static_cast<std::size_t>(length));
}

} // namespace

std::string encodeAnsi(const std::wstring &text, std::uint32_t codePage, std::size_t maxBytes)
{
    const UINT page = codePage == SystemCodePage ? GetACP() : codePage;
    std::string bytes;
    bytes.reserve(std::min(text.size(), maxBytes));
    for (std::size_t i = 0; i < text.size();) {
        const wchar_t unit = text[i];
        std::size_t count = 1;
        std::string one;
        if (unit < 0x80) {
            one.assign(1, static_cast<char>(unit)); // ASCII is itself in every ANSI code page
        } else if (isHigh(unit) && i + 1 < text.size() && isLow(text[i + 1])) {
            count = 2;
            one = encodeOne(text.data() + i, 2, page);
        } else if (isHigh(unit) || isLow(unit)) {
            one = "?";
        } else {
            one = encodeOne(text.data() + i, 1, page);
        }
        if (bytes.size() + one.size() > maxBytes)
            break;
        bytes += one;
        i += count;
    }
    return bytes;
}

std::wstring decodeAnsi(const std::string &bytes, std::uint32_t codePage)
{
    if (bytes.empty())
        return std::wstring();
    const int byteLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), byteLength, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), byteLength, &text[0], length);
    return text;
}

} // namespace win32
