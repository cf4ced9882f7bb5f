#include "common/WindowTestSupport.h"

#include "platform/QuitOnSignal.h"
#include "window/FolderTabs.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"

#include <QDialog>
#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>

#include <csignal>
#include <cstdio>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace WindowTest;

namespace {
constexpr int SheetBytes = 44 * RecordBytes;
const QString CloseQuestion = QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   ");
constexpr int RetryStyle = MsgStyle::RetryCancel | MsgStyle::Critical | MsgStyle::TopMost;

void type(AgendaFixture &f, int cell, const QString &text)
{
    clickAt(f.cell(cell));
    QTest::keyClicks(focused(), text);
}

#ifdef Q_OS_UNIX
// Writes past `bytes` fail with "file troppo grande" until the guard goes: a real refusal of
// the system, the same for root, that stands in for a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        QuitOnSignal::ignoreFileSizeLimitSignal();
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lower = m_saved;
        lower.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() { lift(); }
    void lift()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
        m_set = false;
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_saved = {};
    bool m_set = false;
};
#endif

// How a failed save is reached; the answers to the boxes; whether the limit is lifted while
// the retry box is open.
struct FailCase { const char *via; QList<int> answers; bool roomMade; };
} // namespace
Q_DECLARE_METATYPE(FailCase)

// What keeps the user's typing: termination signals, a store that moved, failed saves,
// backups, the exit status, and long texts shown from their start.
class TestSafety : public QObject
{
    Q_OBJECT
private slots:
#ifdef Q_OS_UNIX
    void closeOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("answer");
        QTest::newRow("TERM, nothing changed") << int(SIGTERM) << false << 0;
        QTest::newRow("HUP, Sì saves") << int(SIGHUP) << true << int(MsgAnswer::Yes);
        QTest::newRow("INT, No drops") << int(SIGINT) << true << int(MsgAnswer::No);
        QTest::newRow("TERM, Annulla keeps running") << int(SIGTERM) << true << int(MsgAnswer::Cancel);
    }

    // A request to terminate is the title bar's close: the question when there are changes,
    // and Annulla keeps the program, which then still answers the next request.
    void closeOnSignal()
    {
        QFETCH(int, signal);
        QFETCH(bool, typed);
        QFETCH(int, answer);
        AgendaFixture f;
        QVERIFY(f.load(true));
        QuitOnSignal watcher([&f] { f.w().requestClose(); });
        if (typed)
            type(f, 3, QStringLiteral("Ugo"));
        // Ctrl+C pressed again while the question is open (a modal box) asks nothing more,
        // then or later.
        bool repeated = false;
        f.whileShown = [&] {
            if (std::exchange(repeated, true))
                return;
            QDialog box(&f.w());
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            ::raise(signal);
            QTest::qWait(50);
        };
        f.answers << answer;
        ::raise(signal);
        if (answer == MsgAnswer::Cancel) {
            QTRY_COMPARE(f.texts, QStringList{CloseQuestion});
            QTest::qWait(300);
            QCOMPARE(f.texts.size(), 1);
            QVERIFY(f.w().isVisible() && f.w().isStoreOpen() && f.w().state().Modificato);
            QCOMPARE(f.cell(3)->text(), QStringLiteral("Ugo"));
            f.answers << MsgAnswer::Yes;
            ::raise(signal);
        }
        QTRY_VERIFY(!f.w().isVisible());
        QCOMPARE(f.texts.size(), typed ? (answer == MsgAnswer::Cancel ? 2 : 1) : 0);
        QVERIFY(!f.w().isStoreOpen());
        const bool saved = answer == MsgAnswer::Yes || answer == MsgAnswer::Cancel;
        QVERIFY(f.store() == (saved ? storeWith({{3, makeRecord("Ugo", "")}}) : storeWith()));
    }

    // A signal that comes while a modal dialog is open waits for it, rather than closing the
    // window under it or stacking a second question.
    void signalWaitsForOpenDialog()
    {
        AgendaFixture f;
        QVERIFY(f.load(true));
        QuitOnSignal watcher([&f] { f.w().requestClose(); });
        QDialog dialog(&f.w());
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&dialog));
        ::raise(SIGTERM);
        QTest::qWait(300);
        QVERIFY(f.w().isVisible());
        dialog.close();
        QTRY_VERIFY(!f.w().isVisible());
        QVERIFY(f.texts.isEmpty());
    }
#endif

    void storeThatMoved_data()
    {
        QTest::addColumn<bool>("deleted"); // else replaced by a file renamed over it
        QTest::addColumn<int>("answer");
        QTest::newRow("deleted, OK") << true << int(MsgAnswer::Ok);
        QTest::newRow("deleted, Annulla") << true << int(MsgAnswer::Cancel);
        QTest::newRow("replaced, OK") << false << int(MsgAnswer::Ok);
        QTest::newRow("replaced, Annulla") << false << int(MsgAnswer::Cancel);
    }

    // The store is deleted or replaced while the window runs: the save says so before writing,
    // writes nothing into the old file, and does what the user chose.
    void storeThatMoved()
    {
#ifndef Q_OS_UNIX
        QSKIP("Windows does not let the open store be deleted or replaced");
#else
        QFETCH(bool, deleted);
        QFETCH(int, answer);
        AgendaFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}, {45, makeRecord("Bruno", "")}});
        QVERIFY(f.loadStore(original));
        const QString path = f.file("rubri.dat"), held = f.file("held.dat"), other = f.file("other.dat");
        // A second name for the open file, to look into it once its own name has gone.
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(held).constData()) == 0);
        const QByteArray replacement = storeWith({{2, makeRecord("Restored", "")}, {46, makeRecord("Carla", "")}});
        if (deleted)
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(writeAll(other, replacement) && std::rename(qPrintable(other), qPrintable(path)) == 0);

        type(f, 3, QStringLiteral("Ugo"));
        f.answers << answer;
        f.w().sheets().setToday([] { return QDate(2024, 6, 11); });
        QTest::mouseClick(f.w().toolbar().Pic(0), Qt::LeftButton);

        // The day's backup comes from the file the run opened, so the other sheets of a store
        // deleted under the program survive whatever the answer.
        QCOMPARE(contentsOfFile(f.file("rubri-2024-06-11.bak")), original);
        QCOMPARE(f.texts.size(), 1);
        QCOMPARE(f.styles, QList<int>{MsgStyle::OkCancel | MsgStyle::Exclamation | MsgStyle::TopMost});
        QVERIFY2(f.texts.at(0).contains(path + QLatin1Char('\r')), qPrintable(f.texts.at(0)));
        QVERIFY(f.texts.at(0).contains(deleted ? QStringLiteral("non c'è più") : QStringLiteral("sostituito")));
        QVERIFY(f.texts.at(0).contains(QStringLiteral(" il foglio A1")));
        QCOMPARE(contentsOfFile(held), original); // the old file is left alone
        QCOMPARE(f.w().state().Modificato, answer != MsgAnswer::Ok);
        if (answer != MsgAnswer::Ok) {
            QCOMPARE(QFile::exists(path), !deleted);
            QVERIFY(deleted || f.store() == replacement);
            return;
        }
        // Sheet A1 as the grid holds it, in whatever is at the path now; a missing store came
        // back whole, with its other sheets empty.
        QByteArray expected = deleted ? storeWith() : replacement;
        expected.replace(0, SheetBytes, storeWith({{1, makeRecord("Anna", "")}, {3, makeRecord("Ugo", "")}}).left(SheetBytes));
        QVERIFY(f.store() == expected);
        // From now on the file at the path is the store: no more questions.
        type(f, 4, QStringLiteral("Ida"));
        QVERIFY(f.w().sheets().Salva());
        QCOMPARE(f.texts.size(), 1);
        QCOMPARE(recordOf(f.store(), 4), makeRecord("Ida", ""));
        QTest::mouseClick(f.w().tabs().lblFolder(1), Qt::LeftButton);
        QCOMPARE(f.cell(2)->text(), deleted ? QString() : QStringLiteral("Carla"));
#endif
    }

#ifdef Q_OS_UNIX
    void failedSave_data()
    {
        QTest::addColumn<FailCase>("c");
        const int yes = MsgAnswer::Yes, retry = MsgAnswer::Retry, cancel = MsgAnswer::Cancel;
        QTest::newRow("save button, Annulla") << FailCase{"button", {cancel}, false};
        QTest::newRow("save button, Riprova fails again, Annulla") << FailCase{"button", {retry, cancel}, false};
        QTest::newRow("save button, Riprova after room is made") << FailCase{"button", {retry}, true};
        QTest::newRow("close, Sì, Annulla keeps the window") << FailCase{"close", {yes, cancel}, false};
        QTest::newRow("close, Sì, Riprova closes") << FailCase{"close", {yes, retry}, true};
        QTest::newRow("switch, Sì, Annulla stays on the sheet") << FailCase{"switch", {yes, cancel}, false};
        QTest::newRow("switch, Sì, Riprova switches") << FailCase{"switch", {yes, retry}, true};
    }

    // A write the system refuses: the reason in Italian, the file as it was, and the choice
    // between trying again and keeping the changes on screen; the program never ends by itself.
    void failedSave()
    {
        QFETCH(FailCase, c);
        AgendaFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}}).left(SheetBytes); // sheet A1 only
        QVERIFY(f.loadStore(original));
        frmAgenda &w = f.w();
        QTest::mouseClick(w.tabs().lblFolder(1), Qt::LeftButton);
        type(f, 105, QStringLiteral("02 555"));
        FileSizeLimit limit(10000); // sheet B1 spans bytes 6424 to 12848
        QVERIFY(limit.isSet());
        f.whileShown = [&] {
            if (c.roomMade && f.texts.last().startsWith(QStringLiteral("Impossibile")))
                limit.lift();
        };
        f.answers = c.answers;
        const QString via = QString::fromLatin1(c.via);
        bool closed = false;
        if (via == QLatin1String("button"))
            QTest::mouseClick(w.toolbar().Pic(0), Qt::LeftButton);
        else if (via == QLatin1String("close"))
            closed = w.close();
        else
            QTest::mouseClick(w.tabs().lblFolder(2), Qt::LeftButton);
        limit.lift();

        const int failures = int(c.answers.count(MsgAnswer::Retry)) + (c.roomMade ? 0 : 1);
        const QString failure = QStringLiteral("Impossibile salvare il foglio nell'archivio della Rubrica\r%1\r\r"
                                               "Motivo: file troppo grande.\rIl file non è stato modificato.\r\r"
                                               "Riprova: salva di nuovo, dopo aver risolto il problema (per esempio "
                                               "liberando spazio sul disco).\rAnnulla: non salva; le modifiche restano "
                                               "nel foglio e la Rubrica resta aperta.")
                                    .arg(w.storePath());
        QCOMPARE(f.texts.mid(f.texts.size() - failures), QStringList(QList<QString>(failures, failure)));
        QCOMPARE(f.styles.mid(f.styles.size() - failures), QList<int>(failures, RetryStyle));
        const QByteArray saved = storeWith({{1, makeRecord("Anna", "")}, {49, makeRecord("", "02 555")}}).left(2 * SheetBytes);
        if (!c.roomMade) {
            // Nothing written, nothing lost: the sheet stays on screen, changed, with its tab.
            QVERIFY(f.store() == original);
            QVERIFY(w.isVisible() && w.isStoreOpen() && !closed);
            QVERIFY(w.state().Modificato);
            QCOMPARE(w.state().Foglio_Corrente, 1);
            QVERIFY(w.tabs().lblFolder(1)->isBold() && !w.tabs().lblFolder(2)->isBold());
            QCOMPARE(f.cell(105)->text(), QStringLiteral("02 555"));
            QCOMPARE(focused(), static_cast<QWidget *>(f.cell(105)));
            // And once there is room, the same sheet saves.
            QVERIFY(w.sheets().Salva());
        }
        QVERIFY(f.store() == saved);
        QCOMPARE(closed, via == QLatin1String("close") && c.roomMade);
        QCOMPARE(w.state().Foglio_Corrente, via == QLatin1String("switch") && c.roomMade ? 2 : 1);
    }

    // A backup that cannot be written does not stand in the way of the save.
    void failedBackupDoesNotBlockSave()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith()));
        type(f, 2, QStringLiteral("Ugo"));
        FileSizeLimit limit(100000); // sheet A1 fits, a copy of the whole store does not
        QVERIFY(limit.isSet());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No backup.*file troppo grande")));
        QVERIFY(f.w().sheets().Salva());
        limit.lift();
        QVERIFY(f.texts.isEmpty());
        QVERIFY(f.store() == storeWith({{2, makeRecord("Ugo", "")}}));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rubri.dat"});
    }
#endif

    // One backup before the first save of a run, none for the later saves of that run or for
    // later runs of the same day; a new day gets its own, and the folder keeps seven.
    void backupBeforeFirstSave()
    {
        AgendaFixture f;
        const QByteArray original = storeWith({{1, makeRecord("Anna", "")}});
        QDir folder(f.dir.path());
        for (int day = 1; day <= 8; ++day)
            QVERIFY(writeAll(f.file(QStringLiteral("rubri-2024-06-0%1.bak").arg(day)), "old"));
        const auto run = [&](int day) {
            QVERIFY(f.load(true));
            f.w().sheets().setToday([day] { return QDate(2024, 6, day); });
        };
        QVERIFY(writeAll(f.file("rubri.dat"), original));
        run(11);
        type(f, 2, QStringLiteral("Ugo"));
        QVERIFY(f.w().sheets().Salva());
        // Past midnight, the same run makes no second backup.
        f.w().sheets().setToday([] { return QDate(2024, 6, 12); });
        type(f, 3, QStringLiteral("Ida"));
        QVERIFY(f.w().sheets().Salva());
        QVERIFY(!QFile::exists(f.file("rubri-2024-06-12.bak")));
        const QString backup11 = f.file("rubri-2024-06-11.bak");
        QCOMPARE(contentsOfFile(backup11), original);
        QVERIFY(f.w().close());

        run(11);
        type(f, 4, QStringLiteral("Leo"));
        QVERIFY(f.w().sheets().Salva());
        QCOMPARE(contentsOfFile(backup11), original); // the day's first state is kept
        const QByteArray beforeDay12 = f.store();
        QVERIFY(f.w().close());

        run(12);
        QVERIFY(f.w().close()); // a run without a save leaves no backup
        QVERIFY(!QFile::exists(f.file("rubri-2024-06-12.bak")));
        run(12);
        type(f, 5, QStringLiteral("Max"));
        QVERIFY(f.w().sheets().Salva());
        QCOMPARE(contentsOfFile(f.file("rubri-2024-06-12.bak")), beforeDay12);
        QCOMPARE(folder.entryList({QStringLiteral("*.bak")}, QDir::Files),
                 QStringList({"rubri-2024-06-04.bak", "rubri-2024-06-05.bak", "rubri-2024-06-06.bak",
                              "rubri-2024-06-07.bak", "rubri-2024-06-08.bak", "rubri-2024-06-11.bak",
                              "rubri-2024-06-12.bak"}));
        QVERIFY(f.texts.isEmpty());
    }

    void exitStatus_data()
    {
        QTest::addColumn<int>("refusal"); // 1: no tray program, 2: another copy, 0: the store is a folder
        QTest::newRow("no tray program") << 1;
        QTest::newRow("another copy") << 2;
        QTest::newRow("store unusable") << 0;
    }

    // The refusals are silent and count as a normal end; an unusable store is a failure.
    void exitStatus()
    {
        QFETCH(int, refusal);
        AgendaFixture f;
        if (refusal == 1)
            f.open.clear();
        f.otherCopy = refusal == 2;
        QVERIFY(refusal || QDir(f.dir.path()).mkdir(QStringLiteral("rubri.dat")));
        QVERIFY(!f.load());
        QCOMPARE(f.w().startFailed(), refusal == 0);
        QCOMPARE(f.texts.size(), refusal == 0 ? 1 : 0);
    }

    // Texts wider than their cell show their first characters after start-up and after a
    // switch; the cell with the focus keeps the caret the focus rules gave it.
    void longTextsShowTheirStart()
    {
        AgendaFixture f;
        const QByteArray longText = "Dott. Giovanni Battista Bianchi-Ferraris, Via Garibaldi 123, Milano";
        QVERIFY(f.loadStore(storeWith({{1, makeRecord(longText, "")}, {2, makeRecord(longText, longText)},
                                       {46, makeRecord(longText, "")}, {89, makeRecord(longText, longText)}})));
        QTRY_COMPARE(focused(), static_cast<QWidget *>(f.cell(1)));
        for (int code : {2, 102})
            QCOMPARE(f.cell(code)->cursorPosition(), 0);
        for (int tab : {1, 2}) {
            QTest::mouseClick(f.w().tabs().lblFolder(tab), Qt::LeftButton);
            QCOMPARE(f.cell(tab == 1 ? 2 : 1)->text().toLatin1(), longText);
            for (int code : {2, 101})
                QCOMPARE(f.cell(code)->cursorPosition(), 0);
            QCOMPARE(f.cell(1)->cursorPosition(), int(f.cell(1)->text().size())); // the focus rule
        }
    }

private:
    static QByteArray contentsOfFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

QTEST_MAIN(TestSafety)
#include "tst_safety.moc"
