#include "editing/GridView.h"

#include "editing/CellEdit.h"
#include "editing/Grid.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

GridView::GridView(QWidget *window, const QRect &area, Grid &grid)
    : QWidget(window)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("Foglio"));
    setAccessibleName(QStringLiteral("Foglio"));
    setGeometry(area);
    setCursor(Qt::IBeamCursor);
    // The view is only where cells are: the window between the two pages stays bare, for the
    // pointer and for a click there.
    QRegion cellsArea;
    for (int index = 0; index < Grid::CellCount; ++index)
        cellsArea += m_grid.cellRect(Grid::codeInOrder(index));
    setMask(cellsArea.translated(-area.topLeft()));
}

void GridView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.translate(-pos());
    const QRect dirty = event->rect().translated(pos());
    for (int index = 0; index < Grid::CellCount; ++index) {
        const int code = Grid::codeInOrder(index);
        const QRect rect = m_grid.cellRect(code);
        if (!m_grid.madeCell(code) && rect.intersects(dirty))
            m_grid.paintCell(painter, rect, code);
    }
}

int GridView::cellAt(const QPoint &inView) const
{
    const QPoint inWindow = inView + pos();
    for (int index = Grid::CellCount - 1; index >= 0; --index) {
        if (m_grid.cellRect(Grid::codeInOrder(index)).contains(inWindow))
            return Grid::codeInOrder(index);
    }
    return 0;
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    const int code = cellAt(event->position().toPoint());
    if (code == 0)
        return;
    m_pressed = m_grid.cell(code);
    if (!m_pressed)
        return;
    // A press hands over the focus before it arrives, as the window system's own would.
    m_pressed->setFocus(Qt::MouseFocusReason);
    forward(event);
}

void GridView::mouseMoveEvent(QMouseEvent *event) { forward(event); }

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    forward(event);
    if (!event->buttons())
        m_pressed = nullptr;
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event) { forward(event); }

void GridView::contextMenuEvent(QContextMenuEvent *event)
{
    const int code = cellAt(event->pos());
    CellEdit *cell = m_pressed ? m_pressed.data() : m_grid.cell(code);
    if (!cell)
        return;
    QContextMenuEvent moved(event->reason(), cell->mapFrom(parentWidget(), mapTo(parentWidget(), event->pos())),
                            event->globalPos(), event->modifiers());
    QCoreApplication::sendEvent(cell, &moved);
}

void GridView::forward(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    const QPointF at = m_pressed->mapFrom(parentWidget(), mapTo(parentWidget(), event->position()));
    QMouseEvent moved(event->type(), at, event->scenePosition(), event->globalPosition(), event->button(),
                      event->buttons(), event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(m_pressed, &moved);
}
