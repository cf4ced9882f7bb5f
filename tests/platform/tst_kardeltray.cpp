#include "IsolatedRuntimeDirectory.h"

#include "platform/WindowDirectory.h"
#include "platform/WindowRegistry.h"

#include <QFileInfo>
#include <QTest>

#include <optional>

class tst_KardelTray : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_runtime.emplace(); QVERIFY(m_runtime->isValid()); }
    void cleanup() { m_runtime.reset(); }

    void runsUntilAsked_data();
    void runsUntilAsked();

private:
    std::optional<IsolatedRuntimeDirectory> m_runtime;
};

static void startTray(QProcess &process)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KARDELTRAY_PATH), QStringList());
}

void tst_KardelTray::runsUntilAsked_data()
{
    QTest::addColumn<bool>("bySignal");
    QTest::newRow("close request") << false;
    QTest::newRow("termination signal") << true;
}

void tst_KardelTray::runsUntilAsked()
{
    QFETCH(bool, bySignal);
#ifdef Q_OS_WIN
    if (bySignal)
        QSKIP("No termination signals on Windows");
#endif
    const QString title = QStringLiteral("KardelTray");
    auto directory = createSystemWindowDirectory();
    QProcess tray;
    startTray(tray);
    QTRY_VERIFY_WITH_TIMEOUT(directory->findWindow(title) != 0, 10000);

    // A second copy leaves quietly and takes nothing from the first.
    QProcess second;
    startTray(second);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(tray.state(), QProcess::Running);

    if (bySignal)
        tray.terminate();
    else
        directory->postClose(directory->findWindow(title));
    QVERIFY(tray.waitForFinished(10000));
    QCOMPARE(tray.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tray.exitCode(), 0);
    QCOMPARE(directory->findWindow(title), quintptr(0));
#ifndef Q_OS_WIN
    QVERIFY(!QFileInfo::exists(WindowRegistry::socketPath(title))); // ended cleanly
#endif
}

QTEST_MAIN(tst_KardelTray)
#include "tst_kardeltray.moc"
