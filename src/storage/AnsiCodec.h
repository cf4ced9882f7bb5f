#pragma once

#include <QByteArray>
#include <QString>

// Text as the store and the settings file hold it: one byte per character in the system's
// ANSI code page. Off Windows that page is taken to be Windows-1252, the page of the
// Italian Windows installations the files come from.
namespace AnsiCodec {

// Each character the code page cannot hold becomes one '?', a character outside 16 bits too;
// none is replaced by a look-alike ("ā" is "?", not "a"), on every platform.
QByteArray encode(const QString &text);
// The same, ending before the first character that would go past `maxBytes`: on a double-byte
// code page a character is never cut in half.
QByteArray encode(const QString &text, qsizetype maxBytes);
QString decode(const QByteArray &bytes);

} // namespace AnsiCodec
