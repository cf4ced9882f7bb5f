#include "IsolatedRuntimeDirectory.h"

#include "platform/TitleRegistration.h"
#include "platform/WindowDirectory.h"
#include "platform/WindowRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <optional>
#include <utility>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

class tst_WindowDirectory : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_runtime.emplace(); QVERIFY(m_runtime->isValid()); }
    void cleanup() { m_runtime.reset(); }

    void registeredTitleIsFound_data();
    void registeredTitleIsFound();
    void liveTitleCannotBeTakenTwice_data();
    void liveTitleCannotBeTakenTwice();
    void staleRegistrationIsIgnored_data();
    void staleRegistrationIsIgnored();
    void closeRequestReachesOnlyItsRegistrant();
    void directoryIsPrivate_data();
    void directoryIsPrivate();

private:
    std::optional<IsolatedRuntimeDirectory> m_runtime;
};

static const QFile::Permissions GroupOrOther = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                               | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

void tst_WindowDirectory::registeredTitleIsFound_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("tray") << QStringLiteral("KardelTray");
    QTest::newRow("blanks") << QStringLiteral(" Help di Tessavo ");
    QTest::newRow("path characters") << QStringLiteral("../a/b\\c:*?");
    QTest::newRow("accented") << QStringLiteral("Citt\u00e0 pi\u00f9 \u20ac");
    QTest::newRow("one character") << QStringLiteral("x");
    QTest::newRow("longer than a socket path") << QString(300, QLatin1Char('t'));
}

void tst_WindowDirectory::registeredTitleIsFound()
{
    QFETCH(QString, title);
    auto directory = createSystemWindowDirectory();
    auto registration = std::make_unique<TitleRegistration>();
    QVERIFY(registration->registerTitle(title));
    QVERIFY(directory->findWindow(title) != 0);
    QCOMPARE(directory->findWindow(title + QLatin1Char('x')), quintptr(0));
    QCOMPARE(directory->findWindow(title.chopped(1) + QLatin1Char('#')), quintptr(0));
#ifndef Q_OS_WIN
    const QString socket = WindowRegistry::socketPath(title);
    QCOMPARE(QFileInfo(socket).permissions() & GroupOrOther, QFile::Permissions());
#endif

    registration->unregister();
    QCOMPARE(directory->findWindow(title), quintptr(0));
#ifndef Q_OS_WIN
    QVERIFY(!QFileInfo::exists(socket));
#endif
    // Given up, the title is free for another registrant, and it goes with the object too.
    QVERIFY(registration->registerTitle(title));
    registration.reset();
    QCOMPARE(directory->findWindow(title), quintptr(0));
    QVERIFY(!TitleRegistration().registerTitle(QString()));
}

void tst_WindowDirectory::liveTitleCannotBeTakenTwice_data()
{
    QTest::addColumn<bool>("holderIsOtherProcess");
    QTest::newRow("held in this process") << false;
    QTest::newRow("held by another process") << true;
}

void tst_WindowDirectory::liveTitleCannotBeTakenTwice()
{
    QFETCH(bool, holderIsOtherProcess);
    const QString title = QStringLiteral("Help di Tessavo");
    auto directory = createSystemWindowDirectory();
    QProcess holderProcess;
    auto holder = std::make_unique<TitleRegistration>();
    if (holderIsOtherProcess)
        QVERIFY(startHelper(holderProcess, {QStringLiteral("register"), title}));
    else
        QVERIFY(holder->registerTitle(title));

    TitleRegistration second;
    QVERIFY(!second.registerTitle(title));
    const quintptr handle = directory->findWindow(title);
    QVERIFY(handle != 0);

    if (holderIsOtherProcess) {
        // The helper quits on a close request, as the stand-in programs do.
        directory->postClose(handle);
        QVERIFY(holderProcess.waitForFinished(10000));
        QCOMPARE(holderProcess.exitCode(), 0);
    } else {
        holder.reset();
    }
    QCOMPARE(directory->findWindow(title), quintptr(0));
    QVERIFY(second.registerTitle(title));
}

void tst_WindowDirectory::staleRegistrationIsIgnored_data()
{
    QTest::addColumn<bool>("killedRegistrant");
    QTest::newRow("registrant killed") << true;
    QTest::newRow("plain file in the way") << false;
}

void tst_WindowDirectory::staleRegistrationIsIgnored()
{
#ifdef Q_OS_WIN
    QSKIP("Windows removes a window together with its process");
#else
    QFETCH(bool, killedRegistrant);
    const QString title = QStringLiteral("KardelTray");
    const QString socket = WindowRegistry::socketPath(title);
    if (killedRegistrant) {
        QProcess process;
        QVERIFY(startHelper(process, {QStringLiteral("register"), title}));
        process.kill();
        QVERIFY(process.waitForFinished(10000));
    } else {
        QFile file(socket);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFileInfo::exists(socket));

    auto directory = createSystemWindowDirectory();
    QCOMPARE(directory->findWindow(title), quintptr(0));
    TitleRegistration registration;
    QVERIFY(registration.registerTitle(title));
    QVERIFY(directory->findWindow(title) != 0);
#endif
}

void tst_WindowDirectory::closeRequestReachesOnlyItsRegistrant()
{
    TitleRegistration first;
    auto *second = new TitleRegistration(this);
    QVERIFY(first.registerTitle(QStringLiteral("Primo")));
    QVERIFY(second->registerTitle(QStringLiteral("Secondo")));
    QSignalSpy firstSpy(&first, &TitleRegistration::closeRequested);
    // The receiver may destroy the registration that reports the request.
    connect(second, &TitleRegistration::closeRequested, this, [&second] { delete std::exchange(second, nullptr); });

    auto directory = createSystemWindowDirectory();
    const quintptr firstHandle = directory->findWindow(QStringLiteral("Primo"));
    const quintptr secondHandle = directory->findWindow(QStringLiteral("Secondo"));
    QVERIFY(firstHandle != 0 && secondHandle != 0 && firstHandle != secondHandle);
    directory->postClose(0);
    directory->postClose(firstHandle + secondHandle);
    directory->postClose(secondHandle);
    QTRY_VERIFY(!second);
    QCOMPARE(directory->findWindow(QStringLiteral("Secondo")), quintptr(0));
    QCOMPARE(firstSpy.count(), 0);

    directory->postClose(firstHandle);
    QTRY_COMPARE(firstSpy.count(), 1);
    // Asking is not closing: the registrant decides, and stays findable until it goes.
    QVERIFY(directory->findWindow(QStringLiteral("Primo")) != 0);
}

void tst_WindowDirectory::directoryIsPrivate_data()
{
    QTest::addColumn<bool>("fromEnvironment");
    QTest::addColumn<QString>("planted");
    QTest::addColumn<bool>("usable");
    QTest::newRow("runtime directory") << true << QString() << true;
    QTest::newRow("temporary directory") << false << QString() << true;
    QTest::newRow("link planted") << false << QStringLiteral("link") << false;
    QTest::newRow("link planted in runtime directory") << true << QStringLiteral("link") << false;
    QTest::newRow("file planted") << false << QStringLiteral("file") << false;
}

void tst_WindowDirectory::directoryIsPrivate()
{
#ifdef Q_OS_WIN
    QSKIP("Windows keeps no registry directory");
#else
    QFETCH(bool, fromEnvironment);
    QFETCH(QString, planted);
    QFETCH(bool, usable);
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const auto restoreTemp = qScopeGuard([&savedTemp] { qputenv("TMPDIR", savedTemp); });
    if (!fromEnvironment)
        qunsetenv("XDG_RUNTIME_DIR");

    const QString parent = fromEnvironment ? m_runtime->path()
                                           : temp.path() + QStringLiteral("/tessavo-") + QString::number(::geteuid());
    const QString target = fromEnvironment ? parent + QStringLiteral("/tessavo-windows") : parent;
    const QString elsewhere = temp.path() + QStringLiteral("/elsewhere");
    QVERIFY(QDir().mkdir(elsewhere));
    if (planted == QLatin1String("link"))
        QVERIFY(QFile::link(elsewhere, target));
    if (planted == QLatin1String("file"))
        QVERIFY(QFile(target).open(QIODevice::WriteOnly));

    const QString directory = WindowRegistry::directory();
    if (!usable) {
        QCOMPARE(directory, QString());
        QVERIFY(!TitleRegistration().registerTitle(QStringLiteral("KardelTray")));
        QCOMPARE(createSystemWindowDirectory()->findWindow(QStringLiteral("KardelTray")), quintptr(0));
        QVERIFY(QDir(elsewhere).isEmpty());
        return;
    }
    QCOMPARE(directory, parent + QStringLiteral("/tessavo-windows"));
    for (const QString &path : {parent, directory}) {
        const QFileInfo info(path);
        QVERIFY2(info.isDir() && !info.isSymLink(), qPrintable(path));
        QCOMPARE(info.ownerId(), uint(::geteuid()));
        QCOMPARE(info.permissions() & GroupOrOther, QFile::Permissions());
    }
#endif
}

QTEST_MAIN(tst_WindowDirectory)
#include "tst_windowdirectory.moc"
