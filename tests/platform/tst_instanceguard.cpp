#include "IsolatedRuntimeDirectory.h"

#include "platform/InstanceGuard.h"
#include "platform/WindowRegistry.h"

#include <QFileInfo>
#include <QTest>

#include <optional>

class tst_InstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_runtime.emplace(); QVERIFY(m_runtime->isValid()); }
    void cleanup() { m_runtime.reset(); }

    void claimLastsAsLongAsGuard();
    void otherProcessHolder_data();
    void otherProcessHolder();

private:
    std::optional<IsolatedRuntimeDirectory> m_runtime;
};

void tst_InstanceGuard::claimLastsAsLongAsGuard()
{
    auto first = createSystemInstanceGuard(QStringLiteral("rubrica"));
    QVERIFY(!first->anotherInstanceRunning());
    QVERIFY(!first->anotherInstanceRunning()); // the holder never sees itself as another copy
    auto second = createSystemInstanceGuard(QStringLiteral("rubrica"));
    QVERIFY(second->anotherInstanceRunning());
    QVERIFY(!createSystemInstanceGuard(QStringLiteral("kardeltray"))->anotherInstanceRunning());

    first.reset();
    auto third = createSystemInstanceGuard(QStringLiteral("rubrica"));
    QVERIFY(!third->anotherInstanceRunning());
    QVERIFY(second->anotherInstanceRunning());
}

void tst_InstanceGuard::otherProcessHolder_data()
{
    QTest::addColumn<bool>("killHolder");
    QTest::newRow("holder alive") << false;
    QTest::newRow("holder killed") << true;
}

void tst_InstanceGuard::otherProcessHolder()
{
    QFETCH(bool, killHolder);
    QProcess holder;
    QVERIFY(startHelper(holder, {QStringLiteral("lock"), QStringLiteral("rubrica")}));
    if (killHolder) {
        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
#ifndef Q_OS_WIN
        // The dead holder's lock file is still there; only its process is gone.
        QVERIFY(QFileInfo::exists(WindowRegistry::directory() + QStringLiteral("/rubrica.lock")));
#endif
    }
    QCOMPARE(createSystemInstanceGuard(QStringLiteral("rubrica"))->anotherInstanceRunning(), !killHolder);
    holder.kill();
    holder.waitForFinished(10000);
}

QTEST_MAIN(tst_InstanceGuard)
#include "tst_instanceguard.moc"
