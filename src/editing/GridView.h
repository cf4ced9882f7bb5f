#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class CellEdit;

// The sheet under the cells: draws every cell that is not a line edit yet, from the sheet
// model, and hands a press on such a cell to the line edit made for it there and then. A
// sheet shown is drawn by one widget instead of by 88.
class GridView : public QWidget
{
    Q_OBJECT
public:
    struct Cells
    {
        // The cell codes in the order the cells lie over each other, the lowest first.
        std::function<QList<int>()> codes;
        std::function<QRect(int cellCode)> rect; // in the window
        std::function<bool(int cellCode)> isMade;
        std::function<void(QPainter &painter, const QRect &rect, int cellCode)> paint;
        std::function<CellEdit *(int cellCode)> make;
    };

    GridView(QWidget *window, const QRect &area, Cells cells);

    // Draws the cells again whose rectangle (in the window) meets the area.
    void updateArea(const QRect &inWindow) { update(inWindow.translated(-pos())); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int cellAt(const QPoint &inView) const;
    void forward(QMouseEvent *event);

    Cells m_cells;
    QList<int> m_order;
    QPointer<CellEdit> m_pressed; // the line edit made by the press, which gets its moves and release
};
