#include "exchange/InputText.h"

#include <QFile>
#include <QFileInfo>

namespace InputText {

namespace {

// The offset of the first byte that does not belong to a well-formed UTF-8 sequence, or -1.
qsizetype firstInvalidUtf8(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // overlong
            if (c == 0xED)
                high = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + length > size || data[i + 1] < low || data[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if (data[i + k] < 0x80 || data[i + k] > 0xBF)
                return i;
        }
        i += length;
    }
    return -1;
}

} // namespace

bool readFile(const QString &path, QByteArray *bytes, InputProblem *problem)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *problem = {0, QStringLiteral("il file non esiste")};
        return false;
    }
    if (info.isDir()) {
        *problem = {0, QStringLiteral("è una cartella, non un file")};
        return false;
    }
    if (info.size() > MaxFileSize) {
        *problem = {0, QStringLiteral("il file è troppo grande (%1 MB; al massimo %2 MB)")
                           .arg(info.size() / (1024 * 1024)).arg(MaxFileSize / (1024 * 1024))};
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = {0, QStringLiteral("il file non si può leggere")};
        return false;
    }
    // Read up to one byte past the limit: a file that grows while it is read is still refused.
    *bytes = file.read(MaxFileSize + 1);
    if (bytes->size() > MaxFileSize) {
        *problem = {0, QStringLiteral("il file è troppo grande")};
        return false;
    }
    return checkBytes(bytes, problem);
}

bool checkBytes(QByteArray *bytes, InputProblem *problem)
{
    if (bytes->startsWith("\xEF\xBB\xBF"))
        bytes->remove(0, 3);
    if (bytes->trimmed().isEmpty()) {
        *problem = {0, QStringLiteral("il file è vuoto")};
        return false;
    }
    if (bytes->startsWith("\xFF\xFE") || bytes->startsWith("\xFE\xFF")) {
        *problem = {1, QStringLiteral("il file è in UTF-16; salvalo in UTF-8 e riprova")};
        return false;
    }
    const qsizetype nul = bytes->indexOf('\0');
    if (nul >= 0) {
        // Text in UTF-16 without a byte order mark has a NUL beside every Latin letter.
        const bool utf16 = nul <= 1 && bytes->size() > nul + 2 && ((*bytes)[nul + 2] == '\0');
        *problem = {lineOf(*bytes, nul),
                    utf16 ? QStringLiteral("il file è in UTF-16; salvalo in UTF-8 e riprova")
                          : QStringLiteral("il file non è un file di testo (contiene dati binari)")};
        return false;
    }
    return true;
}

bool decodeUtf8(const QByteArray &bytes, int firstLine, QString *text, InputProblem *problem)
{
    const qsizetype bad = firstInvalidUtf8(bytes);
    if (bad >= 0) {
        *problem = {firstLine + lineOf(bytes, bad) - 1,
                    QStringLiteral("il testo non è in UTF-8 (forse Latin-1 o Windows-1252); "
                                   "salvalo in UTF-8 e riprova")};
        return false;
    }
    *text = QString::fromUtf8(bytes);
    return true;
}

int lineOf(const QByteArray &bytes, qsizetype offset)
{
    const qsizetype end = qMin(offset, bytes.size());
    int line = 1;
    for (qsizetype i = 0; i < end; ++i) {
        const char c = bytes.at(i);
        // CR LF, LF and a lone CR each end one line.
        if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes.at(i + 1) != '\n')))
            ++line;
    }
    return line;
}

} // namespace InputText
