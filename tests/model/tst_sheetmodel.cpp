// The sheet model on its own: its contract, the store's bytes through it, marks for invisible
// characters, undo steps.
#include "common/StoreDiff.h"
#include "common/StoreImages.h"
#include "common/TestFiles.h"
#include "model/SheetModel.h"
#include "model/VisibleText.h"
#include "storage/SheetStore.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreImage;

namespace {
using Records = std::array<std::optional<DecodedRow>, RowsPerSheet>;

DecodedRow decoded(const QByteArray &record)
{
    return decodeRow(RowRecord::fromBytes(record.constData(), record.size()));
}

constexpr CellFont Bold{true, false}, Underlined{false, true};
constexpr quint32 Red = 0x0000FF, Blue = 0xFF0000; // Windows colours, 0x00BBGGRR
} // namespace

class TestSheetModel : public QObject
{
    Q_OBJECT

private slots:
    // Every operation keeps the item model's contract, and the grid hears of every change.
    void contract()
    {
        SheetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<QPair<int, int>> changed, told;
        connect(&model, &QAbstractItemModel::dataChanged, this,
                [&changed](const QModelIndex &from, const QModelIndex &to) { changed.append({from.row() + 1, to.row() + 1}); });
        connect(&model, &SheetModel::rowsChanged, this, [&told](int first, int last) { told.append({first, last}); });
        Records records;
        records[0] = decoded(makeRecord("Tel \x81", "06"));
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
        QCOMPARE(told, changed);
        QVERIFY(changed.contains(qMakePair(44, 44)));
    }

    void everyByteComesBack_data()
    {
        QTest::addColumn<int>("byte");
        for (int byte = 0x01; byte <= 0xFF; ++byte)
            QTest::addRow("0x%02x", byte) << byte;
    }

    // Read from the store file as the window reads a sheet, in the middle of a text and at its end:
    // an untouched save writes every byte back, and so does one with a character typed before it.
    void everyByteComesBack()
    {
        QFETCH(int, byte);
        const QByteArray b(1, char(byte));
        const auto look = codes(StyleCode::BoldUnderlined, StyleCode::Bold, ColourCode::Magenta, ColourCode::Blue);
        const QByteArray stored = storeWith({{3, makeRecord("A" + b + "B" + b, b + "C", look)}});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rubri.dat"));
        QVERIFY(writeAll(path, stored));
        SheetStore store;
        QVERIFY(store.open(path));
        Records records;
        for (int row = 1; row <= RowsPerSheet; ++row) {
            RowRecord record;
            QVERIFY(store.read(row, &record));
            records[size_t(row - 1)] = decodeRow(record);
        }
        SheetModel model;
        model.load(records);
        QVERIFY(store.writeSheet(0, encodeSheet(model.rows())));
        COMPARE_STORE(fileBytes(path), stored);

        const QString text = model.cell(3).text;
        QVERIFY(VisibleText::shown(text).at(1).isPrint());
        model.editText(3, VisibleText::storedAfterEdit(text, VisibleText::shown(text).insert(1, u'x')));
        QVERIFY(store.writeSheet(0, encodeSheet(model.rows())));
        COMPARE_STORE(fileBytes(path), storeWith({{3, makeRecord("Ax" + b + "B" + b, b + "C", look)}}));
    }

    // A record that could not be read, or a style or colour code without meaning, keeps what the
    // row had; a load leaves nothing to undo.
    void loadKeepsWhatItCannotRead()
    {
        SheetModel model;
        Records records;
        records[0] = decoded(makeRecord("Uno", "1", codes(StyleCode::Bold, StyleCode::Underlined, ColourCode::Red,
                                                          ColourCode::Blue)));
        records[1] = decoded(makeRecord("Due", ""));
        model.load(records);
        records[0] = decoded(makeRecord("Altro", "2", "4/00 6"));
        records[1].reset();
        model.load(records);
        const RowContent &row = model.rows()[0];
        QCOMPARE(row.longCell.text, QStringLiteral("Altro"));
        QCOMPARE(row.longCell.font, Bold);
        QCOMPARE(row.longCell.colour, Red);
        QCOMPARE(row.shortCell.text, QStringLiteral("2"));
        QCOMPARE(row.shortCell.font, Underlined);
        QCOMPARE(row.shortCell.colour, Blue);
        QCOMPARE(model.cell(2).text, QStringLiteral("Due"));
        QVERIFY(!model.undoStack().canUndo());
    }

    void editAroundMarks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<QString>("storedAfter");
        // \u25af is the mark.
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

    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("steps");
        // Typing in one cell is one step, until another cell is typed in.
        QTest::newRow("typing") << "typing" << 2;
        QTest::newRow("rows replaced") << "rows" << 1; // an inserted or removed row, a cut, a paste
        QTest::newRow("bold") << "bold" << 1;
        QTest::newRow("underline") << "underline" << 1;
        QTest::newRow("colour") << "colour" << 1;
    }

    // Each step is taken back and done again whole; a save leaves nothing to undo.
    void undoAndRedo()
    {
        QFETCH(QString, step);
        QFETCH(int, steps);
        SheetModel model;
        Records records;
        records[1] = decoded(makeRecord("Due", "2", codes(StyleCode::Bold, StyleCode::Plain, ColourCode::Red)));
        model.load(records);
        const QByteArray loaded = encodeSheet(model.rows());
        // Steps that change nothing leave nothing to undo.
        model.replaceRows(model.rows(), QStringLiteral("niente"));
        model.editText(5, QString());
        QVERIFY(!model.undoStack().canUndo());

        if (step == "typing") {
            model.editText(2, QStringLiteral("Du"));
            model.editText(2, QStringLiteral("D"));
            model.editText(102, QStringLiteral("06"));
        } else if (step == "rows") {
            SheetModel::Rows rows = model.rows();
            std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
            model.replaceRows(rows, QStringLiteral("Inserisci riga"));
        } else if (step == "bold") {
            model.toggleBold(2);
        } else if (step == "underline") {
            model.toggleUnderline(102);
        } else {
            model.setColour(2, 0xFF00FF);
        }
        const QByteArray changed = encodeSheet(model.rows());
        QVERIFY(changed != loaded);
        QCOMPARE(model.undoStack().count(), steps);
        for (int i = 0; i < steps; ++i)
            model.undoStack().undo();
        COMPARE_STORE(encodeSheet(model.rows()), loaded);
        for (int i = 0; i < steps; ++i)
            model.undoStack().redo();
        COMPARE_STORE(encodeSheet(model.rows()), changed);
        model.markSaved();
        QVERIFY(!model.undoStack().canUndo());
    }
};

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
