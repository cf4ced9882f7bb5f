#include "common/WindowTestSupport.h"

#include "platform/MessageBoxes.h"
#include "window/Toolbar.h"

#include <QLineEdit>
#include <QSignalSpy>

#include <memory>

using namespace WindowTest;

namespace {
enum class Look { Idle, Highlighted, Pressed };

QPoint bareBottom(const QWidget &w)
{
    return QPoint(w.width() / 2, w.height() - 2);
}
} // namespace

class TestToolbar : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }
    void hoverMovesHighlight_data();
    void hoverMovesHighlight();
    void leaveTest_data();
    void leaveTest();
    void anyMouseButtonPressSaves_data();
    void anyMouseButtonPressSaves();
    void resetByPointerMove_data();
    void resetByPointerMove();
    void hoverClosesPalette();
    void closeButtonAsks();

private:
    frmAgenda &w() { return *m_f->window; }
    void hover(int i, QPoint at = QPoint());
    void checkLook(int i, Look look);

    std::unique_ptr<AgendaFixture> m_f;
    quint32 m_idle = 0;
};

void TestToolbar::init()
{
    m_f = std::make_unique<AgendaFixture>();
    QVERIFY(loadActive(*m_f));
    m_idle = w().toolbar().Pic(0)->backColour();
    QVERIFY(m_idle != 0x00FFC0C0 && m_idle != 0x00FF8080);
    QCOMPARE(w().toolbar().Pulsante_Attivo(), 13);
    for (int i = 0; i < 13; ++i)
        checkLook(i, Look::Idle);
    // The pointer starts on the bare window: a move to where the pointer already is is no
    // move at all, and the previous test may have left it over a button.
    QVERIFY(!w().childAt(bareBottom(w())));
    QTest::mouseMove(&w(), bareBottom(w()));
}

// Moves the pointer onto a button; the leave test's pointer follows, so that a tick of the
// timer in between finds it over the strip.
void TestToolbar::hover(int i, QPoint at)
{
    ToolBox *box = w().toolbar().Pic(i);
    if (at.isNull())
        at = box->rect().center();
    m_f->screen.pointer = box->mapToGlobal(at);
    QTest::mouseMove(box, at);
}

void TestToolbar::checkLook(int i, Look look)
{
    static const int restLeft[13] = {40, 40, 40, 40, 40, 40, 40, 40, 40, 100, 100, 160, 220};
    const int shift = look == Look::Highlighted ? 20 : 0;
    const ToolBox *box = w().toolbar().Pic(i);
    const quint32 colour = look == Look::Idle ? m_idle : look == Look::Highlighted ? 0x00FFC0C0 : 0x00FF8080;
    QCOMPARE(box->backColour(), colour);
    QCOMPARE(box->hasBorder(), look != Look::Idle);
    QCOMPARE(w().toolbar().Img(i)->pos(), QPoint(twips(restLeft[i] - shift, w()), twips(40 - shift, w())));
}

void TestToolbar::hoverMovesHighlight_data()
{
    QTest::addColumn<QList<int>>("buttons");
    QTest::newRow("3 then 4") << QList<int>{3, 4};
    QTest::newRow("within one button") << QList<int>{4, 4};
    QTest::newRow("ends and wide buttons") << QList<int>{0, 12, 9, 10, 11, 0};
}

void TestToolbar::hoverMovesHighlight()
{
    QFETCH(QList<int>, buttons);
    for (int b : buttons) {
        // Over the image as well as over the margin of the box.
        hover(b, QPoint(2, 2));
        hover(b);
        QCOMPARE(w().toolbar().Pulsante_Attivo(), b);
        for (int i = 0; i < 13; ++i)
            checkLook(i, i == b ? Look::Highlighted : Look::Idle);
        QVERIFY(w().toolbar().Timer1()->isActive());
    }
}

void TestToolbar::leaveTest_data()
{
    // The pointer at xs[xr] + dx, ys[yr] + dy: xs are the left edge of box 0, the right edge
    // of box 12, the centre of box 0, the first pixel after box 3 and the centre of the search
    // box; ys the top, bottom and middle of box 0.
    QTest::addColumn<int>("xr");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("yr");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("inside");
    QTest::newRow("top edge") << 0 << 0 << 0 << 0 << true;
    QTest::newRow("above") << 0 << 0 << 0 << -1 << false;
    QTest::newRow("bottom edge") << 1 << 0 << 1 << 0 << true;
    QTest::newRow("below") << 1 << 0 << 1 << 1 << false;
    QTest::newRow("left of box 0") << 0 << -1 << 2 << 0 << false;
    QTest::newRow("right edge of box 12") << 1 << 0 << 2 << 0 << true;
    QTest::newRow("right of box 12") << 1 << 1 << 2 << 0 << false;
    QTest::newRow("gap between 3 and 4") << 3 << 0 << 2 << 0 << true;
    QTest::newRow("search box") << 4 << 0 << 2 << 0 << true;
}

void TestToolbar::leaveTest()
{
    QFETCH(int, xr);
    QFETCH(int, dx);
    QFETCH(int, yr);
    QFETCH(int, dy);
    QFETCH(bool, inside);
    Toolbar &bar = w().toolbar();
    const QRect first = m_f->screen.windowRect(bar.Pic(0));
    const QRect last = m_f->screen.windowRect(bar.Pic(12));
    const int gap = m_f->screen.windowRect(bar.Pic(3)).right() + 1;
    QVERIFY(gap < m_f->screen.windowRect(bar.Pic(4)).left());
    const int search = w().Text4()->mapToGlobal(w().Text4()->rect().center()).x();
    const int xs[5] = {first.left(), last.right(), first.center().x(), gap, search};
    const int ys[3] = {first.top(), first.bottom(), first.center().y()};

    hover(3);
    m_f->screen.pointer = QPoint(xs[xr] + dx, ys[yr] + dy);
    bar.Timer1_Timer();
    QCOMPARE(bar.Pulsante_Attivo(), inside ? 3 : 13);
    checkLook(3, inside ? Look::Highlighted : Look::Idle);
    QCOMPARE(bar.Timer1()->isActive(), inside);
}

void TestToolbar::anyMouseButtonPressSaves_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

// The save runs on the press; the release shifts the image again.
void TestToolbar::anyMouseButtonPressSaves()
{
    QFETCH(Qt::MouseButton, button);
    clickCell(w().grid().Text1(2));
    QTest::keyClicks(focused(), QStringLiteral("Ugo"));
    hover(0);
    QTest::mousePress(w().toolbar().Pic(0), button);
    checkLook(0, Look::Pressed);
    QVERIFY(!w().state().Modificato);
    QCOMPARE(recordOf(readAll(m_f->file("rubri.dat")), 2), makeRecord("Ugo", ""));
    QTest::mouseRelease(w().toolbar().Pic(0), button);
    checkLook(0, Look::Highlighted);
}

void TestToolbar::resetByPointerMove_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("fromBottom"); // where the pointer goes, clear of overlapping widgets
    QTest::addColumn<bool>("resets");
    QTest::newRow("bare window") << "frmAgenda" << 3 << true;
    QTest::newRow("search box") << "Text4" << 4 << true;
    QTest::newRow("cell") << "Text1_3" << 10 << false;
    QTest::newRow("page") << "lblScheda" << 3 << false;
}

void TestToolbar::resetByPointerMove()
{
    QFETCH(QString, target);
    QFETCH(int, fromBottom);
    QFETCH(bool, resets);
    hover(5);
    // The leave test's pointer stays on button 5, so only the move itself can reset.
    QWidget *widget = target == w().objectName() ? &w() : w().findChild<QWidget *>(target);
    QVERIFY(widget);
    const QPoint at(widget->width() / 2 - 20, widget->height() - fromBottom);
    QCOMPARE(w().childAt(widget->mapTo(&w(), at)), widget == &w() ? nullptr : widget);
    QTest::mouseMove(widget, at);
    QCOMPARE(w().toolbar().Pulsante_Attivo(), resets ? 13 : 5);
    checkLook(5, resets ? Look::Idle : Look::Highlighted);
}

void TestToolbar::hoverClosesPalette()
{
    QSignalSpy closeRequests(&w().toolbar(), &Toolbar::closePaletteRequested);
    hover(3);
    QCOMPARE(closeRequests.count(), 0);
    w().state().Tavolozza_Aperta = true;
    // Button 3 is highlighted already: the palette closes all the same. Each move goes to a
    // new point, as a move to the point the pointer is at is no move.
    int step = 0;
    for (int i : {3, 8, 9, 8, 12, 12}) {
        const int before = int(closeRequests.count());
        hover(i, QPoint(3 + step++, 3));
        QCOMPARE(closeRequests.count(), before + (i == 8 ? 0 : 1));
    }
}

void TestToolbar::closeButtonAsks()
{
    clickCell(w().grid().Text2(4));
    QTest::keyClicks(focused(), QStringLiteral("1"));
    m_f->messages.answers << MsgAnswer::Cancel << MsgAnswer::No;
    for (bool staysOpen : {true, false}) {
        QTest::mouseClick(w().toolbar().Pic(12), Qt::LeftButton);
        QCOMPARE(w().isVisible(), staysOpen);
    }
    QCOMPARE(m_f->messages.texts.size(), 2);
    QCOMPARE(m_f->messages.texts.at(0), QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   "));
}

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
