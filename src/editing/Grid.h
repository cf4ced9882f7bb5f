#pragma once

#include "storage/RowRecord.h"

#include <QtGlobal>

#include <array>
#include <memory>

class CellEdit;
class CellEventHandler;
class QObject;
class QWidget;
class SheetModel;

// How a cell shows its highlight, as Windows colours 0x00BBGGRR.
namespace CellBackground {
constexpr quint32 Selected = 0xC0FFFFu; // yellow
constexpr quint32 Found = 0xBEFEBEu;    // green
} // namespace CellBackground

// The 88 cells that show and edit the sheet model: longCellAt(1..44), the long cells, and
// shortCellAt(1..44), the short ones. A change of the model shows in the cells; what the user types
// goes into the model.
class Grid
{
public:
    Grid(QWidget *window, qreal logicalDpi, SheetModel &model);
    ~Grid();

    SheetModel &model() const { return m_model; }

    CellEdit *longCellAt(int row) const;
    CellEdit *shortCellAt(int row) const;
    // A cell code names the long cell of a row (1..44) or its short cell (row + 100); else null.
    CellEdit *cell(int cellCode) const;

    void setHandler(CellEventHandler *handler);
    // Gives the focus to the cell a code names; 0 names none.
    void focusCell(int cellCode);

    QWidget *lastInTabOrder() const;

private:
    void showRows(int firstRow, int lastRow);
    void showCell(int cellCode);
    void takeEdit(int cellCode, const QString &shownText);

    SheetModel &m_model;
    std::array<CellEdit *, RowsPerSheet> m_long{};
    std::array<CellEdit *, RowsPerSheet> m_short{};
    std::unique_ptr<QObject> m_connections; // ends them with the grid
    bool m_showing = false; // the cells are being given the model's content
};
