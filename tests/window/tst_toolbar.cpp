#include "common/WindowTestSupport.h"

#include "window/LayoutTables.h"
#include "window/RawPicture.h"
#include "window/Toolbar.h"

#include <QLineEdit>
#include <QSignalSpy>

using namespace WindowTest;

namespace {
// Buttons hovered, each at two points; palette open; where the pointer goes next; whether it resets.
struct HoverCase { QList<int> buttons; bool palette; const char *target; bool resets; };
} // namespace
Q_DECLARE_METATYPE(HoverCase)

class TestToolbar : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;

    Toolbar &bar() { return m_f->w().toolbar(); }

    void checkHighlight(int active) { QCOMPARE(bar().activeButton(), active); }

private slots:
    void init()
    {
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->load(true));
        checkHighlight(13);
        // The pointer starts on the bare window: a move to where it already is is no move.
        const QPoint bare(m_f->w().width() / 2, m_f->w().height() - 2);
        QVERIFY(!m_f->w().childAt(bare));
        QTest::mouseMove(&m_f->w(), bare);
    }

    void hover_data()
    {
        QTest::addColumn<HoverCase>("c");
        QTest::newRow("3 then 4, to a cell") << HoverCase{{3, 4}, false, "Text1_3", false};
        QTest::newRow("within one button, to the search box") << HoverCase{{4, 4}, true, "Text4", true};
        QTest::newRow("ends and wide buttons, to the window") << HoverCase{{0, 12, 9, 10, 11, 0}, false, "frmAgenda", true};
        QTest::newRow("palette button, to the page") << HoverCase{{3, 8, 9, 8, 12}, true, "lblScheda", false};
    }

    // Every button but 8 closes the palette; the leave test's pointer stays on the last button.
    void hover()
    {
        QFETCH(HoverCase, c);
        AddressBookWindow &w = m_f->w();
        w.toolbar().setPaletteOpen(c.palette);
        QSignalSpy closeRequests(&bar(), &Toolbar::closePaletteRequested);
        for (int b : c.buttons) {
            const int before = int(closeRequests.count());
            m_f->moveOnto(b, QPoint(2, 2)); // over the margin of the box, then over the image
            m_f->moveOnto(b);
            checkHighlight(b);
            QVERIFY(bar().leaveTimer()->isActive());
            QCOMPARE(closeRequests.count(), before + (c.palette && b != 8 ? 2 : 0));
        }
        m_f->cell(3); // a line edit already, as after the user's first click into it
        QWidget *widget = w.objectName() == c.target ? &w : w.findChild<QWidget *>(c.target);
        // Clear of the widgets that overlap the bottom edge.
        const QPoint at(widget->width() / 2 - 20, widget->height() - (qobject_cast<QLineEdit *>(widget) ? 10 : 3));
        QCOMPARE(w.childAt(widget->mapTo(&w, at)), widget == &w ? nullptr : widget);
        QTest::mouseMove(widget, at);
        checkHighlight(c.resets ? 13 : c.buttons.last());
    }

    // Bounds inclusive; the gaps between the boxes and the search box are inside the strip.
    void leaveTest()
    {
        const QRect first = m_f->windowRect(bar().toolBox(0)), last = m_f->windowRect(bar().toolBox(12));
        const int gap = m_f->windowRect(bar().toolBox(3)).right() + 1, mid = first.center().y();
        QVERIFY(gap < m_f->windowRect(bar().toolBox(4)).left());
        const int search = m_f->w().searchBox()->mapToGlobal(m_f->w().searchBox()->rect().center()).x();
        const struct { QPoint at; bool inside; } probes[] = {
            {first.topLeft(), true}, {first.topLeft() - QPoint(0, 1), false}, {{last.right(), first.bottom()}, true},
            {{last.right(), first.bottom() + 1}, false}, {{first.left() - 1, mid}, false},
            {{last.right() + 1, mid}, false}, {{gap, mid}, true}, {{search, mid}, true}};
        int step = 0; // a move to where the pointer already is would be no move
        for (const auto &probe : probes) {
            m_f->moveOnto(3, QPoint(3 + step++, 3));
            m_f->pointer = probe.at;
            bar().runLeaveTest();
            checkHighlight(probe.inside ? 3 : 13);
            QCOMPARE(bar().leaveTimer()->isActive(), probe.inside);
        }
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

    // Every button's picture is not blank at the widths screens ask for: 100, 150, 200 and 300 %.
    void pictures()
    {
        for (const ToolButtonLayout &layout : toolButtonLayouts()) {
            const QString resource = QString::fromLatin1(layout.icon);
            for (int width : {layout.imageWidth, layout.imageWidth * 3 / 2, layout.imageWidth * 2, layout.imageWidth * 3}) {
                const QImage picture = ToolImage::picture(resource, width).toImage();
                int inked = 0;
                for (int y = 0; y < picture.height(); ++y) {
                    for (int x = 0; x < picture.width(); ++x)
                        inked += picture.pixelColor(x, y).alpha() > 0;
                }
                QVERIFY2(inked > picture.width() * picture.height() / 8, qPrintable(resource));
            }
        }
    }

    // A picture comes back pixel for pixel; anything else is no picture, never a read past its end.
    void rawPicture()
    {
        QImage sample(3, 2, QImage::Format_ARGB32);
        sample.fill(QColor(10, 20, 30, 128));
        sample.setPixelColor(2, 1, Qt::red);
        const QByteArray good = RawPicture::encode(sample);
        const auto decode = [](const QByteArray &bytes) {
            return RawPicture::decode(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
        };
        const QImage picture = decode(good);
        QCOMPARE(picture.size(), QSize(3, 2));
        QCOMPARE(picture.pixelColor(2, 1), QColor(Qt::red));
        QCOMPARE(picture.pixelColor(0, 0).alpha(), 128);
        QByteArray wider = good;
        wider[4] = 4; // claims four columns
        const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n").append(good.mid(8));
        for (const QByteArray &bad : {good.chopped(1), good + 'x', wider, png, QByteArray()}) {
            const QByteArray which = bad.left(8).toHex() + " of size " + QByteArray::number(bad.size());
            QVERIFY2(decode(bad).isNull(), which.constData());
        }
    }

    // A focused button and a focused tab show their focus mark.
    void focusMark()
    {
        for (QWidget *widget : {static_cast<QWidget *>(bar().toolBox(4)), static_cast<QWidget *>(m_f->w().tabs().folderTab(3))}) {
            const QImage plain = widget->grab().toImage();
            widget->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(widget->hasFocus());
            QVERIFY(widget->grab().toImage() != plain);
        }
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
