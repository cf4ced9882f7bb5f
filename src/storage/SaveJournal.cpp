#include "storage/SaveJournal.h"

#include "storage/RowRecord.h"
#include "storage/RecordFile.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace {

// The name and layout version; a journal of another layout is not one of ours.
const QByteArray Magic = QByteArrayLiteral("RUBRJNL1");
constexpr int DigestLength = 32;
constexpr qsizetype HeaderLength = 8 + 4 + 8 + 8 + 8 + 4 + DigestLength;
constexpr qint64 SheetBytes = qint64(RowsPerSheet) * RecordLength;

template <typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

template <typename T>
T take(const QByteArray &in, qsizetype &position)
{
    const T value = qFromLittleEndian<T>(in.constData() + position);
    position += sizeof(T);
    return value;
}

} // namespace

QByteArray SaveJournal::digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray SaveJournal::encode() const
{
    QByteArray out = Magic;
    out.reserve(HeaderLength + oldBytes.size() + DigestLength);
    put<quint32>(out, quint32(sheet));
    put<qint64>(out, oldFileSize);
    put<qint64>(out, writtenStart);
    put<qint64>(out, writtenLength);
    put<quint32>(out, quint32(oldBytes.size()));
    out.append(newDigest);
    out.append(oldBytes);
    out.append(digest(out));
    return out;
}

std::optional<SaveJournal> SaveJournal::decode(const QByteArray &bytes)
{
    if (bytes.size() < HeaderLength + DigestLength || !bytes.startsWith(Magic))
        return std::nullopt;
    const qsizetype body = bytes.size() - DigestLength;
    if (digest(bytes.left(body)) != bytes.mid(body))
        return std::nullopt;
    qsizetype position = Magic.size();
    SaveJournal journal;
    const quint32 sheet = take<quint32>(bytes, position);
    journal.oldFileSize = take<qint64>(bytes, position);
    journal.writtenStart = take<qint64>(bytes, position);
    journal.writtenLength = take<qint64>(bytes, position);
    const quint32 oldLength = take<quint32>(bytes, position);
    journal.newDigest = bytes.mid(position, DigestLength);
    position += DigestLength;
    // A whole journal that no save could have written is refused as well: undoing it would
    // write where no sheet lies.
    const bool sane = sheet < quint32(SheetCount) && journal.oldFileSize >= 0
        && journal.writtenStart >= 0 && journal.writtenStart <= qint64(sheet) * SheetBytes
        && journal.writtenStart + journal.writtenLength == qint64(sheet + 1) * SheetBytes
        && qsizetype(oldLength) == body - position
        && qint64(oldLength) == qBound<qint64>(0, journal.oldFileSize - journal.writtenStart, journal.writtenLength)
        && (journal.writtenStart == qint64(sheet) * SheetBytes || journal.writtenStart == journal.oldFileSize);
    if (!sane)
        return std::nullopt;
    journal.sheet = int(sheet);
    journal.oldBytes = bytes.mid(position, oldLength);
    return journal;
}

bool SaveJournal::saveIsWhole(RecordFile &store, bool *whole) const
{
    QByteArray now(writtenLength, '\0');
    qint64 got = 0;
    if (!store.readAt(writtenStart, now.data(), writtenLength, &got))
        return false;
    *whole = got == writtenLength && digest(now) == newDigest;
    return true;
}

bool SaveJournal::undo(RecordFile &store) const
{
    if (!oldBytes.isEmpty() && !store.writeAt(writtenStart, oldBytes.constData(), oldBytes.size()))
        return false;
    const qint64 size = store.size();
    if (size < 0 || (size > oldFileSize && !store.resize(oldFileSize)))
        return false;
    return store.flush();
}
