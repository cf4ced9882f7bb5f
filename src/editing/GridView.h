#pragma once

#include <QPointer>
#include <QWidget>

class CellEdit;
class Grid;

// The sheet under the cells: draws every cell that is not a line edit yet, from the sheet
// model, and hands a press on such a cell to the line edit made for it there and then. A
// sheet shown is drawn by one widget instead of by 88.
class GridView : public QWidget
{
    Q_OBJECT
public:
    GridView(QWidget *window, const QRect &area, Grid &grid);

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

    Grid &m_grid;
    QPointer<CellEdit> m_pressed; // the line edit made by the press, which gets its moves and release
};
