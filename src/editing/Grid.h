#pragma once

#include "storage/RowRecord.h"

#include <QRect>
#include <QtGlobal>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CellEdit;
class CellEventHandler;
class GridView;
class QObject;
class QPainter;
class QWidget;
class SheetModel;

// How a cell shows its highlight, as Windows colours 0x00BBGGRR.
namespace CellBackground {
constexpr quint32 Selected = 0xC0FFFFu; // yellow
constexpr quint32 Found = 0xBEFEBEu;    // green
} // namespace CellBackground

// The 88 cells that show and edit the sheet model: longCellAt(1..44), the long cells, and
// shortCellAt(1..44), the short ones. A cell becomes a line edit when it is first needed (the
// user clicks or moves into it, a feature works on it, a screen reader runs); until then the
// grid's view draws it from the model, looking the same. A change of the model shows in the
// cells; what the user types goes into the model.
class Grid
{
public:
    static constexpr int CellCount = 2 * RowsPerSheet;
    // The cells in the order they lie over each other, the lowest first: row by row, the short
    // cell over the long one, so that the next row covers a cell's bottom edge and the short
    // cell the long one's right edge.
    static int codeInOrder(int index);

    Grid(QWidget *window, qreal logicalDpi, SheetModel &model);
    ~Grid();

    SheetModel &model() const { return m_model; }

    // The line edit of a cell, made when first asked for; null for a row outside 1..44.
    CellEdit *longCellAt(int row);
    CellEdit *shortCellAt(int row);
    // A cell code names the long cell of a row (1..44) or its short cell (row + 100); else null.
    CellEdit *cell(int cellCode);
    // The line edit of a cell if it has been made; null otherwise.
    CellEdit *madeCell(int cellCode) const;
    // Makes every cell a line edit, for a screen reader, which reads all of them.
    void makeAllCells();
    // Where a cell lies in the window, whether it is a line edit yet or not.
    QRect cellRect(int cellCode) const;
    // Draws a cell from the model, as its line edit would show it.
    void paintCell(QPainter &painter, const QRect &rect, int cellCode) const;

    void setHandler(CellEventHandler *handler);
    // Runs on every cell's line edit, those made later included.
    void setUpEachCell(const std::function<void(CellEdit *)> &setUp);
    // Gives the focus to the cell a code names; 0 names none.
    void focusCell(int cellCode);

    // The last cell in the tab order that is a line edit; the cells made later take their
    // place before it or after it, so what follows it follows the grid.
    QWidget *lastInTabOrder() const;

private:
    CellEdit *make(int cellCode);
    CellEdit *tabNeighbour(int cellCode, bool next);
    void showRows(int firstRow, int lastRow);
    void showCell(CellEdit *target);
    void takeEdit(int cellCode, const QString &shownText);
    static int orderIndex(int cellCode);

    QWidget *m_window;
    SheetModel &m_model;
    class ScreenReaderWatch;

    std::array<QRect, CellCount> m_rects{};      // by order index, in the window
    std::array<CellEdit *, CellCount> m_cells{}; // by order index; null until made
    GridView *m_view = nullptr;
    CellEventHandler *m_handler = nullptr;
    std::vector<std::function<void(CellEdit *)>> m_setUps;
    std::unique_ptr<QObject> m_connections; // ends them with the grid
    std::unique_ptr<ScreenReaderWatch> m_screenReaderWatch;
    bool m_showing = false; // the cells are being given the model's content
};
