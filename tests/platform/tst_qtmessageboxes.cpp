#include "platform/ApplicationTitle.h"
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString EscapeKey = QStringLiteral("<Escape>");

// What a box showed while it was up. buttons: the sorted captions, the default one marked '*'
// and the one Escape chooses marked '!'.
struct ShownBox
{
    bool seen = false;
    QString title, text, buttons;
    Qt::TextFormat format = Qt::AutoText;
    int icon = -1;
    bool topMost = false;
    QPointer<QWidget> parent;
};

// Shows a box through QtMessageBoxes and answers it from the event loop as a user would.
int showAndAnswer(const QString &text, int style, const QString &action, ShownBox &shown)
{
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || clock.hasExpired(5000)) {
            if (clock.hasExpired(5000))
                poll.stop();
            return;
        }
        poll.stop();
        shown = {true, box->windowTitle(), box->text(), QString(), box->textFormat(), int(box->icon()),
                 box->windowFlags().testFlag(Qt::WindowStaysOnTopHint), box->parentWidget()};
        QStringList captions;
        QAbstractButton *target = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            captions << button->text() + QLatin1String(button == box->defaultButton() ? "*" : "")
                            + QLatin1String(button == box->escapeButton() ? "!" : "");
            if (button->text() == action)
                target = button;
        }
        captions.sort();
        shown.buttons = captions.join(QLatin1Char(' '));
        if (target)
            target->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
    poll.start(10);
    return QtMessageBoxes().show(text, style);
}

} // namespace

class tst_QtMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void boxLooksAndAnswers_data();
    void boxLooksAndAnswers();
    void parentIsActiveWindow();
};

void tst_QtMessageBoxes::boxLooksAndAnswers_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<bool>("topMost");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");

    const QString ask = QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   ");
    const QString yesNoCancel = QString::fromUtf8("Annulla! No S\xc3\xac*");
    const QString yesNo = QString::fromUtf8("No! S\xc3\xac*");
    const QString yes = QString::fromUtf8("S\xc3\xac");
    QTest::newRow("close prompt, Annulla") << 262179 << ask << ask << int(QMessageBox::Question) << yesNoCancel
                                           << true << QStringLiteral("Annulla") << int(MsgAnswer::Cancel);
    QTest::newRow("close prompt, Escape") << 262179 << ask << ask << int(QMessageBox::Question) << yesNoCancel
                                          << true << EscapeKey << int(MsgAnswer::Cancel);
    QTest::newRow("sheet prompt, Escape") << 262180 << ask << ask << int(QMessageBox::Question) << yesNo << true
                                          << EscapeKey << int(MsgAnswer::No);
    QTest::newRow("second default, lone CR")
        << (MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::DefaultButton2) << QStringLiteral("a\rb")
        << QStringLiteral("a\nb") << int(QMessageBox::Warning) << QString::fromUtf8("No*! S\xc3\xac") << false << yes
        << int(MsgAnswer::Yes);
    QTest::newRow("third default, CR LF")
        << (MsgStyle::YesNoCancel | MsgStyle::DefaultButton3) << QStringLiteral("a\r\nb\r\rc")
        << QStringLiteral("a\nb\n\nc") << int(QMessageBox::NoIcon) << QString::fromUtf8("Annulla*! No S\xc3\xac")
        << false << yes << int(MsgAnswer::Yes);
    QTest::newRow("default beyond the buttons")
        << (MsgStyle::YesNo | MsgStyle::DefaultButton3) << QStringLiteral("x") << QStringLiteral("x")
        << int(QMessageBox::NoIcon) << yesNo << false << QStringLiteral("No") << int(MsgAnswer::No);
    QTest::newRow("OK, markup shown as is") << 0 << QStringLiteral("<b>x</b> &amp;") << QStringLiteral("<b>x</b> &amp;")
                                            << int(QMessageBox::NoIcon) << QStringLiteral("OK*!") << false
                                            << QStringLiteral("OK") << int(MsgAnswer::Ok);
    QTest::newRow("OK, Escape") << (MsgStyle::Information | MsgStyle::TopMost) << QStringLiteral(" fine ")
                                << QStringLiteral(" fine ") << int(QMessageBox::Information) << QStringLiteral("OK*!")
                                << true << EscapeKey << int(MsgAnswer::Ok);
    QTest::newRow("OK/Cancel") << (MsgStyle::OkCancel | MsgStyle::Critical) << QStringLiteral("e")
                               << QStringLiteral("e") << int(QMessageBox::Critical) << QStringLiteral("Annulla! OK*")
                               << false << QStringLiteral("Annulla") << int(MsgAnswer::Cancel);
}

void tst_QtMessageBoxes::boxLooksAndAnswers()
{
    QFETCH(int, style);
    QFETCH(QString, text);
    QFETCH(QString, action);

    ShownBox shown;
    const int result = showAndAnswer(text, style, action, shown);
    QVERIFY(shown.seen);
    QCOMPARE(shown.title, ApplicationTitle);
    QTEST(shown.text, "shownText");
    QCOMPARE(shown.format, Qt::PlainText);
    QTEST(shown.icon, "icon");
    QTEST(shown.buttons, "buttons");
    QTEST(shown.topMost, "topMost");
    QTEST(result, "answer");
}

void tst_QtMessageBoxes::parentIsActiveWindow()
{
    ShownBox alone;
    showAndAnswer(QStringLiteral("x"), 0, QStringLiteral("OK"), alone);
    QVERIFY(alone.seen && !alone.parent);

    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ShownBox child;
    showAndAnswer(QStringLiteral("x"), 0, QStringLiteral("OK"), child);
    QCOMPARE(child.parent.data(), &window);
}

QTEST_MAIN(tst_QtMessageBoxes)
#include "tst_qtmessageboxes.moc"
