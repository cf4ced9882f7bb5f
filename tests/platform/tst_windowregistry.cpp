#include "common/PrivateRuntimeDir.h"
#include "platform/ClipboardKeeper.h"
#include "platform/InstanceGuard.h"
#include "platform/TitleRegistration.h"
#include "platform/WindowDirectory.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <future>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString Tray = u"KardelTray"_s;

struct HeldClipboard : Clipboard
{
    QString text() const override { return held; }
    void setText(const QString &text) override { held = text; }
    QString held = u"prima"_s;
};

const QFile::Permissions GroupOrOther = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                        | QFile::WriteOther | QFile::ExeOther;

} // namespace

// Titles, close requests, instance claims and the clipboard hand-over between processes of one user.
class tst_WindowRegistry : public QObject
{
    Q_OBJECT

    std::optional<PrivateRuntimeDir> m_runtime;

private slots:
    // Never among the user's own registrations; child processes inherit the directory.
    void init()
    {
        QVERIFY(m_runtime.emplace().activate());
    }

    // A look-up finds exactly the registered title, and a close request reaches only its registrant.
    // The titles are the programs' own, so one of their kind is enough.
    void titles()
    {
        const QString title = u"Help di Tessavo"_s;
        auto directory = createSystemWindowDirectory();
        const QString socket = WindowRegistry::socketPath(title); // none on Windows
        auto holder = std::make_unique<TitleRegistration>();
        TitleRegistration other;
        QVERIFY(holder->registerTitle(title));
        QVERIFY(other.registerTitle(u"Altro"_s));
        QVERIFY(!TitleRegistration().registerTitle(title));
        const quintptr handle = directory->findWindow(title), otherHandle = directory->findWindow(u"Altro"_s);
        QVERIFY(handle != 0);
        QVERIFY(otherHandle != 0);
        QCOMPARE(directory->findWindow(title.toUpper()), quintptr(0)); // capitals count, on Windows too
        QCOMPARE(QFileInfo(socket).permissions() & GroupOrOther, QFile::Permissions());

        QSignalSpy otherSpy(&other, &TitleRegistration::closeRequested);
        // The receiver may destroy the registration that reports the request; that gives the title up.
        connect(holder.get(), &TitleRegistration::closeRequested, this, [&holder] { holder.reset(); });
        directory->postClose(handle + otherHandle);
        directory->postClose(handle);
        QTRY_VERIFY(!holder);
        QCOMPARE(directory->findWindow(title), quintptr(0));
        QVERIFY(!QFileInfo::exists(socket));
        QCOMPARE(otherSpy.count(), 0);
        directory->postClose(otherHandle);
        QTRY_COMPARE(otherSpy.count(), 1);
        QVERIFY(directory->findWindow(u"Altro"_s) != 0); // asking is not closing: the registrant decides
    }

    // The tray stand-in and another copy of this program, killed: what they leave stops nobody.
    // The address book never asks the tray to close, so only its death is tried.
    void otherProcesses()
    {
        auto directory = createSystemWindowDirectory();
        QProcess tray, claimHolder;
        claimHolder.start(QCoreApplication::applicationFilePath(), {u"--hold-claim"_s});
        QVERIFY(claimHolder.waitForReadyRead(10000));
        tray.start(QStringLiteral(KARDELTRAY_PATH), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(directory->findWindow(Tray) != 0, 10000);
        QVERIFY(!TitleRegistration().registerTitle(Tray));
        auto guard = createSystemInstanceGuard(u"rubrica"_s);
        QVERIFY(guard->anotherInstanceRunning());
        QVERIFY(!createSystemInstanceGuard(u"kardeltray"_s)->anotherInstanceRunning());

        claimHolder.kill();
        tray.kill();
        QVERIFY(tray.waitForFinished(10000));
        QVERIFY(claimHolder.waitForFinished(10000));
        QCOMPARE(directory->findWindow(Tray), quintptr(0));
#ifndef Q_OS_WIN
        QVERIFY(QFileInfo::exists(WindowRegistry::socketPath(Tray))); // left behind, and no obstacle
        QVERIFY(QFileInfo::exists(WindowRegistry::directory() + u"/rubrica.lock"_s));
#endif
        TitleRegistration registration;
        QVERIFY(registration.registerTitle(Tray));
        QVERIFY(directory->findWindow(Tray) != 0);
        QVERIFY(!guard->anotherInstanceRunning());
        QVERIFY(createSystemInstanceGuard(u"rubrica"_s)->anotherInstanceRunning());
    }

    // The tray stand-in keeps a text the address book leaves on the clipboard as it ends.
    void clipboardHandOver()
    {
        QVERIFY(!ClipboardKeeper::handOver(u"nessuno"_s)); // no keeper: nothing waits
        HeldClipboard clipboard;
        ClipboardKeeper keeper(clipboard);
        QVERIFY(keeper.listen());
        HeldClipboard other;
        QVERIFY(!ClipboardKeeper(other).listen()); // one keeper a session
        // A cut column: accents, characters beyond 16 bits, an empty cell, the last line feed.
        const QString column = u"Città\n\n😀 Rossi\n"_s + QString(20000, u'x') + u'\n';
        auto sent = std::async(std::launch::async, [&] { return ClipboardKeeper::handOver(column); });
        QTRY_COMPARE(clipboard.held, column);
        QVERIFY(sent.get());
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // for the tray started from here too
    QApplication app(argc, argv);
    if (app.arguments().value(1) == u"--hold-claim") {
        // Stands for another copy of the program: holds the claim until it is killed.
        const auto guard = createSystemInstanceGuard(u"rubrica"_s);
        if (guard->anotherInstanceRunning())
            return 1;
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        return app.exec();
    }
    tst_WindowRegistry test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowregistry.moc"
