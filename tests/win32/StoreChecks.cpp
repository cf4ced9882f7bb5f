#include "Check.h"
#include "IniCases.h"

#include "storage/win32/CodePage.h"
#include "storage/win32/ErrorText.h"
#include "storage/win32/StoreFile.h"

#include <windows.h>

#include <string>

using check::that;
using check::writeWholeFile;

namespace {

std::string reasonOfLastError() { return win32::errorReason(GetLastError()); }

} // namespace

void checkStoreFile(const std::wstring &folder)
{
    const std::wstring path = folder + L"\\rubri.dat";
    const std::string record = std::string(140, ' ') + "000000";
    writeWholeFile(path, record + record);

    win32::FileHandle store = win32::openStore(path);
    that(store != nullptr, "the store opens");
    if (!store)
        return;
    that(!DeleteFileW(path.c_str()), "the open store cannot be deleted");
    that(win32::openStore(path) == nullptr, "a second open of the store is refused");
    that(reasonOfLastError() == "il file è in uso da un altro programma", "the refused open says the file is in use");
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    that(reader != INVALID_HANDLE_VALUE, "another program may still read the open store");

    // Records by offset, a short read at the end, growing and shrinking.
    const std::string row = std::string("Rossi") + std::string(135, ' ') + "100000";
    std::string back(146, '\0');
    std::int64_t got = -1;
    that(win32::writeAt(store, 146, row.data(), 146), "a record is written at its offset");
    win32::readAt(store, 146, &back[0], 146, &got);
    that(back == row, "the record reads back");
    that(win32::readAt(store, 2 * 146, &back[0], 146, &got), "a read past the end is no failure");
    that(got == 0, "a read past the end is short");
    that(win32::flush(store), "the store is flushed");
    win32::resize(store, 3 * 146);
    that(win32::fileSize(store) == 3 * 146, "the store grows to a size");

    // A write the system refuses fails with an Italian reason (here: a handle that may only read).
    that(!win32::writeAt(reader, 0, row.data(), 146), "a refused write fails");
    that(reasonOfLastError() == "accesso negato", "the refused write says access is denied");
    if (reader != INVALID_HANDLE_VALUE)
        CloseHandle(reader);

    // The moved or replaced store is told by the file's identity, not by its name.
    const std::wstring other = folder + L"\\other.dat";
    that(win32::pathStatus(store, path) == win32::PathStatus::SameFile, "the store's own path names it");
    writeWholeFile(other, record);
    that(win32::pathStatus(store, other) == win32::PathStatus::Replaced, "a different file at the path is a replaced store");
    that(win32::pathStatus(store, folder + L"\\gone.dat") == win32::PathStatus::Missing, "nothing at the path is a missing store");
    win32::closeFile(store);

    that(DeleteFileW(path.c_str()) != 0, "a closed store can be deleted");
    that(win32::openStore(path) == nullptr, "a missing store is not created");
    that(reasonOfLastError() == "il file o la cartella non esiste", "a missing store is said to be missing");
}

void checkCodePage()
{
    using win32::decodeAnsi;
    using win32::encodeAnsi;
    const std::uint32_t system = win32::SystemCodePage;
    that(encodeAnsi(L"\u00e0\u00e8\u00e9\u00ec\u00f2\u00f9 \u20ac", system) == "\xE0\xE8\xE9\xEC\xF2\xF9 \x80",
         "Italian letters and the euro have their bytes");
    that(encodeAnsi(L"\u0101 \u03a9 \u65e5", system) == "? ? ?", "no look-alikes: a, Greek and Chinese become '?'");
    that(encodeAnsi(L"a\U0001F600b", system) == "a?b", "a character outside 16 bits is one '?'");

    std::string every(256, '\0');
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = static_cast<char>(i);
    const std::wstring decoded = decodeAnsi(every, system);
    that(encodeAnsi(decoded, system) == every, "every byte survives a round trip");
    that(decodeAnsi("\x81\x8D\x8F\x90\x9D", system) == L"\u0081\u008D\u008F\u0090\u009D",
         "the five undefined bytes are the C1 controls of their number");
}

// The program reads its settings with the ANSI profile reader, so the path goes in the ANSI page.
void checkIniReader(const std::wstring &folder)
{
    int index = 0;
    for (const IniCase &c : IniCases) {
        const std::wstring file = folder + L"\\case" + std::to_wstring(++index) + L".ini";
        if (c.contents)
            writeWholeFile(file, c.contents);
        char path[MAX_PATH * 2] = {}, buffer[256] = {};
        WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, path, sizeof path, nullptr, nullptr);
        const std::string answer(buffer, GetPrivateProfileStringA(c.section, c.key, "Default", buffer, sizeof buffer, path));
        that(answer == c.answer, std::string("the INI case \"") + c.name + "\" reads \"" + c.answer + "\" (it read \"" + answer + "\")");
    }
}
