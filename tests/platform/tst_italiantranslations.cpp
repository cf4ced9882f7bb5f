#include "platform/ItalianTranslations.h"
#include "platform/QtMessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// Each function runs in a process of its own: the catalogue, once loaded, stays for good.
class tst_ItalianTranslations : public QObject
{
    Q_OBJECT

    static QString copyWord() { return QCoreApplication::translate("QLineEdit", "&Copy"); }

private slots:
    // A function CTest does not know of would never run.
    void initTestCase()
    {
        const QStringList listed = QStringLiteral(RUBRICA_OWN_PROCESS_FUNCTIONS).split(u',');
        const QMetaObject *meta = metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QString name = QString::fromLatin1(meta->method(i).name());
            if (meta->method(i).access() == QMetaMethod::Private && name != u"initTestCase" && name != u"init")
                QVERIFY2(listed.contains(name), qPrintable(name + u" is not registered to run in a process of its own"_s));
        }
    }

    // Dates and numbers are Italian at once; Qt's words wait until they are about to be seen.
    void init()
    {
        installItalianTranslationsOnDemand(*QCoreApplication::instance());
        QCOMPARE(QLocale().language(), QLocale::Italian);
        QCOMPARE(copyWord(), u"&Copy"_s);
    }

    void contextMenuBringsQtsWords()
    {
        QWidget widget;
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(&widget, &event);
        QCOMPARE(copyWord(), u"&Copia"_s);
    }

    void screenReaderBringsQtsWords()
    {
        QAccessible::setActive(true);
        QCOMPARE(copyWord(), u"&Copia"_s);
    }

    // The box keeps its own captions: Qt's "&Sì" and "&No" must not come over them.
    void messageBoxBringsQtsWords()
    {
        QWidget window;
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
        QCOMPARE(copyWord(), u"&Copia"_s);
        captions.sort();
        QCOMPARE(captions, QStringList({u"No"_s, u"Sì"_s}));
    }
};

QTEST_MAIN(tst_ItalianTranslations)
#include "tst_italiantranslations.moc"
