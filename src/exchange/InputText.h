#pragma once

#include <QByteArray>
#include <QString>

// What is wrong with a file that is to be imported, and where: the line counts from 1, 0 when
// the whole file is meant. `what` is Italian, without a final full stop.
struct InputProblem
{
    int line = 0;
    QString what;
};

// The checks every imported file passes before it is read as CSV or vCard.
namespace InputText {

// Far beyond an address book's worth of entries, even with a phone's photos in it.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// Reads the whole file: not too big, not empty, not UTF-16, no NUL bytes (binary data).
// A UTF-8 byte order mark is dropped.
bool readFile(const QString &path, QByteArray *bytes, InputProblem *problem);

// The same checks on bytes already read.
bool checkBytes(QByteArray *bytes, InputProblem *problem);

// Strict UTF-8; the problem names the line of the first byte that is not UTF-8 (a file saved
// as Latin-1 or Windows-1252, mostly). `firstLine` is the line `bytes` begins on.
bool decodeUtf8(const QByteArray &bytes, int firstLine, QString *text, InputProblem *problem);

// The line (from 1) on which the byte at `offset` stands.
int lineOf(const QByteArray &bytes, qsizetype offset);

} // namespace InputText
