#include "storage/StoreBackup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList backupsIn(const QDir &folder)
{
    return folder.entryList({u"*.bak"_s}, QDir::Files, QDir::Name);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The dated copies of the store: their names, which of them go, and how they are written.
class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("day"); // invalid: not a backup
        QTest::newRow("a backup") << u"rubri-2024-06-11.bak"_s << QDate(2024, 6, 11);
        QTest::newRow("leap day") << u"rubri-2024-02-29.bak"_s << QDate(2024, 2, 29);
        QTest::newRow("upper case, as Windows may show it") << u"RUBRI-2024-06-11.BAK"_s << QDate(2024, 6, 11);
        QTest::newRow("no such day") << u"rubri-2023-02-29.bak"_s << QDate();
        QTest::newRow("short month") << u"rubri-2024-6-111.bak"_s << QDate();
        QTest::newRow("signs for digits") << u"rubri-2024-+6-11.bak"_s << QDate();
        QTest::newRow("another store's") << u"altro-2024-06-11.bak"_s << QDate();
        QTest::newRow("the store itself") << u"rubri.dat"_s << QDate();
        QTest::newRow("a copy of a backup") << u"rubri-2024-06-11.bak.bak"_s << QDate();
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(QDate, day);
        const QString store = u"/tessavo/rubri.dat"_s;
        QCOMPARE(StoreBackup::dayOf(store, name), day);
        if (day.isValid() && name.startsWith(u"rubri"))
            QCOMPARE(StoreBackup::fileName(store, day), name);
    }

    // The newest seven days stay, whatever order the folder lists them in; other files stay too.
    void surplus()
    {
        QStringList names{u"rubri.dat"_s, u"Kardel.ini"_s, u"rubri-2024-13-01.bak"_s};
        for (int day : {9, 1, 30, 3, 28, 5, 6, 31, 8, 2})
            names << StoreBackup::fileName(u"rubri.dat"_s, QDate(2024, day > 9 ? 1 : 2, day));
        QCOMPARE(StoreBackup::surplus(u"rubri.dat"_s, names),
                 QStringList({u"rubri-2024-01-31.bak"_s, u"rubri-2024-01-30.bak"_s, u"rubri-2024-01-28.bak"_s}));
        QCOMPARE(StoreBackup::surplus(u"rubri.dat"_s, names.mid(0, 10)), QStringList());
    }

    // One backup a day, the first of the day; written whole, and the folder pruned to seven.
    void makesDailyBackups()
    {
        QTemporaryDir dir;
        QDir folder(dir.path());
        const QString store = dir.filePath(u"rubri.dat"_s);
        QString reason;
        const QDate first(2024, 12, 28);
        for (int i = 0; i < 9; ++i)
            QVERIFY(StoreBackup::make(store, first.addDays(i), "day " + QByteArray::number(i), &reason));
        QVERIFY(StoreBackup::make(store, first.addDays(8), "later that day", &reason));
        QStringList expected;
        for (int i = 2; i < 9; ++i)
            expected << StoreBackup::fileName(store, first.addDays(i));
        QCOMPARE(backupsIn(folder), expected);
        QCOMPARE(contentsOf(folder.filePath(expected.last())), QByteArray("day 8"));
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden).size(), 7); // no temporary file left
        QVERIFY(reason.isEmpty());
    }

    void failedBackupSaysWhy()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(u"gone/rubri.dat"_s);
        QString reason;
        QVERIFY(!StoreBackup::make(store, QDate(2024, 6, 11), "x", &reason));
        QCOMPARE(reason, u"il file o la cartella non esiste"_s);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
