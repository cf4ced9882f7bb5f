#include "platform/ItalianTranslations.h"
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// Qt's Italian words, loaded when first about to be seen.
class tst_ItalianTranslations : public QObject
{
    Q_OBJECT

    static QString copyWord() { return QCoreApplication::translate("QLineEdit", "&Copy"); }

private slots:
    // A context menu brings them; a message box keeps its own captions, Qt's "&Sì" and "&No"
    // must not come over them.
    void contextMenuBringsQtsWords()
    {
        installItalianTranslationsOnDemand(*QCoreApplication::instance());
        QCOMPARE(QLocale().language(), QLocale::Italian); // dates and numbers at once
        QCOMPARE(copyWord(), u"&Copy"_s);
        QWidget window;
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(&window, &event);
        QCOMPARE(copyWord(), u"&Copia"_s);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QStringList captions;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                answer.stop();
                for (QAbstractButton *button : box->buttons())
                    captions << button->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        answer.start(10);
        QtMessageBoxes().show(u"Prova"_s, MsgStyle::YesNo | MsgStyle::Question);
        captions.sort();
        QCOMPARE(captions, QStringList({u"No"_s, u"Sì"_s}));
    }
};

QTEST_MAIN(tst_ItalianTranslations)
#include "tst_italiantranslations.moc"
