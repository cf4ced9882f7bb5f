#include "storage/ColourSettings.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "storage/SystemErrorText.h"
#include "platform/QuitOnSignal.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>
#include <tuple>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// A record as a new store holds it: both texts blank, plain, black, reserved "0".
const QByteArray EmptyRecord = QByteArray(140, ' ') + "000000";
constexpr int SheetBytes = 44 * 146;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return contents.isNull() || (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
}

// "BU ff0000": bold, underlined, colour; '?' where a code has no meaning.
QString describe(const DecodedCell &cell)
{
    const QString font = cell.font ? QString(u"-B"_s[cell.font->bold]) + u"-U"_s[cell.font->underline] : u"??"_s;
    return font + u' ' + (cell.colour ? QString::number(*cell.colour, 16) : u"?"_s);
}

// A store file in memory, on a disk that fills up in the middle of a save: its first write stops
// after writeBudget bytes (and with failAlways every later write takes nothing); with a negative
// budget its first flush fails.
struct MemoryFile : RecordFile
{
    MemoryFile(QByteArray *file, qint64 budget, bool alwaysFails)
        : bytes(file), writeBudget(budget), failAlways(alwaysFails) {}
    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const QByteArray part = bytes->mid(offset, size);
        *got = std::copy(part.begin(), part.end(), data) - data;
        return true;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override
    {
        // With failAlways, nothing after the first write reaches the disk: not even the undo.
        const qint64 count = writeBudget < 0 ? size : writes++ == 0 ? std::min(size, writeBudget) : failAlways ? 0 : size;
        *bytes = bytes->leftJustified(offset + count, '\0').replace(offset, count, QByteArray(data, count));
        return count == size;
    }
    bool flush() override { return !(writeBudget < 0 && flushes++ == 0); }
    qint64 size() override { return bytes->size(); }
    bool resize(qint64 size) override
    {
        bytes->resize(size);
        return true;
    }
    QString errorReason() const override { return SystemErrorText::reason(code); }

    QByteArray *bytes;
    int code = ENOSPC;
    qint64 writeBudget;
    bool failAlways;
    int writes = 0, flushes = 0;
};

} // namespace

Q_DECLARE_METATYPE(StoreLocation)

// The store file rubri.dat, its records and the colour settings in Kardel.ini.
class TestStorage : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_store, m_ini;
    ColourSettings m_colours;

private slots:
    void init()
    {
        m_store = m_dir.emplace().filePath(u"rubri.dat"_s);
        m_colours.Percorso_Ini = m_ini = m_dir->filePath(u"Kardel.ini"_s);
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
        row("100 characters and a cut one", true, x100 + u'y', x100.toLatin1(), x100);
        row("3 characters", false, u"abc"_s, "abc", u"abc"_s);
        row("41 characters cut", false, z40 + u'y', z40.toLatin1(), z40);
        row("outer blanks", true, u"  Rossi  "_s, "  Rossi", u"  Rossi"_s);
        row("Italian, euro", false, u"àèéìòù €"_s, "\xE0\xE8\xE9\xEC\xF2\xF9 \x80", u"àèéìòù €"_s);
        row("outside the page", true, u"a日b"_s, "a?b", u"a?b"_s);
#ifndef Q_OS_WIN
        row("beyond 16 bits", true, u"a😀b"_s, "a?b", u"a?b"_s); // Windows gives a '?' per half of the pair
#endif
        row("NUL ends the text", true, QString(), QByteArray("ab\0cd", 5), u"ab"_s);
        row("blanks before a NUL", false, QString(), QByteArray("ab  \0zz", 7), u"ab"_s);
        row("a tab is no blank", true, QString(), "ab\t", u"ab\t"_s);
    }

    void textFields()
    {
        QFETCH(bool, longCell);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        const int width = longCell ? 100 : 40;
        QByteArray bytes = EmptyRecord;
        bytes.replace(longCell ? 0 : 100, width, stored.leftJustified(width));
        Record_Riga record = Record_Riga::fromBytes(bytes.constData(), bytes.size());
        QTEST(longCell ? record.Testo1() : record.Testo2(), "readBack");
        if (!text.isNull()) {
            record = Record_Riga();
            longCell ? record.setTesto1(text) : record.setTesto2(text);
            QCOMPARE(record.bytes(), bytes);
        }
    }

    void decodedCodes_data()
    {
        QTest::addColumn<QByteArray>("codes"); // Stile1, Stile2, Riserva1, Riserva2, Colore1, Colore2
        QTest::addColumn<QString>("cells"); // long cell | short cell
        QTest::newRow("0 and 3") << QByteArray("030003") << u"-- 0 | BU ff"_s;
        QTest::newRow("1 and 2") << QByteArray("120012") << u"B- c00000 | -U c0"_s;
        QTest::newRow("4 and 5") << QByteArray("000045") << u"-- ff0000 | -- ff00ff"_s;
        QTest::newRow("unknown") << QByteArray("4/00 6") << u"?? ? | ?? ?"_s;
    }

    void decodedCodes()
    {
        QFETCH(QByteArray, codes);
        const DecodedRow row = decodeRow(Record_Riga::fromBytes((QByteArray(140, ' ') + codes).constData(), 146));
        QTEST(describe(row.longCell) + u" | "_s + describe(row.shortCell), "cells");
    }

    void encodedSheet_data()
    {
        QTest::addColumn<QList<quint32>>("longColours");
        QTest::addColumn<QByteArray>("codes");
        // A colour outside the six takes the code of the row above in the same column, the short
        // column its own; a blank in row 1.
        const quint32 odd = 0x123456;
        QTest::newRow("reuses previous") << QList<quint32>{0x0000FF, odd, odd} << QByteArray("333");
        QTest::newRow("follows changes") << QList<quint32>{0xFF0000, odd, 0x000000, 0x80000005} << QByteArray("4400");
        QTest::newRow("blank carries on") << QList<quint32>{odd, odd, 0xC00000} << QByteArray("  1");
    }

    void encodedSheet()
    {
        QFETCH(QList<quint32>, longColours);
        QFETCH(QByteArray, codes);
        std::array<RowContent, 44> rows;
        for (int r = 0; r < 44; ++r)
            rows[r] = {{u" riga %1 "_s.arg(r + 1), {r % 2 == 0, r % 3 == 0}, longColours.value(r, 0xFF00FF)},
                       {u"tel."_s, {}, r == 1 ? 0x0000C0u : 0x123456u}};
        const QByteArray sheet = encodeSheet(rows);
        QCOMPARE(sheet.size(), SheetBytes);
        for (int r = 0; r < 44; ++r) {
            const char style = char('0' + (r % 2 == 0 ? 1 : 0) + (r % 3 == 0 ? 2 : 0));
            QCOMPARE(sheet.mid(r * 146, 146), " riga " + QByteArray::number(r + 1).leftJustified(94)
                                                  + QByteArray("tel.").leftJustified(40) + style + "000"
                                                  + (r < codes.size() ? codes.at(r) : '5') + (r == 0 ? ' ' : '2'));
        }
    }

    // Whatever stops the store from being created or opened leaves the folder and the file as they were.
    void unusableStore_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("reason");
        QTest::newRow("parent is a file") << "creare" << "una parte del percorso non è una cartella";
        QTest::newRow("folder") << "aprire" << "il percorso indica una cartella, non un file";
        QTest::newRow("read-only file") << "aprire" << "accesso negato";
#ifdef Q_OS_UNIX // Windows writes into read-only folders, and locks through the sharing mode
        QTest::newRow("read-only folder") << "creare" << "accesso negato";
        QTest::newRow("locked") << "aprire" << "il file è in uso da un altro programma";
#endif
    }

    void unusableStore()
    {
        const QString kind = QString::fromUtf8(QTest::currentDataTag());
#ifdef Q_OS_UNIX
        if (kind.startsWith(u"read-only") && ::geteuid() == 0)
            return QTest::qSkip("root ignores permissions", __FILE__, __LINE__);
#endif
        // Each step either does not apply to this kind or succeeds.
        const QString folder = m_dir->filePath(u"program"_s), path = folder + u"/rubri.dat"_s;
        const bool hasFile = kind == u"locked" || kind == u"read-only file";
        QVERIFY(kind == u"parent is a file" ? writeFile(folder, "x") : QDir().mkdir(folder));
        QVERIFY(kind != u"folder" || QDir().mkdir(path));
        QVERIFY(!hasFile || writeFile(path, EmptyRecord));
        QVERIFY(kind != u"read-only file" || QFile::setPermissions(path, QFileDevice::ReadOwner));
        QVERIFY(kind != u"read-only folder" || QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
#ifdef Q_OS_UNIX
        const int lockHolder = kind == u"locked" ? ::open(QFile::encodeName(path), O_RDONLY) : -1;
        QVERIFY(kind != u"locked" || (lockHolder >= 0 && ::flock(lockHolder, LOCK_EX) == 0));
#endif
        const auto entries = [&] { return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden); };
        const QStringList entriesBefore = entries();
        StoreError error;
        SheetStore store;
        if (SheetStore::createIfMissing(path, &error) && !store.open(path))
            error = store.error();
        QFETCH(QString, verb);
        QFETCH(QString, reason);
        QCOMPARE(error.message(), u"Impossibile %1 l'archivio della Rubrica\r%2\r\rMotivo: %3."
                                  u"\r\rIl programma verrà chiuso."_s.arg(verb, path, reason));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(entries(), entriesBefore);
        QCOMPARE(contentsOf(path), hasFile ? EmptyRecord : QByteArray());
#ifdef Q_OS_UNIX
        if (lockHolder >= 0)
            ::close(lockHolder);
#endif
    }

    // A missing store is created empty; an existing one, even empty or short, is kept and read as far as it goes.
    void createReadAndWrite()
    {
        QVERIFY(SheetStore::createIfMissing(m_store, nullptr));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"rubri.dat"_s});
        QByteArray expected = EmptyRecord.repeated(1936); // 282656 bytes
        QCOMPARE(contentsOf(m_store), expected);
        SheetStore store;
        QVERIFY(store.open(m_store));
        for (const auto &[sheet, firstRecord, fill] :
             {std::tuple(43, 1893, 'C'), std::tuple(1, 45, 'B'), std::tuple(0, 1, 'A')}) {
            QVERIFY(store.writeSheet(sheet, QByteArray(SheetBytes, fill)));
            expected.replace((firstRecord - 1) * 146, SheetBytes, QByteArray(SheetBytes, fill));
            QCOMPARE(recordNumber(sheet, 1), firstRecord);
            QCOMPARE(recordNumber(sheet, 44), firstRecord + 43);
            QCOMPARE(std::pair(sheetOfRecord(firstRecord + 43), rowOfRecord(firstRecord + 43)), std::pair(sheet, 44));
        }
        QCOMPARE(contentsOf(m_store), expected);
        Record_Riga record;

        const QString empty = m_dir->filePath(u"empty.dat"_s), shortFile = m_dir->filePath(u"short.dat"_s);
        const QByteArray shortBytes = QByteArray(100, 'A') + QByteArray(40, 'a') + "312045" + QByteArray(50, 'B');
        QVERIFY(writeFile(empty, "") && SheetStore::createIfMissing(empty, nullptr) && contentsOf(empty).isEmpty());
        QVERIFY(writeFile(shortFile, shortBytes) && SheetStore::createIfMissing(shortFile, nullptr));
        QVERIFY(store.open(shortFile) && store.read(2, &record));
        QCOMPARE(record.bytes(), QByteArray(50, 'B') + EmptyRecord.mid(50));
        QVERIFY(store.read(1936, &record) && record.bytes() == EmptyRecord);
        QCOMPARE(store.lastRecordRead(), 1936);
        QCOMPARE(contentsOf(shortFile), shortBytes); // kept, and reading never grows it
        // Saving sheet 1 fills the rest of sheet 0 with empty records, not zero bytes.
        QVERIFY(store.writeSheet(1, QByteArray(SheetBytes, 'S')));
        QCOMPARE(contentsOf(shortFile), shortBytes + EmptyRecord.mid(50) + EmptyRecord.repeated(42) + QByteArray(SheetBytes, 'S'));
    }

    void failedWriteRestoresFile_data()
    {
        QTest::addColumn<int>("initialSize");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<qint64>("writeBudget"); // -1: all is written, the flush fails
        QTest::addColumn<bool>("failAlways");
        const int full = 282656;
        QTest::newRow("half a sheet written") << full << 1 << qint64(3000) << false;
        QTest::newRow("nothing written") << full << 43 << qint64(0) << false;
        QTest::newRow("all written, flush fails") << full << 5 << qint64(-1) << false;
        QTest::newRow("short file grew") << 100 << 2 << qint64(4000) << false;
        QTest::newRow("short file, first sheet") << 100 << 0 << qint64(60) << false;
        QTest::newRow("empty file, flush fails") << 0 << 0 << qint64(-1) << false;
        QTest::newRow("restore fails too") << full << 1 << qint64(10) << true;
    }

    void failedWriteRestoresFile()
    {
        QFETCH(int, initialSize);
        QFETCH(qint64, writeBudget);
        QFETCH(bool, failAlways);
        const QByteArray before = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(11000).left(initialSize);
        QByteArray bytes = before;
        SheetStore store;
        auto file = std::make_unique<MemoryFile>(&bytes, writeBudget, failAlways);
        MemoryFile *disk = file.get();
        QVERIFY(store.open(std::move(file), u"C:\\Tessavo\\rubri.dat"_s));
        QFETCH(int, sheet);
        QVERIFY(!store.writeSheet(sheet, QByteArray(SheetBytes, 'W')));
        if (!failAlways)
            QCOMPARE(bytes, before);
        const QString outcome = failAlways ? u"potrebbe essere rimasto danneggiato"_s : u"non è stato modificato"_s;
        QCOMPARE(store.error().saveMessage(),
                 u"Impossibile salvare il foglio nell'archivio della Rubrica\rC:\\Tessavo\\rubri.dat\r\r"
                 u"Motivo: disco pieno.\rIl file "_s
                     + outcome
                     + u".\r\rRiprova: salva di nuovo, dopo aver risolto il problema (per esempio liberando "
                       u"spazio sul disco).\rAnnulla: non salva; le modifiche restano nel foglio e la Rubrica "
                       u"resta aperta."_s);
        // The same file, once the disk has room again, takes the sheet.
        disk->failAlways = false;
        QVERIFY(store.writeSheet(sheet, QByteArray(SheetBytes, 'W')));
        QCOMPARE(bytes.mid(sheet * SheetBytes, SheetBytes), QByteArray(SheetBytes, 'W'));
    }

    // Each common cause of a failed write is named in words, and the file is put back.
    void failureReasons_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << ENOSPC << u"disco pieno"_s;
        QTest::newRow("file too large") << EFBIG << u"file troppo grande"_s;
#ifdef EDQUOT
        QTest::newRow("quota") << EDQUOT << u"superata la quota di spazio su disco assegnata all'utente"_s;
#endif
        QTest::newRow("input/output") << EIO << u"errore di input/output sul disco"_s;
        QTest::newRow("read-only file system") << EROFS << u"file system di sola lettura"_s;
        QTest::newRow("access denied") << EACCES << u"accesso negato"_s;
        QTest::newRow("network file gone") << ESTALE << u"la connessione con il disco di rete si è interrotta"_s;
        QTest::newRow("device gone") << ENXIO << u"il disco non è più collegato o non è pronto"_s;
        QTest::newRow("no memory") << ENOMEM << u"memoria insufficiente"_s;
        QTest::newRow("unknown") << 9999 << u"errore di sistema 9999"_s;
    }

    void failureReasons()
    {
        QFETCH(int, code);
        QByteArray bytes = EmptyRecord.repeated(1936);
        const QByteArray before = bytes;
        auto file = std::make_unique<MemoryFile>(&bytes, 100, false);
        file->code = code;
        SheetStore store;
        QVERIFY(store.open(std::move(file), u"rubri.dat"_s));
        QVERIFY(!store.writeSheet(7, QByteArray(SheetBytes, 'W')));
        QCOMPARE(bytes, before);
        QFETCH(QString, reason);
        const QStringList lines = store.error().saveMessage().split(u'\r');
        QCOMPARE(lines.mid(2, 3), QStringList({QString(), u"Motivo: "_s + reason + u'.', u"Il file non è stato modificato."_s}));
    }

    // Another program deletes the store or puts another file at its path while it is open: the
    // store notices, and a reopen writes into what is at the path now, never into the old file.
    void storeThatMoved_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<StoreLocation>("location");
        QTest::newRow("untouched") << QString() << StoreLocation::Same;
#ifdef Q_OS_UNIX // Windows refuses to delete or rename the open store
        QTest::newRow("deleted") << u"delete"_s << StoreLocation::Missing;
        QTest::newRow("moved away") << u"move"_s << StoreLocation::Missing;
        QTest::newRow("written anew and renamed over it") << u"rename over"_s << StoreLocation::Replaced;
        QTest::newRow("moved away, new file") << u"move, create"_s << StoreLocation::Replaced;
        QTest::newRow("moved away, folder") << u"move, folder"_s << StoreLocation::Replaced;
#endif
    }

    void storeThatMoved()
    {
        QFETCH(QString, change);
        QFETCH(StoreLocation, location);
        const QString held = m_dir->filePath(u"held.dat"_s), other = m_dir->filePath(u"other.dat"_s);
        const QByteArray original = EmptyRecord.repeated(1936);
        const QByteArray otherBytes = QByteArray("Altro").leftJustified(146 * 3, '.');
        QVERIFY(SheetStore::createIfMissing(m_store, nullptr));
        SheetStore store;
        QVERIFY(store.open(m_store));
#ifdef Q_OS_UNIX
        // A second name for the open file, to read it after its own name has gone.
        QVERIFY(::link(QFile::encodeName(m_store).constData(), QFile::encodeName(held).constData()) == 0);
#endif
        QVERIFY(!change.startsWith(u"move") || QFile::rename(m_store, m_dir->filePath(u"moved.dat"_s)));
        QVERIFY(change != u"delete" || QFile::remove(m_store));
        QVERIFY(!change.endsWith(u"create") || writeFile(m_store, otherBytes));
        QVERIFY(!change.endsWith(u"folder") || QDir().mkdir(m_store));
        QVERIFY(change != u"rename over"
                || (writeFile(other, otherBytes) && std::rename(qPrintable(other), qPrintable(m_store)) == 0));
        QCOMPARE(store.location(), location);
        if (location == StoreLocation::Same)
            return;

        if (change.endsWith(u"folder")) {
            QVERIFY(!store.reopenAtPath());
            QCOMPARE(store.error().reason, u"il percorso indica una cartella, non un file"_s);
            QCOMPARE(store.location(), StoreLocation::Replaced);
            return;
        }
        QVERIFY(store.reopenAtPath());
        QCOMPARE(store.location(), StoreLocation::Same);
        QVERIFY(store.writeSheet(1, QByteArray(SheetBytes, 'W')));
        // A missing store comes back whole and empty before the sheet goes in.
        const QByteArray before = location == StoreLocation::Missing ? original : otherBytes;
        QByteArray expected = before;
        if (expected.size() < SheetBytes) // a short file is filled up with empty records first
            expected += EmptyRecord.repeated(44).mid(expected.size());
        expected = expected.left(SheetBytes) + QByteArray(SheetBytes, 'W') + expected.mid(2 * SheetBytes);
        QCOMPARE(contentsOf(m_store), expected);
        QCOMPARE(contentsOf(held), original);
    }

#ifdef Q_OS_UNIX
    void writeBeyondFileSizeLimit_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<int>("limit");
        // Sheet 1 spans bytes 6424 to 12848: the file would grow past the limit.
        QTest::newRow("growing a short file") << EmptyRecord << 1 << 10000;
        // The write stops at the limit inside the sheet; putting back the bytes beyond it fails
        // too, but the write never reached them, and the file reads back as it was.
        QTest::newRow("in place, undo fails where the write did") << EmptyRecord.repeated(1936) << 0 << 1000;
    }

    // A write the system really refuses: beyond the process's file size limit, which without
    // the signal ignored would end the program.
    void writeBeyondFileSizeLimit()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, sheet);
        QFETCH(int, limit);
        QVERIFY(writeFile(m_store, before));
        SheetStore store;
        QVERIFY(store.open(m_store));
        QuitOnSignal::ignoreFileSizeLimitSignal();
        rlimit saved = {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit lower = saved;
        lower.rlim_cur = rlim_t(limit);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &lower) == 0);
        const bool written = store.writeSheet(sheet, QByteArray(SheetBytes, 'W'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(store.error().reason, u"file troppo grande"_s);
        QVERIFY(store.error().fileUnchanged);
        QCOMPARE(contentsOf(m_store), before);
    }
#endif

    void readsColourIndex_data()
    {
        QTest::addColumn<QByteArray>("file"); // a null array: no file at all
        QTest::addColumn<int>("index");
        const auto value = [](const char *text) { return "[Rubrica]\r\nColTasti=" + QByteArray(text) + "\r\n"; };
        QTest::newRow("no file") << QByteArray() << 0;
        QTest::newRow("9 reads as 1") << value("9") << 1;
        QTest::newRow("-2") << value("-2") << 0;
        QTest::newRow("empty value") << value("") << 0;
        QTest::newRow("12 reads as 1") << value("12") << 1;
        QTest::newRow("35 reads as 3") << value("35") << 3;
        QTest::newRow("long value, 7") << value("7777777777") << 7;
        QTest::newRow("blanks and tabs around") << QByteArray("[Rubrica]\r\n\tColTasti =\t5 \r\n") << 5;
        QTest::newRow("lower-case key") << QByteArray("[Rubrica]\ncoltasti=6\n") << 6;
        QTest::newRow("byte order mark, upper case") << QByteArray("\xEF\xBB\xBF[ RUBRICA ]\nCOLTASTI=3") << 3;
        QTest::newRow("other sections") << QByteArray("ColTasti=4\n[A]\nColTasti=5\n[Rubrica]\n[X]\nColTasti=6") << 0;
        QTest::newRow("longer key name") << QByteArray("[Rubrica]\r\nColTastiX=5\r\n") << 0;
    }

    void readsColourIndex()
    {
        QFETCH(QByteArray, file);
        QVERIFY(writeFile(m_ini, file));
        QTEST(m_colours.Leggi_Colore(u"ColTasti"_s), "index");
        QTEST(m_colours.Leggi_Colore(u"coltasti"_s), "index");
    }

    // Every line the write does not change keeps its bytes, its line ending and its place.
    void writesColourIndices_data()
    {
        QTest::addColumn<QByteArray>("before"); // a null array: no file at all
        QTest::addColumn<QByteArray>("after");
        const QByteArray others = "; Tessavo\r\n[Kardel]\r\nLingua = it \r\n\r\n[Altro]\r\nX=1\r\n";
        QTest::newRow("no file") << QByteArray() << QByteArray("[Rubrica]\r\nColSfondo=2\r\nColTasti=5\r\n");
        QTest::newRow("other sections kept") << others << others + "[Rubrica]\r\nColSfondo=2\r\nColTasti=5\r\n";
        QTest::newRow("values replaced in place, LF kept")
            << QByteArray("[A]\nk=v\n[rubrica]\ncoltasti=1\n  colsfondo = 7 \n\n[B]\nz=1")
            << QByteArray("[A]\nk=v\n[rubrica]\ncoltasti=5\ncolsfondo=2\n\n[B]\nz=1");
        QTest::newRow("missing key after the last key")
            << QByteArray("[Rubrica]\r\nColTasti=0\r\n; nota\r\n\r\n[Z]\r\nq=1\r\n")
            << QByteArray("[Rubrica]\r\nColTasti=5\r\nColSfondo=2\r\n; nota\r\n\r\n[Z]\r\nq=1\r\n");
        QTest::newRow("no final line ending")
            << QByteArray("[Rubrica]\r\nAltro=x") << QByteArray("[Rubrica]\r\nAltro=x\r\nColSfondo=2\r\nColTasti=5");
        QTest::newRow("empty section")
            << QByteArray("[Rubrica]\n\n[Z]\n") << QByteArray("[Rubrica]\nColSfondo=2\nColTasti=5\n\n[Z]\n");
        QTest::newRow("each line keeps its ending")
            << QByteArray("[Rubrica]\r\nColSfondo=0\nColTasti=0\r\n")
            << QByteArray("[Rubrica]\r\nColSfondo=2\nColTasti=5\r\n");
    }

    void writesColourIndices()
    {
        QFETCH(QByteArray, before);
        QVERIFY(writeFile(m_ini, before));
        m_colours.Scrivi_Colori(2, 5);
        QTEST(contentsOf(m_ini), "after");
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
