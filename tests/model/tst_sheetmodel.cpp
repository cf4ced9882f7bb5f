// The sheet model on its own: its contract, loads, marks for invisible characters, undo steps.
#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "model/VisibleText.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {
using Records = std::array<std::optional<DecodedRow>, RowsPerSheet>;

DecodedCell decoded(const QString &text, std::optional<CellFont> font = CellFont{}, std::optional<quint32> colour = 0u)
{
    return {text, font, colour};
}

constexpr CellFont Bold{true, false};
constexpr quint32 Red = 0x0000FF;
} // namespace

class TestSheetModel : public QObject
{
    Q_OBJECT

private slots:
    // Every operation keeps the item model's contract.
    void contract()
    {
        SheetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Records records;
        records[0] = DecodedRow{decoded(QStringLiteral("Tel \u0081")), decoded(QStringLiteral("06"))};
        model.load(records);
        QVERIFY(model.setData(model.index(43, 1), QStringLiteral("fine")));
        model.toggleBold(144);
        model.setHighlight(1, SheetModel::Highlight::Found);
        model.selectFoundCells();
        model.undoStack().undo();
        QCOMPARE(model.data(model.index(0, 0), Qt::EditRole).toString(), QStringLiteral("Tel \u0081"));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Tel ") + QChar(VisibleText::Mark));
        QCOMPARE(model.data(model.index(43, 1), SheetModel::BoldRole).toBool(), false);
        QCOMPARE(model.highlight(1), SheetModel::Highlight::Selected);
    }

    // A record or code that could not be read keeps what was there; a load leaves nothing to undo.
    void loadKeepsWhatItCannotRead()
    {
        SheetModel model;
        Records first;
        first[0] = DecodedRow{decoded(QStringLiteral("Uno"), Bold, Red), decoded(QString())};
        first[1] = DecodedRow{decoded(QStringLiteral("Due")), decoded(QString())};
        model.load(first);
        Records second;
        second[0] = DecodedRow{decoded(QStringLiteral("Altro"), std::nullopt, std::nullopt), decoded(QString())};
        model.load(second);
        QCOMPARE(model.cell(1).text, QStringLiteral("Altro"));
        QCOMPARE(model.cell(1).font, Bold);
        QCOMPARE(model.cell(1).colour, Red);
        QCOMPARE(model.cell(2).text, QStringLiteral("Due"));
        QVERIFY(!model.undoStack().canUndo());
    }

    void editAroundMarks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<QString>("storedAfter");
        // \u25af is the mark.
        QTest::newRow("typed at the end") << "A\tB" << QStringLiteral("A\u25afBx") << "A\tBx";
        QTest::newRow("typed between marks") << "\x01\x02" << QStringLiteral("\u25afx\u25af") << "\x01x\x02";
        QTest::newRow("one mark deleted") << QStringLiteral("a\u0081\u009d") << QStringLiteral("a\u25af") << QStringLiteral("a\u0081");
        QTest::newRow("a pasted mark names nothing") << "ab" << QStringLiteral("a\u25afb") << "a?b";
    }

    // Characters the user did not touch keep their stored bytes, marks included.
    void editAroundMarks()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shownAfter);
        QFETCH(QString, storedAfter);
        QCOMPARE(VisibleText::storedAfterEdit(stored, shownAfter), storedAfter);
    }

    // Typing in one cell is one step; another cell, another step; a save ends them all.
    void typingSteps()
    {
        SheetModel model;
        QSignalSpy changes(&model, &SheetModel::dataChanged);
        model.editText(1, QStringLiteral("R"));
        model.editText(1, QStringLiteral("Ro"));
        model.editText(101, QStringLiteral("06"));
        QCOMPARE(model.undoStack().count(), 2);
        QCOMPARE(changes.count(), 3);
        model.undoStack().undo();
        model.undoStack().undo();
        QCOMPARE(model.cell(1).text, QString());
        QCOMPARE(model.cell(101).text, QString());
        model.undoStack().redo();
        model.markSaved();
        QVERIFY(!model.undoStack().canUndo());
        QCOMPARE(model.cell(1).text, QStringLiteral("Ro"));
    }

    // A step that changes nothing leaves nothing to undo.
    void noEmptySteps()
    {
        SheetModel model;
        model.replaceRows(model.rows(), QStringLiteral("niente"));
        model.editText(5, QString());
        QVERIFY(!model.undoStack().canUndo());
    }
};

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
