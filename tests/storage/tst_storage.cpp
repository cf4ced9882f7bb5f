#include "common/StoreDiff.h"
#include "common/TestFiles.h"
#include "MemoryRecordFile.h"
#include "storage/IniFile.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "storage/StoreBackup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>
#include <tuple>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// A record as a new store holds it: both texts blank, plain, black, reserved "0".
const QByteArray EmptyRecord = QByteArray(140, ' ') + "000000";
constexpr int SheetBytes = 44 * 146;

} // namespace

// The store file rubri.dat, its records, its dated backups, and writing Kardel.ini.
class TestStorage : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_store;

private slots:
    void init()
    {
        m_store = m_dir.emplace().filePath(u"rubri.dat"_s);
    }

    void textFields_data()
    {
        QTest::addColumn<bool>("longCell");
        QTest::addColumn<QString>("text"); // null: the stored bytes are only read
        QTest::addColumn<QByteArray>("stored"); // the field without its padding blanks
        QTest::addColumn<QString>("readBack");
        const auto row = [](const char *name, bool longCell, const QString &text, const QByteArray &stored,
                            const QString &readBack) { QTest::newRow(name) << longCell << text << stored << readBack; };
        const QString x100(100, u'x'), z40(40, u'z');
        row("101 characters cut", true, x100 + u'y', x100.toLatin1(), x100);
        row("41 characters cut", false, z40 + u'y', z40.toLatin1(), z40);
        row("Italian, euro", false, u"àèéìòù €"_s, "\xE0\xE8\xE9\xEC\xF2\xF9 \x80", u"àèéìòù €"_s);
        row("outside the page, no look-alikes", true, u"a日āb"_s, "a??b", u"a??b"_s);
        row("beyond 16 bits", true, u"a😀b"_s, "a?b", u"a?b"_s);
        row("NUL ends the text, blanks before it go", false, QString(), QByteArray("ab  \0zz", 7), u"ab"_s);
    }

    void textFields()
    {
        QFETCH(bool, longCell);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        const int width = longCell ? 100 : 40;
        QByteArray bytes = EmptyRecord;
        bytes.replace(longCell ? 0 : 100, width, stored.leftJustified(width));
        RowRecord record = RowRecord::fromBytes(bytes.constData(), bytes.size());
        QTEST(longCell ? record.longText() : record.shortText(), "readBack");
        if (!text.isNull()) {
            record = RowRecord();
            longCell ? record.setLongText(text) : record.setShortText(text);
            QCOMPARE(record.bytes(), bytes);
        }
    }

    // A colour outside the six takes the code above it in its column; a blank in row 1.
    void encodedSheet()
    {
        std::array<RowContent, 44> rows;
        rows[0].longCell.colour = rows[0].shortCell.colour = rows[2].longCell.colour = 0x123456;
        rows[1].longCell = {u"Rossi"_s, {true, true}, 0xFF0000};
        rows[1].shortCell.font.underline = true;
        const QByteArray sheet = encodeSheet(rows);
        QCOMPARE(sheet.size(), SheetBytes);
        QCOMPARE(sheet.left(3 * 146), EmptyRecord.chopped(2) + "  " + QByteArray("Rossi").leftJustified(140) + "320040"
                                          + EmptyRecord.chopped(2) + "40");
    }

#ifdef Q_OS_UNIX // Windows locks through the sharing mode
    // A store another program holds locked is told, and left as it was.
    void lockedStore()
    {
        QVERIFY(writeAll(m_store, EmptyRecord));
        QFile lockHolder(m_store);
        QVERIFY(lockHolder.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(lockHolder.handle(), LOCK_EX), 0);
        SheetStore store;
        QVERIFY(SheetStore::createIfMissing(m_store, nullptr));
        QVERIFY(!store.open(m_store));
        QCOMPARE(store.error().message(), u"Impossibile aprire l'archivio della Rubrica\r%1\r\rMotivo: il file è in "
                                          u"uso da un altro programma.\r\rIl programma verrà chiuso."_s.arg(m_store));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"rubri.dat"_s});
        QCOMPARE(fileBytes(m_store), EmptyRecord);
    }
#endif

    // A missing store is created empty; an existing short one is kept and read as far as it goes.
    void createReadAndWrite()
    {
        QVERIFY(SheetStore::createIfMissing(m_store, nullptr));
        QByteArray expected = EmptyRecord.repeated(1936); // 282656 bytes
        COMPARE_STORE(fileBytes(m_store), expected);
        SheetStore store;
        QVERIFY(store.open(m_store));
        for (const auto &[sheet, firstRecord, fill] :
             {std::tuple(43, 1893, 'C'), std::tuple(1, 45, 'B'), std::tuple(0, 1, 'A')}) {
            QVERIFY(store.writeSheet(sheet, QByteArray(SheetBytes, fill)));
            expected.replace((firstRecord - 1) * 146, SheetBytes, QByteArray(SheetBytes, fill));
        }
        COMPARE_STORE(fileBytes(m_store), expected);

        RowRecord record;
        const QByteArray shortBytes = QByteArray(100, 'A') + QByteArray(40, 'a') + "312045" + QByteArray(50, 'B');
        QVERIFY(writeAll(m_store, shortBytes));
        QVERIFY(SheetStore::createIfMissing(m_store, nullptr));
        QVERIFY(store.open(m_store));
        QVERIFY(store.read(2, &record));
        QCOMPARE(record.bytes(), QByteArray(50, 'B') + EmptyRecord.mid(50));
        QVERIFY(store.read(1936, &record));
        QCOMPARE(record.bytes(), EmptyRecord);
        QCOMPARE(store.lastRecordRead(), 1936);
        COMPARE_STORE(fileBytes(m_store), shortBytes); // kept, and reading never grows it
        // Saving sheet 1 fills the rest of sheet 0 with empty records, not zero bytes.
        QVERIFY(store.writeSheet(1, QByteArray(SheetBytes, 'S')));
        COMPARE_STORE(fileBytes(m_store), shortBytes + EmptyRecord.mid(50) + EmptyRecord.repeated(42) + QByteArray(SheetBytes, 'S'));
    }

    void failedWriteRestoresFile_data()
    {
        QTest::addColumn<int>("initialSize");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<qint64>("writeBudget"); // -1: all is written, the flush fails
        QTest::addColumn<bool>("failAlways");
        QTest::newRow("half a sheet written") << 282656 << 1 << qint64(3000) << false;
        QTest::newRow("all written, flush fails") << 282656 << 5 << qint64(-1) << false;
        QTest::newRow("short file grew") << 100 << 2 << qint64(4000) << false;
        QTest::newRow("restore fails too") << 282656 << 1 << qint64(10) << true;
    }

    // The old bytes and size are put back, and the message says truthfully whether that worked.
    void failedWriteRestoresFile()
    {
        QFETCH(int, initialSize);
        QFETCH(int, sheet);
        QFETCH(qint64, writeBudget);
        QFETCH(bool, failAlways);
        const QByteArray before = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(11000).left(initialSize);
        QByteArray bytes = before;
        auto file = std::make_unique<MemoryRecordFile>(&bytes);
        file->flushFails = writeBudget < 0;
        file->writeBudget = writeBudget < 0 ? file->writeBudget : writeBudget;
        file->failAlways = failAlways;
        SheetStore store;
        QVERIFY(store.open(std::move(file), u"rubri.dat"_s));
        QVERIFY(!store.writeSheet(sheet, QByteArray(SheetBytes, 'W')));
        QVERIFY(failAlways || bytes == before);
        const QString outcome = failAlways ? u"potrebbe essere rimasto danneggiato"_s : u"non è stato modificato"_s;
        QCOMPARE(store.error().saveMessage().split(u'\r').mid(1, 4),
                 QStringList({u"rubri.dat"_s, QString(), u"Motivo: disco pieno."_s, u"Il file "_s + outcome + u'.'}));
    }

    // One line changed or added, every other byte alone; the reading side is tst_inioracle's.
    void iniWrite_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // once ColTasti is 5
        QTest::newRow("CR alone, key added")
            << QByteArray("[Rubrica]\rColSfondo=1\r\r[Z]\rColTasti=1")
            << QByteArray("[Rubrica]\rColSfondo=1\rColTasti=5\r\r[Z]\rColTasti=1");
        QTest::newRow("CR CR LF") << QByteArray("[Rubrica]\r\r\nColTasti=1\r\r\n")
                                  << QByteArray("[Rubrica]\r\r\nColTasti=5\r\r\n");
        QTest::newRow("replaced in place, names as spelled, each line its own ending")
            << QByteArray("[A]\nk=v\n[rubrica]\r\n  coltasti = 1 \r\n\n[B]\nz=1")
            << QByteArray("[A]\nk=v\n[rubrica]\r\ncoltasti=5\r\n\n[B]\nz=1");
        QTest::newRow("only in other sections")
            << QByteArray("ColTasti=4\n[A]\nColTasti=6\n[Rubrica]\n[X]\nColTasti=6")
            << QByteArray("ColTasti=4\n[A]\nColTasti=6\n[Rubrica]\nColTasti=5\n[X]\nColTasti=6");
        QTest::newRow("longer key name") << QByteArray("[Rubrica]\nColTastiX=3\n")
                                         << QByteArray("[Rubrica]\nColTastiX=3\nColTasti=5\n");
        QTest::newRow("new lines take the usual ending")
            << QByteArray("[A]\nk=v\r\n[B]\nz=1\n") << QByteArray("[A]\nk=v\r\n[B]\nz=1\n[Rubrica]\nColTasti=5\n");
    }

    void iniWrite()
    {
        QFETCH(QByteArray, before);
        QTEST(IniFile::withValue(before, u"Rubrica"_s, u"ColTasti"_s, u"5"_s), "after");
    }

    // Writing the dated copies is tested with the window, where the first save of a run makes one.
    void backupNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("day"); // invalid: not a backup
        QTest::newRow("a backup") << u"rubri-2024-06-11.bak"_s << QDate(2024, 6, 11);
        QTest::newRow("no such day") << u"rubri-2023-02-29.bak"_s << QDate();
        QTest::newRow("another store's") << u"altro-2024-06-11.bak"_s << QDate();
    }

    void backupNames()
    {
        QFETCH(QString, name);
        QTEST(StoreBackup::dayOf(u"/tessavo/rubri.dat"_s, name), "day");
    }

};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
