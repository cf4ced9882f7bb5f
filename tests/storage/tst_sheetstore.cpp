#include "storage/Record_Riga.h"
#include "storage/RecordFile.h"
#include "storage/SheetStore.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

bool runningAsRoot()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

// QSKIP with its message alone trips clang's pedantic warning about empty variadic macro arguments.
#define SKIP_TEST(message) QTest::qSkip(message, __FILE__, __LINE__)

// A file in memory whose first write stops after a number of bytes, and whose first flush
// may fail, like a disk that fills up in the middle of a save.
class FaultyFile : public RecordFile
{
public:
    FaultyFile(QByteArray *bytes, qint64 writeBudget, bool failFlush, bool failAlways)
        : m_bytes(bytes), m_writeBudget(writeBudget), m_failFlush(failFlush), m_failAlways(failAlways)
    {
    }

    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const qint64 available = qBound<qint64>(0, m_bytes->size() - offset, size);
        std::copy_n(m_bytes->constData() + qMin<qint64>(offset, m_bytes->size()), available, data);
        *got = available;
        return true;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override
    {
        const bool fails = (m_writes++ == 0 || m_failAlways) && size > m_writeBudget;
        const qint64 count = fails ? m_writeBudget : size;
        if (m_bytes->size() < offset + count)
            m_bytes->append(QByteArray(offset + count - m_bytes->size(), '\0'));
        m_bytes->replace(offset, count, QByteArray(data, count));
        return !fails;
    }
    bool flush() override { return !(m_failFlush && m_flushes++ == 0); }
    qint64 size() override { return m_bytes->size(); }
    bool resize(qint64 size) override
    {
        m_bytes->resize(size);
        return true;
    }
    QString errorReason() const override { return QStringLiteral("spazio su disco esaurito"); }

private:
    QByteArray *m_bytes;
    qint64 m_writeBudget;
    bool m_failFlush;
    bool m_failAlways;
    int m_writes = 0;
    int m_flushes = 0;
};

QByteArray sheetOf(char fill)
{
    QByteArray sheet;
    for (int row = 1; row <= 44; ++row)
        sheet += QByteArray(140, fill) + QByteArray::number(100000 + row).right(6);
    return sheet;
}

} // namespace

class TestSheetStore : public QObject
{
    Q_OBJECT

private slots:
    void createIfMissing_data();
    void createIfMissing();
    void failedCreationLeavesNoFile_data();
    void failedCreationLeavesNoFile();
    void openFailures_data();
    void openFailures();
    void readsBeyondShortFile();
    void writeSheetPlacesRecords_data();
    void writeSheetPlacesRecords();
    void failedWriteRestoresFile_data();
    void failedWriteRestoresFile();
};

void TestSheetStore::createIfMissing_data()
{
    QTest::addColumn<QByteArray>("contents"); // a null array: no file
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("short") << QByteArray("abc");
    QTest::newRow("one and a half records") << QByteArray(219, 'z');
}

void TestSheetStore::createIfMissing()
{
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    if (!contents.isNull())
        writeFile(path, contents);
    StoreError error;
    QVERIFY(SheetStore::createIfMissing(path, &error));
    const QByteArray after = contentsOf(path);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("rubri.dat")});
    if (!contents.isNull()) {
        QCOMPARE(after, contents);
        return;
    }
    QCOMPARE(after.size(), 282656);
    for (int n = 0; n < 1936; ++n)
        QCOMPARE(after.mid(n * 146, 146), EmptyRecord);
}

void TestSheetStore::failedCreationLeavesNoFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<QString>("reason");
    // Root ignores folder permissions; a parent that is a file stops everybody.
    QTest::newRow("parent is a file") << false << QStringLiteral("una parte del percorso non è una cartella");
    QTest::newRow("read-only folder") << true << QStringLiteral("accesso negato");
}

void TestSheetStore::failedCreationLeavesNoFile()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(QString, reason);
    if (readOnlyFolder && runningAsRoot())
        return SKIP_TEST("root writes into read-only folders");

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program"));
    if (readOnlyFolder) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("program")));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    } else {
        writeFile(folder, "not a folder");
    }
    const QString path = folder + QStringLiteral("/rubri.dat");

    StoreError error;
    QVERIFY(!SheetStore::createIfMissing(path, &error));
    QCOMPARE(error.operation, StoreError::Create);
    QCOMPARE(error.reason, reason);
    QVERIFY(error.message().startsWith(QStringLiteral("Impossibile creare l'archivio della Rubrica\r") + path));
    QVERIFY(!QFileInfo::exists(path));
    if (readOnlyFolder) {
        QVERIFY(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

void TestSheetStore::openFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << QStringLiteral("il file o la cartella non esiste");
    QTest::newRow("folder") << "folder" << QStringLiteral("il percorso indica una cartella, non un file");
    QTest::newRow("locked") << "locked" << QStringLiteral("il file è in uso da un altro programma");
    QTest::newRow("read-only") << "read-only" << QStringLiteral("accesso negato");
}

void TestSheetStore::openFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    if (kind == QLatin1String("read-only") && runningAsRoot())
        return SKIP_TEST("root opens read-only files for writing");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("rubri.dat")));
        StoreError error;
        QVERIFY(SheetStore::createIfMissing(path, &error)); // left for open to report
    } else if (kind != QLatin1String("missing")) {
        writeFile(path, EmptyRecord);
    }
    if (kind == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));

#ifdef Q_OS_UNIX
    int lockHolder = -1;
    if (kind == QLatin1String("locked")) {
        lockHolder = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        QVERIFY(lockHolder >= 0);
        QCOMPARE(::flock(lockHolder, LOCK_EX), 0);
    }
#else
    if (kind == QLatin1String("locked"))
        return SKIP_TEST("the lock is taken through the sharing mode on this system");
#endif

    SheetStore store;
    QVERIFY(!store.open(path));
    QVERIFY(!store.isOpen());
    QCOMPARE(store.error().operation, StoreError::Open);
    QCOMPARE(store.error().reason, reason);
    QCOMPARE(store.error().message(), QStringLiteral("Impossibile aprire l'archivio della Rubrica\r") + path
                                          + QStringLiteral("\r\rMotivo: ") + reason
                                          + QStringLiteral(".\r\rIl programma verrà chiuso."));
#ifdef Q_OS_UNIX
    if (lockHolder >= 0) {
        ::close(lockHolder);
        QVERIFY(store.open(path)); // the lock was the only obstacle
    }
#endif
}

void TestSheetStore::readsBeyondShortFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    const QByteArray first = QByteArray(100, 'A') + QByteArray(40, 'a') + "312045";
    writeFile(path, first + QByteArray(50, 'B'));

    SheetStore store;
    QVERIFY(store.open(path));
    Record_Riga record;
    QVERIFY(store.read(1, &record));
    QCOMPARE(record.bytes(), first);
    QVERIFY(store.read(2, &record));
    QCOMPARE(record.bytes(), QByteArray(50, 'B') + EmptyRecord.mid(50));
    QCOMPARE(store.lastRecordRead(), 2);
    QVERIFY(store.read(1936, &record));
    QCOMPARE(record.bytes(), EmptyRecord);
    QCOMPARE(store.lastRecordRead(), 1936);
    QCOMPARE(contentsOf(path).size(), 196); // reading never grows the file
}

void TestSheetStore::writeSheetPlacesRecords_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("firstRecord");
    QTest::newRow("sheet 0") << 0 << 1;
    QTest::newRow("sheet 1") << 1 << 45;
    QTest::newRow("sheet 43") << 43 << 1893;
}

void TestSheetStore::writeSheetPlacesRecords()
{
    QFETCH(int, sheet);
    QFETCH(int, firstRecord);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    StoreError error;
    QVERIFY(SheetStore::createIfMissing(path, &error));
    const QByteArray before = contentsOf(path);

    SheetStore store;
    QVERIFY(store.open(path));
    const QByteArray records = sheetOf('S');
    QVERIFY(store.writeSheet(sheet, records));

    const QByteArray after = contentsOf(path);
    const int offset = (firstRecord - 1) * 146;
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.mid(offset, records.size()), records);
    QCOMPARE(after.left(offset), before.left(offset));
    QCOMPARE(after.mid(offset + records.size()), before.mid(offset + records.size()));

    Record_Riga record;
    QVERIFY(store.read(firstRecord + 43, &record));
    QCOMPARE(record.bytes(), records.right(146));
}

void TestSheetStore::failedWriteRestoresFile_data()
{
    QTest::addColumn<int>("initialSize");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<qint64>("writeBudget");
    QTest::addColumn<bool>("failFlush");
    QTest::addColumn<bool>("failAlways");

    const int full = 282656;
    QTest::newRow("half a sheet written") << full << 1 << qint64(3000) << false << false;
    QTest::newRow("nothing written") << full << 43 << qint64(0) << false << false;
    QTest::newRow("all written, flush fails") << full << 5 << qint64(1 << 20) << true << false;
    QTest::newRow("short file grew") << 100 << 2 << qint64(4000) << false << false;
    QTest::newRow("short file, first sheet") << 100 << 0 << qint64(60) << false << false;
    QTest::newRow("empty file, flush fails") << 0 << 0 << qint64(1 << 20) << true << false;
    QTest::newRow("restore fails too") << full << 1 << qint64(10) << false << true;
}

void TestSheetStore::failedWriteRestoresFile()
{
    QFETCH(int, initialSize);
    QFETCH(int, sheet);
    QFETCH(qint64, writeBudget);
    QFETCH(bool, failFlush);
    QFETCH(bool, failAlways);

    QByteArray before;
    for (int i = 0; i < initialSize; ++i)
        before.append(char('a' + i % 26));
    QByteArray bytes = before;

    SheetStore store;
    QVERIFY(store.open(std::make_unique<FaultyFile>(&bytes, writeBudget, failFlush, failAlways),
                       QStringLiteral("C:\\Tessavo\\rubri.dat")));
    QVERIFY(!store.writeSheet(sheet, sheetOf('W')));

    const StoreError error = store.error();
    QCOMPARE(error.operation, StoreError::Write);
    QCOMPARE(error.reason, QStringLiteral("spazio su disco esaurito"));
    QCOMPARE(error.fileUnchanged, !failAlways);
    if (failAlways)
        return;
    QCOMPARE(bytes.size(), before.size());
    QCOMPARE(bytes, before);
    QCOMPARE(error.message(), QStringLiteral("Impossibile salvare il foglio nell'archivio della Rubrica\r"
                                             "C:\\Tessavo\\rubri.dat\r\rMotivo: spazio su disco esaurito.\r"
                                             "Il file non è stato modificato.\r\rIl programma verrà chiuso."));
}

QTEST_GUILESS_MAIN(TestSheetStore)
#include "tst_sheetstore.moc"
