#include "common/PrivateRuntimeDir.h"

#include "platform/ClipboardKeeper.h"

#include <QTest>

#include <future>

using namespace Qt::StringLiterals;

namespace {
struct HeldClipboard : Clipboard
{
    QString text() const override { return held; }
    void setText(const QString &text) override { held = text; }
    QString held = u"prima"_s;
};
} // namespace

// The tray stand-in keeping a text the address book leaves on the clipboard as it ends.
class TestClipboardKeeper : public QObject
{
    Q_OBJECT

private slots:
    void handOver()
    {
        PrivateRuntimeDir runtime;
        QVERIFY(runtime.activate());
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

QTEST_GUILESS_MAIN(TestClipboardKeeper)
#include "tst_clipboardkeeper.moc"
