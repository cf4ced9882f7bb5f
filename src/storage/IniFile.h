#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads and writes single values of a Windows initialization file the way the Windows profile
// functions do: names compared without regard to case, values trimmed, the default when the
// file, section or key is missing. Lines may end with CR LF, LF or CR alone. A write changes
// one line, or adds the missing key, section or file, and keeps every other byte of the file;
// a key that already holds the value is left alone, and the file is then not written at all.
class IniFile
{
public:
    static QString readString(const QString &path, const QString &section, const QString &key,
                              const QString &defaultText);
    // False, with an Italian reason, when the file exists but cannot be read, is read-only,
    // or cannot be replaced.
    static bool writeString(const QString &path, const QString &section, const QString &key,
                            const QString &value, QString *reason = nullptr);

    // The same on the file's bytes. nullopt when the section or the key is missing, or the
    // key's line has no '='.
    static std::optional<QString> valueIn(const QByteArray &contents, const QString &section,
                                          const QString &key);
    static QByteArray withValue(const QByteArray &contents, const QString &section,
                                const QString &key, const QString &value);
};
