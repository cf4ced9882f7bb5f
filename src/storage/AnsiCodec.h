#pragma once

#include <QByteArray>
#include <QString>

// Text as the store and the settings file hold it: one byte per character in the system's
// ANSI code page. Off Windows that page is taken to be Windows-1252, the page of the
// Italian Windows installations the files come from.
namespace AnsiCodec {

// Characters without a byte in the code page become '?'.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace AnsiCodec
