#include "window/RovingFocus.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

RovingFocus::RovingFocus(std::vector<QWidget *> items, std::function<void(int)> press, QObject *parent)
    : QObject(parent)
    , m_items(std::move(items))
    , m_press(std::move(press))
{
    // Not reached by a click: pressing a button or a tab leaves the focus in the cell.
    for (QWidget *item : m_items) {
        item->setFocusPolicy(Qt::NoFocus);
        item->installEventFilter(this);
    }
    setCurrent(m_items.front());
}

int RovingFocus::indexOf(const QObject *item) const
{
    const auto place = std::find(m_items.cbegin(), m_items.cend(), item);
    return place == m_items.cend() ? -1 : int(place - m_items.cbegin());
}

void RovingFocus::setCurrent(QWidget *item)
{
    const int index = indexOf(item);
    if (index < 0)
        return;
    current()->setFocusPolicy(Qt::NoFocus);
    m_current = index;
    item->setFocusPolicy(Qt::TabFocus);
}

bool RovingFocus::eventFilter(QObject *watched, QEvent *event)
{
    const int index = indexOf(watched);
    if (index < 0)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn)
        setCurrent(m_items.at(size_t(index)));
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    const int count = int(m_items.size());
    int target = -1;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: target = (index + count - 1) % count; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = (index + 1) % count; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!key->isAutoRepeat())
            m_press(index);
        return true;
    default: return false;
    }
    m_items.at(size_t(target))->setFocus(Qt::OtherFocusReason);
    return true;
}
