#include "platform/ApplicationTitle.h"
#include "platform/ItalianTranslations.h"
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QScreen>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class tst_QtMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    // Qt's Italian words come with the first context menu, not before; the boxes below keep their
    // own captions over Qt's "&Sì" and "&No".
    void qtWordsComeWhenSeen()
    {
        const auto copyWord = [] { return QCoreApplication::translate("QLineEdit", "&Copy"); };
        installItalianTranslationsOnDemand(*QCoreApplication::instance());
        QCOMPARE(copyWord(), u"&Copy"_s);
        QWidget widget;
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(&widget, &event);
        QCOMPARE(copyWord(), u"&Copia"_s);
    }

    void boxLooksAndAnswers_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shownText");
        // Icon, " top" when top-most, the sorted captions: '*' marks the default, '!' what Escape chooses.
        QTest::addColumn<QString>("looks");
        QTest::addColumn<QString>("action"); // the caption clicked, after an Escape that must change nothing; none: Escape
        QTest::addColumn<int>("answer");
        const QString ask = u"  Vuoi salvare le ultime modifiche effettuate?   "_s;
        const int question = MsgStyle::Question | MsgStyle::TopMost;
        QTest::newRow("close prompt") << (MsgStyle::YesNoCancel | question) << ask << ask << u"Question top: Annulla! No Sì*"_s
                                      << u"Annulla"_s << int(MsgAnswer::Cancel);
        QTest::newRow("sheet prompt, Escape") << (MsgStyle::YesNo | question) << ask << ask << u"Question top: No Sì*"_s
                                              << u"!Sì"_s << int(MsgAnswer::Yes);
        QTest::newRow("OK, markup shown as is") << (MsgStyle::Information | MsgStyle::TopMost) << u"<b>x</b> &amp;"_s
                                                << u"<b>x</b> &amp;"_s << u"Information top: OK*!"_s << u"OK"_s
                                                << int(MsgAnswer::Ok);
        QTest::newRow("OK/Cancel, Escape") << (MsgStyle::OkCancel | MsgStyle::Critical) << u"e"_s << u"e"_s
                                           << u"Critical: Annulla! OK*"_s << QString() << int(MsgAnswer::Cancel);
        QTest::newRow("retry") << (MsgStyle::RetryCancel | MsgStyle::Critical | MsgStyle::TopMost) << u"r"_s << u"r"_s
                               << u"Critical top: Annulla! Riprova*"_s << u"Riprova"_s << int(MsgAnswer::Retry);
    }

    // The box is answered from the event loop as a user would.
    void boxLooksAndAnswers()
    {
        QFETCH(int, style);
        QFETCH(QString, text);
        QFETCH(QString, action);
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QString looks;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            QStringList captions;
            QAbstractButton *target = nullptr;
            for (QAbstractButton *button : box->buttons()) {
                captions << button->text() + (button == box->defaultButton() ? u"*"_s : QString())
                                + (button == box->escapeButton() ? u"!"_s : QString());
                target = button->text() == QStringView(action).mid(action.startsWith(u'!') ? 1 : 0) ? button : target;
            }
            // A Yes/No box ignores Escape and the title bar's close: only a button answers it.
            if (action.startsWith(u'!')) {
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                QCOMPARE(QApplication::activeModalWidget(), box);
            }
            // Answered even when a check below fails, so that the test goes on.
            const auto answer = qScopeGuard([&] { target ? target->click() : QTest::keyClick(box, Qt::Key_Escape); });
            captions.sort();
            looks = QString::fromLatin1(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()))
                    + (box->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? u" top: "_s : u": "_s)
                    + captions.join(u' ');
            QCOMPARE(box->windowTitle(), ApplicationTitle);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QTEST(box->text(), "shownText");
        });
        poll.start(10);
        QTEST(QtMessageBoxes().show(text, style), "answer");
        QTEST(looks, "looks");
    }

    // A long unbroken paste: the button stays on the screen, the text cut after a whole character.
    void longTextFitsTheScreen()
    {
        QSize shown;
        QString shownText;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                poll.stop();
                shown = box->frameGeometry().size();
                shownText = box->text();
                box->buttons().constFirst()->click();
            }
        });
        poll.start(10);
        QtMessageBoxes().show(u"  Fine ricerca del dato:  "_s + u"😀"_s.repeated(16000), MsgStyle::Information);
        QCOMPARE(shown.boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size()), shown);
        QVERIFY(shownText.endsWith(u"…"_s));
        QVERIFY(shownText.chopped(1).trimmed().endsWith(u"😀"_s)); // no half character before the cut
    }
};

QTEST_MAIN(tst_QtMessageBoxes)
#include "tst_qtmessageboxes.moc"
