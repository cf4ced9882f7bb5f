// Export and import from the window: the save question first, an import and its undo.
#include "common/WindowTestSupport.h"

#include "window/ExchangeMenu.h"
#include "window/FileDialogs.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QMenu>
#include <QUndoStack>

using namespace WindowTest;

namespace {
// Answers every file dialog with the path it holds, and remembers that it was asked.
struct FakeDialogs : FileDialogs
{
    QString saveFileName(QWidget *, const QString &, const QString &suggested, const QStringList &,
                         int *chosenFilter) override
    {
        suggestedNames << suggested;
        *chosenFilter = 0;
        return path;
    }
    QString openFileName(QWidget *, const QString &, const QStringList &) override { return path; }
    QString path;
    QStringList suggestedNames;
};

QAction *entry(AddressBookWindow &w, const char *name)
{
    return w.exchange().menu()->findChild<QAction *>(QLatin1String(name));
}
} // namespace

class TestExchangeUi : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_f;
    FakeDialogs m_dialogs;

    bool start(const QByteArray &store)
    {
        m_f = std::make_unique<WindowFixture>();
        m_dialogs = FakeDialogs();
        if (!m_f->loadStore(store))
            return false;
        m_f->w().exchange().setFileDialogs(&m_dialogs);
        return true;
    }

private slots:
    void exportAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("typedTextExported");
        QTest::newRow("saved first") << int(MsgAnswer::Yes) << true;
        QTest::newRow("changes dropped") << int(MsgAnswer::No) << false;
    }

    // Export reads the store: unsaved changes of the sheet are saved, or dropped, first.
    void exportAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, typedTextExported);
        QVERIFY(start(storeWith({{1, makeRecord("Anna", "111")}})));
        m_f->type(2, QStringLiteral("Aldo"));
        m_dialogs.path = m_f->file(QStringLiteral("a1.csv"));
        m_f->answers = {answer};
        entry(m_f->w(), "mnuEsportaCartella")->trigger();

        const QString question = QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio A1?  ");
        QCOMPARE(m_f->texts, QStringList{question});
        QCOMPARE(m_dialogs.suggestedNames, QStringList{QStringLiteral("A1.csv")});
        const QString exported = QString::fromUtf8(fileBytes(m_dialogs.path));
        QVERIFY(exported.contains(QStringLiteral("Anna")));
        QCOMPARE(exported.contains(QStringLiteral("Aldo")), typedTextExported);
        QCOMPARE(m_f->store().contains("Aldo"), typedTextExported);
    }

    // The sheet shown waits for a save; the other folders are written at once, after the backup.
    void importIntoEmptyRowsWithUndo()
    {
        const QByteArray stored = storeWith({{1, makeRecord("Anna", "111")}});
        QVERIFY(start(stored));
        m_f->type(3, QStringLiteral("Adele"));
        m_dialogs.path = m_f->file(QStringLiteral("nuovi.csv"));
        QVERIFY(writeAll(m_dialogs.path, "Alberto,0123\r\nBruno,456\r\n"));
        entry(m_f->w(), "mnuImporta")->trigger();

        QCOMPARE(m_f->texts.size(), 1);
        QVERIFY(m_f->texts.constFirst().startsWith(QStringLiteral("Importate 2 voci su 2 da ")));
        QVERIFY(m_f->texts.constFirst().contains(QStringLiteral("Annulla (Ctrl+Z)")));
        SheetModel &model = m_f->model();
        QCOMPARE(model.rows().at(0).longCell.text, QStringLiteral("Anna"));
        QCOMPARE(model.rows().at(1).shortCell.text, QStringLiteral("0123"));
        QCOMPARE(model.rows().at(2).longCell.text, QStringLiteral("Adele"));
        QVERIFY(m_f->shownSheet().modified);
        const QByteArray now = m_f->store();
        QCOMPARE(recordOf(now, 45), makeRecord("Bruno", "456"));
        QCOMPARE(recordOf(now, 2), recordOf(stored, 2)); // the sheet shown waits for a save
        const QString backup = QDir(m_f->dir.path()).filePath(QStringLiteral("rubri-%1.bak")
                                                               .arg(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(fileBytes(backup), stored);

        // One step takes back the whole import, the folder on screen and the others.
        QUndoStack &undo = model.undoStack();
        undo.undo();
        QCOMPARE(model.rows().at(1).longCell.text, QString());
        QCOMPARE(model.rows().at(2).longCell.text, QStringLiteral("Adele"));
        QCOMPARE(m_f->store(), stored);
        undo.redo();
        QCOMPARE(model.rows().at(1).longCell.text, QStringLiteral("Alberto"));
        QCOMPARE(recordOf(m_f->store(), 45), makeRecord("Bruno", "456"));

        // What another hand wrote over the imported rows since is not taken away.
        QByteArray changed = m_f->store();
        changed.replace(44 * RecordBytes, RecordBytes, makeRecord("Bice", "789"));
        QVERIFY(writeAll(m_f->file(QStringLiteral("rubri.dat")), changed));
        undo.undo();
        QTRY_COMPARE(m_f->texts.size(), 2);
        QVERIFY(m_f->texts.last().contains(QStringLiteral("B1: è cambiata dopo l'importazione")));
        QCOMPARE(m_f->store(), changed);
        QCOMPARE(model.rows().at(1).longCell.text, QString());
    }
};

QTEST_MAIN(TestExchangeUi)
#include "tst_exchangeui.moc"
