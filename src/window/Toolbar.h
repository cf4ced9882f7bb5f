#pragma once

#include "window/ToolButtonWidgets.h"

#include <QObject>
#include <QTimer>

#include <array>

class RovingFocus;
class ScreenProbe;

// The 13 image buttons along the top of the window: which look each shows when, as the pointer
// hovers, presses and leaves (with the 55 ms leave test). The boxes draw the looks; the actions
// themselves belong to the window.
class Toolbar : public QObject
{
    Q_OBJECT
public:
    static constexpr int None = 13;

    Toolbar(QWidget *window, qreal logicalDpi, const ScreenProbe &screen);

    // While the text colour palette counts as open, the pointer on any other button asks to
    // close it.
    bool isPaletteOpen() const { return m_paletteOpen; }
    void setPaletteOpen(bool open) { m_paletteOpen = open; }

    ToolStrip *strip() const { return m_strip; }
    ToolBox *toolBox(int index) const { return m_boxes.at(size_t(index)); }
    ToolImage *toolImage(int index) const { return toolBox(index)->image(); }
    QTimer *leaveTimer() { return &m_timer; }
    int activeButton() const { return m_active; }

    // Start-up: rest positions, no button highlighted, every button idle.
    void initialise(quint32 windowBackground);

    void hover(int index);
    void press(int index);
    void release(int index);
    void runLeaveTest();
    void resetButtons();
    // A button whose action opened a modal dialog keeps its pressed look until the dialog
    // closes: neither its release nor the leave test touch it meanwhile.
    void holdPressed(int index);
    void endHold();
    // A button pressed by the keyboard or a screen reader: its action, with no look of the
    // pointer's, which stays where it is.
    void activate(int index);
    // The button that the Tab key and F6 land on: the one last focused.
    QWidget *focusButton() const;

signals:
    void actionRequested(int index);
    void closePaletteRequested();

private:
    void setIdleLook(int index);

    bool m_paletteOpen = false;
    const ScreenProbe &m_screen;
    ToolStrip *m_strip = nullptr;
    std::array<ToolBox *, 13> m_boxes{};
    RovingFocus *m_focus = nullptr;
    int m_active = None;
    int m_held = None;
    QTimer m_timer;
};
