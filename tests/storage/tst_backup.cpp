#include "storage/StoreBackup.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The dated copies of the store: their names, and which of them go. Writing them is tested
// with the window, where the first save of a run makes one.
class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("day"); // invalid: not a backup
        QTest::newRow("a backup") << u"rubri-2024-06-11.bak"_s << QDate(2024, 6, 11);
        QTest::newRow("upper case, as Windows may show it") << u"RUBRI-2024-06-11.BAK"_s << QDate(2024, 6, 11);
        QTest::newRow("no such day") << u"rubri-2023-02-29.bak"_s << QDate();
        QTest::newRow("short month") << u"rubri-2024-6-111.bak"_s << QDate();
        QTest::newRow("signs for digits") << u"rubri-2024-+6-11.bak"_s << QDate();
        QTest::newRow("another store's") << u"altro-2024-06-11.bak"_s << QDate();
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
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
