#include "editing/GridView.h"

#include "editing/CellEdit.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

GridView::GridView(QWidget *window, const QRect &area, Cells cells)
    : QWidget(window)
    , m_cells(std::move(cells))
    , m_order(m_cells.codes())
{
    setObjectName(QStringLiteral("Foglio"));
    setAccessibleName(QStringLiteral("Foglio"));
    setGeometry(area);
    setCursor(Qt::IBeamCursor);
    // The view is only where cells are: the window between the two pages stays bare, for the
    // pointer and for a click there.
    QRegion cellsArea;
    for (int code : m_order)
        cellsArea += m_cells.rect(code);
    setMask(cellsArea.translated(-area.topLeft()));
}

void GridView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.translate(-pos());
    const QRect dirty = event->rect().translated(pos());
    for (int code : m_order) {
        const QRect rect = m_cells.rect(code);
        if (!m_cells.isMade(code) && rect.intersects(dirty))
            m_cells.paint(painter, rect, code);
    }
}

int GridView::cellAt(const QPoint &inView) const
{
    const QPoint inWindow = inView + pos();
    for (auto it = m_order.crbegin(); it != m_order.crend(); ++it) {
        if (m_cells.rect(*it).contains(inWindow))
            return *it;
    }
    return 0;
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    const int code = cellAt(event->position().toPoint());
    if (code == 0)
        return;
    m_pressed = m_cells.make(code);
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
    CellEdit *cell = m_pressed ? m_pressed.data() : (code ? m_cells.make(code) : nullptr);
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
