#include "Check.h"
#include "IniCases.h"

#include <windows.h>

#include <string>

namespace {

// The profile reader of the program is the ANSI one, so the path is given in the ANSI code page.
std::string ansiPath(const std::wstring &path)
{
    char bytes[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

} // namespace

void checkIniReader(const std::wstring &folder)
{
    int index = 0;
    for (const IniCase &c : IniCases) {
        const std::wstring file = folder + L"\\case" + std::to_wstring(++index) + L".ini";
        if (c.contents)
            check::writeWholeFile(file, c.contents);
        const std::string path = ansiPath(file);
        char buffer[256] = {};
        const DWORD length = GetPrivateProfileStringA(c.section, c.key, "Default", buffer, sizeof buffer, path.c_str());
        const std::string answer(buffer, length);
        check::that(answer == c.answer, std::string("the INI case \"") + c.name + "\" reads \"" + c.answer
                        + "\" on Windows (it read \"" + answer + "\")");
    }
}
