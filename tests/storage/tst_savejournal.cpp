#include "common/TestFiles.h"
#include "storage/SaveJournal.h"
#include "storage/SheetStore.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 SheetBytes = 44 * 146;
constexpr qint64 Page = 512;

// The store and its journal on a disk that loses power after a chosen number of steps: each
// 512-byte page written, each flush, each name created or removed. Bytes reach the platter at a
// flush and names at a folder flush; a power cut either drops all that had not (the cache
// lost) or keeps all of it (the cache written out, the last write torn at a page).
struct PowerCutDisk
{
    struct File
    {
        QByteArray now, kept;
        bool exists = false, keptExists = false;
    };
    File store, journal;
    int stepsLeft = -1; // -1: no cut
    bool off = false;
    int steps = 0;

    bool step()
    {
        if (off || stepsLeft == 0)
            return !(off = true);
        stepsLeft -= stepsLeft > 0;
        ++steps;
        return true;
    }
    bool write(File &file, qint64 offset, const char *data, qint64 size)
    {
        for (qint64 done = 0; done < size;) {
            const qint64 chunk = std::min(size - done, Page - (offset + done) % Page);
            if (!step())
                return false;
            file.now = file.now.leftJustified(offset + done, '\0');
            file.now.replace(offset + done, chunk, QByteArray(data + done, chunk));
            done += chunk;
        }
        return true;
    }
    bool flush(File &file) { return step() && (file.kept = file.now, true); }
    void powerCut(bool unflushedKept)
    {
        for (File *file : {&store, &journal}) {
            if (unflushedKept)
                file->kept = file->now, file->keptExists = file->exists;
            else
                file->now = file->kept, file->exists = file->keptExists;
        }
        off = false;
        stepsLeft = -1;
    }
};

struct DiskStore : RecordFile
{
    explicit DiskStore(PowerCutDisk &d) : disk(d) {}
    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const QByteArray part = disk.store.now.mid(offset, size);
        *got = std::copy(part.begin(), part.end(), data) - data;
        return !disk.off;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override { return disk.write(disk.store, offset, data, size); }
    bool flush() override { return disk.flush(disk.store); }
    qint64 size() override { return disk.off ? -1 : disk.store.now.size(); }
    bool resize(qint64 size) override { return disk.step() && (disk.store.now.resize(size), true); }
    QString errorReason() const override { return u"corrente mancata"_s; }
    PowerCutDisk &disk;
};

struct DiskJournal : JournalFile
{
    explicit DiskJournal(PowerCutDisk &d) : disk(d) {}
    Found read(QByteArray *contents) override
    {
        *contents = disk.journal.now;
        return disk.off ? Found::Unreadable : disk.journal.exists ? Found::Journal : Found::None;
    }
    bool write(const QByteArray &contents) override
    {
        if (fault == u"write" || !disk.step())
            return false;
        disk.journal.exists = true;
        disk.journal.now.clear();
        if (!disk.write(disk.journal, 0, contents.constData(), contents.size()) || !disk.flush(disk.journal) || !disk.step())
            return false;
        disk.journal.keptExists = true; // the folder flush
        return true;
    }
    bool remove() override
    {
        if (fault == u"remove" || !disk.step())
            return false;
        disk.journal.exists = false;
        disk.journal.now.clear();
        return true;
    }
    QString errorReason() const override { return fault.isEmpty() ? u"corrente mancata"_s : u"accesso negato"_s; }
    QString name() const override { return u"rubri.dat-journal"_s; }
    PowerCutDisk &disk;
    QString fault; // "write" or "remove": that step is refused
};

QByteArray sheetOf(char fill)
{
    return QByteArray(SheetBytes, fill);
}

// A store of whole sheets "A", "B", ...; a short one ends inside sheet 5.
QByteArray initialStore(bool isShort)
{
    QByteArray bytes;
    for (int sheet = 0; sheet < 44; ++sheet)
        bytes += sheetOf(char('A' + sheet % 26));
    return isShort ? bytes.left(5 * SheetBytes + 100) : bytes;
}

// The first save finishes; the second, of a sheet beyond a short store's end, is cut short.
struct Scenario
{
    PowerCutDisk disk;
    SheetStore store;
    bool firstSaved = false, secondSaved = false;

    Scenario(bool isShort, int cut)
    {
        disk.store.now = disk.store.kept = initialStore(isShort);
        disk.store.exists = disk.store.keptExists = true;
        store.open(std::make_unique<DiskStore>(disk), u"rubri.dat"_s, std::make_unique<DiskJournal>(disk));
        firstSaved = store.writeSheet(3, sheetOf('1'));
        disk.steps = 0;
        disk.stepsLeft = cut;
        secondSaved = store.writeSheet(7, sheetOf('2'));
    }
};

} // namespace

// A save's journal and what opening the store does with it.
class TestSaveJournal : public QObject
{
    Q_OBJECT

private slots:
    void powerCut_data()
    {
        QTest::addColumn<bool>("isShort");
        QTest::addColumn<int>("cut");
        QTest::addColumn<bool>("unflushedKept");
        for (bool isShort : {false, true}) {
            const int total = Scenario(isShort, -1).disk.steps;
            for (int cut = 0; cut <= total; ++cut) {
                for (bool kept : {false, true})
                    QTest::addRow("%s store, cut at step %d of %d, unflushed %s", isShort ? "short" : "full", cut,
                                  total, kept ? "kept" : "lost")
                        << isShort << cut << kept;
            }
        }
    }

    // Whenever the power goes, the next start finds each sheet wholly old or new, no journal.
    void powerCut()
    {
        QFETCH(bool, isShort);
        QFETCH(int, cut);
        QFETCH(bool, unflushedKept);
        Scenario clean(isShort, -1);
        QVERIFY(clean.secondSaved);
        const QByteArray before = [&] {
            Scenario firstOnly(isShort, 0);
            firstOnly.disk.powerCut(true);
            return firstOnly.disk.store.now;
        }();

        Scenario cutShort(isShort, cut);
        QVERIFY(cutShort.firstSaved);
        PowerCutDisk &disk = cutShort.disk;
        disk.powerCut(unflushedKept);
        const QByteArray found = disk.store.now;
        SheetStore restarted;
        QVERIFY(restarted.open(std::make_unique<DiskStore>(disk), u"rubri.dat"_s, std::make_unique<DiskJournal>(disk)));

        const QByteArray &after = disk.store.now;
        QVERIFY2(after == before || after == clean.disk.store.now, "a sheet is neither old nor new");
        QVERIFY(!cutShort.secondSaved || after == clean.disk.store.now);
        QVERIFY(!disk.journal.exists);
        const StoreRecovery &recovery = restarted.recovery();
        QVERIFY(recovery.outcome != StoreRecovery::Failed);
        QVERIFY(recovery.outcome == StoreRecovery::Nothing || recovery.sheet == 3 || recovery.sheet == 7);
        QVERIFY(recovery.outcome != StoreRecovery::Nothing || after == found); // untouched without a word
    }

    // The message says whether the sheet was written whole.
    void journalFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("storeWritten");
        QTest::newRow("not written") << u"write"_s << u"scrivere"_s << false;
        QTest::newRow("not removed") << u"remove"_s << u"eliminare"_s << true;
    }

    void journalFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        QFETCH(bool, storeWritten);
        PowerCutDisk disk;
        disk.store.now = initialStore(false);
        auto journal = std::make_unique<DiskJournal>(disk);
        DiskJournal *faulty = journal.get();
        SheetStore store;
        QVERIFY(store.open(std::make_unique<DiskStore>(disk), u"rubri.dat"_s, std::move(journal)));
        faulty->fault = fault;
        QVERIFY(!store.writeSheet(2, sheetOf('N')));
        QCOMPARE(store.error().reason,
                 u"non è stato possibile %1 il file di sicurezza rubri.dat-journal (accesso negato)"_s.arg(reason));
        QCOMPARE(disk.store.now.mid(2 * SheetBytes, SheetBytes) == sheetOf('N'), storeWritten);
        QCOMPARE(store.error().saveMessage().contains(u"scritto per intero"_s), storeWritten);
        // Saving stays blocked while the journal cannot be removed, and resumes once it can.
        QVERIFY(!store.writeSheet(2, sheetOf('M')));
        faulty->fault.clear();
        QVERIFY(store.writeSheet(2, sheetOf('M')));
        QVERIFY(!disk.journal.exists);
    }
};

QTEST_GUILESS_MAIN(TestSaveJournal)
#include "tst_savejournal.moc"
