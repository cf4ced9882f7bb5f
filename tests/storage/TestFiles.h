#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A record as a new store holds it: both texts blank, plain, black, reserved "0".
inline const QByteArray EmptyRecord = QByteArray(140, ' ') + "000000";

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}
