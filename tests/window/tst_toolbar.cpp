#include "common/WindowTestSupport.h"

#include "window/Toolbar.h"

#include <QSignalSpy>

using namespace WindowTest;

class TestToolbar : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;

    Toolbar &bar() { return m_f->w().toolbar(); }

private slots:
    void init()
    {
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->load(true));
    }

    // The save runs on the press, of the right button too, and gives the focus back.
    void pressSaves()
    {
        m_f->type(112, QStringLiteral("z"));
        clickAt(m_f->w().searchBox());
        m_f->moveOnto(0);
        QTest::mousePress(bar().toolBox(0), Qt::RightButton);
        COMPARE_STORE(m_f->store(), storeWith({{12, makeRecord("", "z")}}));
        QVERIFY(m_f->focusOn(112));
        QVERIFY(!m_f->w().shownSheet().modified);
    }

    // A double click is one press: a row operation must not run twice.
    void doubleClickActsOnce()
    {
        QSignalSpy actions(&bar(), &Toolbar::actionRequested);
        m_f->moveOnto(6);
        QTest::mouseDClick(bar().toolBox(6), Qt::LeftButton);
        QCOMPARE(actions.count(), 1);
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
