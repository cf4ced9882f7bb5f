#include "common/WindowTestSupport.h"

#include "platform/QuitOnSignal.h"
#include "storage/SaveJournal.h"
#include "window/LayoutTables.h"
#include "window/SheetPager.h"

#include <QDir>

#include <cstdio>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace WindowTest;

namespace {
constexpr int SheetBytes = 44 * RecordBytes;

#ifdef Q_OS_UNIX
// A real "file troppo grande" past `bytes`, for root too, stands in for a full disk.
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        QuitOnSignal::ignoreFileSizeLimitSignal();
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lower = saved;
        lower.rlim_cur = bytes;
        set = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() { lift(); }
    void lift()
    {
        if (std::exchange(set, false))
            ::setrlimit(RLIMIT_FSIZE, &saved);
    }
    rlimit saved = {};
    bool set = false;
};
#endif

// How the save is reached; the answers; whether room is made while the retry box is open.
enum Via { SaveButton, Close, Switch };
struct FailCase { Via via; QList<int> answers; bool roomMade; };
} // namespace
Q_DECLARE_METATYPE(FailCase)

// What keeps the user's typing: a moved store, failed saves, backups, a save cut short.
class TestSafety : public QObject
{
    Q_OBJECT
private slots:
#ifdef Q_OS_UNIX
    void storeThatMoved_data()
    {
        QTest::addColumn<bool>("deleted"); // else replaced by a file renamed over it
        QTest::addColumn<int>("answer");
        QTest::newRow("deleted, OK") << true << int(MsgAnswer::Ok);
        QTest::newRow("deleted, Annulla") << true << int(MsgAnswer::Cancel);
        QTest::newRow("replaced, OK") << false << int(MsgAnswer::Ok);
    }

    // The save says so before writing, leaves the old file alone and does what the user chose.
    void storeThatMoved()
    {
        QFETCH(bool, deleted);
        QFETCH(int, answer);
        WindowFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}, {45, makeRecord("Bruno", "")}});
        QVERIFY(f.loadStore(original));
        const QString path = f.file("rubri.dat"), held = f.file("held.dat"), other = f.file("other.dat");
        // A second name for the open file, to look into it once its own name has gone.
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(held).constData()) == 0);
        const QByteArray replacement = storeWith({{2, makeRecord("Restored", "")}, {46, makeRecord("Carla", "")}});
        if (deleted)
            QVERIFY(QFile::remove(path));
        else {
            QVERIFY(writeAll(other, replacement));
            QVERIFY(std::rename(qPrintable(other), qPrintable(path)) == 0);
        }

        f.type(3, QStringLiteral("Ugo"));
        f.answers << answer;
        f.w().sheets().setToday([] { return QDate(2024, 6, 11); });
        f.press(0);

        // The backup comes from the file the run opened, so a deleted store's other sheets survive.
        COMPARE_STORE(fileBytes(f.file("rubri-2024-06-11.bak")), original);
        QCOMPARE(f.styles, QList<int>{MsgStyle::OkCancel | MsgStyle::Exclamation | MsgStyle::TopMost});
        const QString &text = f.texts.at(0);
        QVERIFY2(text.contains(path + QLatin1Char('\r')), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(" il foglio A1")), qPrintable(text));
        QVERIFY2(text.contains(deleted ? QStringLiteral("non c'è più") : QStringLiteral("sostituito")), qPrintable(text));
        COMPARE_STORE(fileBytes(held), original); // the old file is left alone
        QCOMPARE(f.w().shownSheet().modified, answer != MsgAnswer::Ok);
        if (answer != MsgAnswer::Ok) {
            if (deleted)
                QVERIFY(!QFile::exists(path));
            else
                COMPARE_STORE(f.store(), replacement);
            return;
        }
        // Sheet A1 as the grid holds it, in whatever is at the path now.
        QByteArray expected = deleted ? original : replacement;
        expected.replace(0, SheetBytes, storeWith({{1, makeRecord("Anna", "")}, {3, makeRecord("Ugo", "")}}).left(SheetBytes));
        COMPARE_STORE(f.store(), expected);
        // From now on the file at the path is the store: no more questions.
        f.type(4, QStringLiteral("Ida"));
        QVERIFY(f.w().sheets().save());
        QCOMPARE(f.texts.size(), 1);
        QCOMPARE(recordOf(f.store(), 4), makeRecord("Ida", ""));
    }

    void failedSave_data()
    {
        QTest::addColumn<FailCase>("c");
        const int yes = MsgAnswer::Yes, retry = MsgAnswer::Retry, cancel = MsgAnswer::Cancel;
        QTest::newRow("save button, Annulla") << FailCase{SaveButton, {cancel}, false};
        QTest::newRow("save button, Riprova after room is made") << FailCase{SaveButton, {retry}, true};
        QTest::newRow("close, Sì, Annulla keeps the window") << FailCase{Close, {yes, cancel}, false};
        QTest::newRow("switch, Sì, Riprova switches") << FailCase{Switch, {yes, retry}, true};
    }

    // A refused write: a Riprova/Annulla box per attempt, the file as it was, the changes kept on screen.
    void failedSave()
    {
        QFETCH(FailCase, c);
        WindowFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}}).left(SheetBytes); // sheet A1 only
        QVERIFY(f.loadStore(original));
        AddressBookWindow &w = f.w();
        f.clickTab(1);
        f.type(105, QStringLiteral("02 555"));
        FileSizeLimit limit(10000); // sheet B1 spans bytes 6424 to 12848
        QVERIFY(limit.set);
        f.whileShown = [&] {
            if (c.roomMade && f.texts.last().startsWith(QStringLiteral("Impossibile")))
                limit.lift();
        };
        f.answers = c.answers;
        bool closed = false;
        if (c.via == SaveButton)
            f.press(0);
        else if (c.via == Close)
            closed = w.close();
        else
            f.clickTab(2);
        limit.lift();

        // The question, then one box per failed attempt (tst_storage holds the wording).
        const int failures = int(c.answers.count(MsgAnswer::Retry)) + (c.roomMade ? 0 : 1);
        const int asked = c.via == SaveButton ? 0 : 1;
        QCOMPARE(f.texts.size(), asked + failures);
        for (int i = asked; i < f.texts.size(); ++i)
            QCOMPARE(f.styles.at(i), MsgStyle::RetryCancel | MsgStyle::Critical | MsgStyle::TopMost);
        if (!c.roomMade) {
            // Nothing written, nothing lost: the sheet stays on screen, changed, with its tab.
            COMPARE_STORE(f.store(), original);
            QVERIFY(w.isStoreOpen());
            QVERIFY(w.shownSheet().modified);
            QVERIFY(w.tabs().folderTab(1)->isBold());
            QCOMPARE(f.cell(105)->text(), QStringLiteral("02 555"));
            QVERIFY(f.focusOn(105));
            // And once there is room, the same sheet saves.
            QVERIFY(w.sheets().save());
        }
        COMPARE_STORE(f.store(), storeWith({{1, makeRecord("Anna", "")}, {49, makeRecord("", "02 555")}}).left(2 * SheetBytes));
        QCOMPARE(closed, c.via == Close && c.roomMade);
        QCOMPARE(w.shownSheet().sheet, c.via == Switch && c.roomMade ? 2 : 1);
    }

    // A backup that cannot be written does not stand in the way of the save.
    void failedBackupDoesNotBlockSave()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith()));
        f.type(2, QStringLiteral("Ugo"));
        FileSizeLimit limit(100000); // sheet A1 fits, a copy of the whole store does not
        QVERIFY(limit.set);
        QVERIFY(f.w().sheets().save());
        limit.lift();
        QVERIFY(f.texts.isEmpty());
        COMPARE_STORE(f.store(), storeWith({{2, makeRecord("Ugo", "")}}));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rubri.dat"});
    }
#endif

    // One backup before a run's first save, one per day; the folder keeps seven.
    void backupBeforeFirstSave()
    {
        WindowFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}});
        for (int day = 1; day <= 8; ++day)
            QVERIFY(writeAll(f.file(QStringLiteral("rubri-2024-06-0%1.bak").arg(day)), "old"));
        QVERIFY(writeAll(f.file("rubri.dat"), original));
        const QString backup11 = f.file("rubri-2024-06-11.bak"), backup12 = f.file("rubri-2024-06-12.bak");
        const auto saveOn = [&f](int day, int code) {
            f.w().sheets().setToday([day] { return QDate(2024, 6, day); });
            f.type(code, QStringLiteral("x"));
            QVERIFY(f.w().sheets().save());
        };
        QVERIFY(f.load(true));
        saveOn(11, 2);
        saveOn(12, 3); // past midnight
        QVERIFY(!QFile::exists(backup12));
        QVERIFY(f.w().close());
        QVERIFY(f.load(true));
        saveOn(11, 4);
        COMPARE_STORE(fileBytes(backup11), original); // the day's first state is kept
        const QByteArray beforeDay12 = f.store();
        QVERIFY(f.w().close());
        QVERIFY(f.load(true));
        QVERIFY(!QFile::exists(backup12));
        saveOn(12, 5);
        COMPARE_STORE(fileBytes(backup12), beforeDay12);
        const QStringList kept = QDir(f.dir.path()).entryList({QStringLiteral("*.bak")}, QDir::Files);
        QCOMPARE(kept.size(), 7);
        QCOMPARE(kept.first(), QStringLiteral("rubri-2024-06-04.bak"));
        QVERIFY(f.texts.isEmpty());
    }

    // A save cut short by a crash, found at the next start: the window shows the folder as it was
    // before, says which folder in one box, and saves normally afterwards.
    void startAfterInterruptedSave()
    {
        constexpr int sheet = 3, firstRecord = sheet * 44 + 1;
        const qint64 start = qint64(firstRecord - 1) * RecordBytes;
        const QByteArray before = storeWith({{1, makeRecord("Anna", "")}, {firstRecord, makeRecord("Bruno", "0471")}});
        const QByteArray saved = makeRecord("Carla", "").repeated(44);
        SaveJournal journal;
        journal.sheet = sheet;
        journal.oldFileSize = before.size();
        journal.writtenStart = start;
        journal.writtenLength = SheetBytes;
        journal.oldBytes = before.mid(start, SheetBytes);
        journal.newDigest = SaveJournal::digest(saved);
        QByteArray torn = before;
        torn.replace(start, SheetBytes / 2, saved.left(SheetBytes / 2));
        WindowFixture f;
        QVERIFY(writeAll(f.file("rubri.dat-journal"), journal.encode()));
        QVERIFY(f.loadStore(torn));
        COMPARE_STORE(f.store(), before);
        QVERIFY(!QFile::exists(f.file("rubri.dat-journal")));
        QCOMPARE(f.texts.size(), 1);
        QVERIFY(f.texts.first().contains(QString::fromUtf8(folderTabLayouts().at(sheet).caption)));
        f.clickTab(sheet);
        QCOMPARE(f.cell(1)->text(), QStringLiteral("Bruno"));
        f.type(102, QStringLiteral("x"));
        QVERIFY(f.w().sheets().save());
        QByteArray edited = before;
        edited.replace(start + RecordBytes, RecordBytes, makeRecord("", "x"));
        COMPARE_STORE(f.store(), edited);
        QCOMPARE(f.texts.size(), 1);
    }
};

QTEST_MAIN(TestSafety)
#include "tst_safety.moc"
