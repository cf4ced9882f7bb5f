#include "storage/ColourSettings.h"

#include "storage/AnsiCodec.h"
#include "storage/IniFile.h"

#include <algorithm>
#include <cstring>

namespace {

const QString Section = QStringLiteral("Rubrica");

} // namespace

void ColourSettings::loadPalettes()
{
    // Each page colour is a deeper shade of the tab colour with the same index.
    tabColours = {ButtonFace, 0x00F8EFEF, 0x00F0FFF0, 0x00E6F7FF,
                    0x00F2F2FF, 0x00E1EBFF, 0x00ECF2EF, 0x00EAEAEA};
    pageColours = {ButtonFace, 0x00E7CFCF, 0x00D5FFD5, 0x00B7E6FF,
                     0x00C1C1FF, 0x00CADBFF, 0x00BADCDC, 0x00C1C1C1};
}

int ColourSettings::readColourIndex(const QString &key) const
{
    // The value passes through an 8-byte buffer: at most 7 characters and a NUL, the
    // buffer's earlier content after it. Only the first byte decides, so an empty value
    // (the NUL) and the "D" of "Default" both give 0, "12" gives 1 and "35" gives 3.
    char buffer[8] = {'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'};
    const QByteArray value = AnsiCodec::encode(
        IniFile::readString(iniPath, Section, key, QStringLiteral("Default")));
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(value.size()), 7);
    std::memcpy(buffer, value.constData(), length);
    buffer[length] = '\0';

    const char first = buffer[0];
    const int index = (first >= '0' && first <= '9') ? first - '0' : 0;
    return index > 7 ? 1 : index;
}

bool ColourSettings::writeColours(int pageIndex, int tabIndex, QString *reason) const
{
    return IniFile::writeString(iniPath, Section, QStringLiteral("ColSfondo"), QString::number(pageIndex), reason)
        && IniFile::writeString(iniPath, Section, QStringLiteral("ColTasti"), QString::number(tabIndex), reason);
}

QString ColourSettings::notKeptMessage(const QString &reason) const
{
    return QStringLiteral("Impossibile salvare i colori scelti nel file delle impostazioni\r%1\r\rMotivo: %2.\r\r"
                          "I colori restano in uso fino alla chiusura della Rubrica; alla prossima "
                          "apertura torneranno quelli di prima.")
        .arg(iniPath, reason);
}
