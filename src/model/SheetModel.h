#pragma once

#include "storage/SheetCodec.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <array>
#include <optional>

// The sheet shown in the window, as its 44 records hold it: for each row the long cell
// (column 0) and the short cell (column 1) with their stored text, bold, underline and
// colour. Every change of the rows is one step on the undo stack, which a load or a save
// empties. The highlights (selected cells, the search hit) belong to the cells, not to the
// rows: they stay where they are when rows move and are not undone.
class SheetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Rows = std::array<RowContent, RowsPerSheet>;
    enum class Highlight { None, Selected, Found };
    enum Role {
        BoldRole = Qt::UserRole + 1,
        UnderlineRole,
        ColourRole,    // Windows colour 0x00BBGGRR
        HighlightRole, // Highlight as an int
    };

    explicit SheetModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole: the text as shown (VisibleText); EditRole: the text as stored.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // EditRole: the user's new stored text, an undoable step.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QModelIndex indexOf(int cellCode) const;
    static int cellCodeOf(const QModelIndex &index);
    // Stored characters a cell holds at most: 100 in a long cell, 40 in a short one.
    static int maxLength(int cellCode);
    static CellContent &cellIn(Rows &rows, int cellCode);

    const Rows &rows() const { return m_rows; }
    const CellContent &cell(int cellCode) const;

    // Records that could not be read (nullopt) leave their rows as they were; a style or
    // colour code without meaning leaves that attribute as it was. Empties the undo stack.
    void load(const std::array<std::optional<DecodedRow>, RowsPerSheet> &records);
    // The sheet now holds what it holds in the store: nothing left to undo.
    void markSaved();

    // Each is one undoable step named by `actionText`.
    void replaceRows(const Rows &rows, const QString &actionText);
    // Typing in one cell: consecutive edits of the same cell make one step.
    void editText(int cellCode, const QString &storedText);
    void toggleBold(int cellCode);
    void toggleUnderline(int cellCode);
    void setColour(int cellCode, quint32 colour);

    Highlight highlight(int cellCode) const;
    bool isSelected(int cellCode) const { return highlight(cellCode) == Highlight::Selected; }
    void setHighlight(int cellCode, Highlight highlight);
    void clearHighlights();
    // A search hit becomes a selected cell, so that it can be cut or copied.
    void selectFoundCells();

    QUndoStack &undoStack() { return m_undo; }

signals:
    // dataChanged for the grid, in its own row numbers (1 to 44). The grid is connected here,
    // not to dataChanged: finding an inherited signal of QAbstractItemModel runs that class's
    // meta-call, code nothing else runs at start (64 kB more memory).
    void rowsChanged(int firstRow, int lastRow);

private:
    friend class RowsCommand;
    void setRows(const Rows &rows);
    // Every change goes out through here, so that the grid's signal never misses one.
    void tellChanged(const QModelIndex &from, const QModelIndex &to, const QList<int> &roles = {});
    static int slotOf(int cellCode);

    Rows m_rows;
    std::array<Highlight, 2 * RowsPerSheet> m_highlights{};
    QUndoStack m_undo;
};
