#include "common/PrivateRuntimeDir.h"
#include "platform/InstanceGuard.h"
#include "platform/TitleRegistration.h"
#include "platform/WindowDirectory.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <optional>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QString Tray = u"KardelTray"_s;
const QFile::Permissions GroupOrOther = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                        | QFile::WriteOther | QFile::ExeOther;

} // namespace

// Titles, close requests and instance claims between processes of one user.
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
#ifndef Q_OS_WIN
        QVERIFY(QFile(socket).open(QIODevice::WriteOnly)); // a plain file left there is no registration
        QCOMPARE(directory->findWindow(title), quintptr(0));
#endif
        auto holder = std::make_unique<TitleRegistration>();
        TitleRegistration other;
        QVERIFY(holder->registerTitle(title));
        QVERIFY(other.registerTitle(u"Altro"_s));
        QVERIFY(!TitleRegistration().registerTitle(title));
        QVERIFY(!TitleRegistration().registerTitle(QString()));
        const quintptr handle = directory->findWindow(title), otherHandle = directory->findWindow(u"Altro"_s);
        QVERIFY(handle != 0);
        QVERIFY(otherHandle != 0);
        QVERIFY(handle != otherHandle);
        QCOMPARE(directory->findWindow(title + u'x'), quintptr(0));
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
        QProcess tray, secondTray, claimHolder;
        claimHolder.start(QCoreApplication::applicationFilePath(), {u"--hold-claim"_s});
        QVERIFY(claimHolder.waitForReadyRead(10000));
        tray.start(QStringLiteral(KARDELTRAY_PATH), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(directory->findWindow(Tray) != 0, 10000);
        QVERIFY(!TitleRegistration().registerTitle(Tray));
        auto guard = createSystemInstanceGuard(u"rubrica"_s);
        QVERIFY(guard->anotherInstanceRunning());
        QVERIFY(!createSystemInstanceGuard(u"kardeltray"_s)->anotherInstanceRunning());
        // A second tray leaves quietly and takes nothing from the first.
        secondTray.start(QStringLiteral(KARDELTRAY_PATH), QStringList());
        QVERIFY(secondTray.waitForFinished(10000));
        QCOMPARE(secondTray.exitCode(), 0);
        QCOMPARE(tray.state(), QProcess::Running);

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

    void directoryIsPrivate_data()
    {
        QTest::addColumn<bool>("linkPlanted"); // by someone else, where the directory goes
        QTest::newRow("made") << false;
        QTest::newRow("link planted") << true;
    }

    // Without a runtime directory, under the temporary one.
    void directoryIsPrivate()
    {
#ifdef Q_OS_WIN
        QTest::qSkip("Windows keeps no registry directory", __FILE__, __LINE__);
#else
        QFETCH(bool, linkPlanted);
        const QString base = m_runtime->path(), elsewhere = base + u"/elsewhere"_s;
        const QByteArray savedTemp = qgetenv("TMPDIR");
        const auto restoreTemp = qScopeGuard([&savedTemp] { qputenv("TMPDIR", savedTemp); });
        qputenv("TMPDIR", QFile::encodeName(base));
        qunsetenv("XDG_RUNTIME_DIR");
        const QString parent = base + u"/tessavo-"_s + QString::number(::geteuid());
        QVERIFY(QDir().mkdir(elsewhere));
        QVERIFY(!linkPlanted || QFile::link(elsewhere, parent));

        QCOMPARE(WindowRegistry::directory(), linkPlanted ? QString() : parent + u"/tessavo-windows"_s);
        QCOMPARE(TitleRegistration().registerTitle(Tray), !linkPlanted);
        QVERIFY(QDir(elsewhere).isEmpty());
        if (linkPlanted)
            return;
        for (const QString &path : {parent, parent + u"/tessavo-windows"_s}) {
            const QFileInfo info(path);
            QVERIFY(info.isDir());
            QVERIFY(!info.isSymLink());
            QCOMPARE(info.ownerId(), uint(::geteuid()));
            QCOMPARE(info.permissions() & GroupOrOther, QFile::Permissions());
        }
#endif
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
