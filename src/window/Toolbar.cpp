#include "window/Toolbar.h"

#include "platform/ScreenProbe.h"
#include "window/LayoutTables.h"
#include "window/RovingFocus.h"
#include "window/WindowAccessibility.h"

namespace {
constexpr int PaletteButton = 8;
constexpr int LeaveTestInterval = 55; // ms
} // namespace

Toolbar::Toolbar(QWidget *window, qreal logicalDpi, const ScreenProbe &screen)
    : QObject(window)
    , m_screen(screen)
{
    // Before the first control: with a screen reader listening, Qt makes a control's interface
    // as soon as the control is named.
    installWindowAccessibility();
    m_strip = new ToolStrip(window);
    m_strip->setGeometry(twipsToPixels(ToolStripRect, logicalDpi));
    const auto &layouts = toolButtonLayouts();
    for (int i = 0; i < ToolButtonCount; ++i) {
        auto *box = new ToolBox(i, layouts.at(size_t(i)), logicalDpi, m_strip);
        connect(box, &ToolBox::mouseMoved, this, &Toolbar::hover);
        connect(box, &ToolBox::mousePressed, this, &Toolbar::press);
        connect(box, &ToolBox::mouseReleased, this, &Toolbar::release);
        connect(box, &ToolBox::activated, this, &Toolbar::activate);
        m_boxes[size_t(i)] = box;
    }
    m_focus = new RovingFocus({m_boxes.cbegin(), m_boxes.cend()}, [this](int index) { toolBox(index)->activate(); }, this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(LeaveTestInterval);
    connect(&m_timer, &QTimer::timeout, this, &Toolbar::runLeaveTest);
    m_timer.start();
}

void Toolbar::initialise(quint32 windowBackground)
{
    const auto &layouts = toolButtonLayouts();
    for (int i = 0; i < ToolButtonCount; ++i)
        toolBox(i)->setRest(layouts.at(size_t(i)).restLeft, ToolImageRestTop, windowBackground);
    m_active = None;
    for (int i = 0; i < ToolButtonCount; ++i)
        setIdleLook(i);
}

void Toolbar::setIdleLook(int index)
{
    if (index != m_held)
        toolBox(index)->showIdle();
}

void Toolbar::hover(int index)
{
    m_timer.start();
    if (m_paletteOpen && index != PaletteButton)
        emit closePaletteRequested();
    if (m_active == index)
        return;
    if (m_active < None)
        setIdleLook(m_active);
    m_active = index;
    if (index != m_held)
        toolBox(index)->showHighlighted();
}

void Toolbar::press(int index)
{
    toolBox(index)->showPressed();
    // The action runs inside the press, so a modal dialog keeps the pressed look until it closes.
    emit actionRequested(index);
}

void Toolbar::release(int index)
{
    if (index != m_held)
        toolBox(index)->showReleased();
}

void Toolbar::activate(int index)
{
    emit actionRequested(index);
}

QWidget *Toolbar::focusButton() const
{
    return m_focus->current();
}

void Toolbar::runLeaveTest()
{
    const QPoint pointer = m_screen.cursorPos();
    const QRect first = m_screen.windowRect(toolBox(0));
    const QRect last = m_screen.windowRect(toolBox(ToolButtonCount - 1));
    const bool overStrip = first.top() <= pointer.y() && pointer.y() <= first.bottom()
        && first.left() <= pointer.x() && pointer.x() <= last.right();
    if (overStrip)
        return;
    resetButtons();
    m_timer.stop();
}

void Toolbar::resetButtons()
{
    if (m_active < None) {
        setIdleLook(m_active);
        m_active = None;
    }
}

void Toolbar::holdPressed(int index)
{
    m_held = index;
}

// The release that the dialog swallowed happens now; the leave test then decides whether the
// pointer is still on the button.
void Toolbar::endHold()
{
    const int index = m_held;
    m_held = None;
    if (index == None)
        return;
    if (index == m_active)
        release(index);
    else
        setIdleLook(index);
    m_timer.start();
}
