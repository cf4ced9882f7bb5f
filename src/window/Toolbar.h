#pragma once

#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

class ScreenProbe;
struct AgendaState;

class QIcon;

// The program's icon, at the sizes window systems ask for.
QIcon applicationIcon();

// Frame1: the strip that holds the buttons; only its bottom edge shows inside the window.
class ToolStrip : public QWidget
{
    Q_OBJECT
public:
    explicit ToolStrip(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

// Frame2(i): a thin upright separator in the strip.
class ToolSeparator : public QWidget
{
    Q_OBJECT
public:
    ToolSeparator(int index, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Img(i): the picture of a button. Pointer events pass through to its box.
class ToolImage : public QWidget
{
    Q_OBJECT
public:
    ToolImage(int index, const QString &resource, QWidget *parent);

    // The picture at its own size ("name.argb") or at twice it ("name@2x.argb"), whichever is
    // the smaller one at least `neededWidth` device pixels wide; the larger when none is.
    static QPixmap picture(const QString &resource, int neededWidth);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_resource;
    QPixmap m_picture; // loaded at the first paint, again when the screen's density changes
    int m_pictureFor = 0;
};

// Pic(i): the box of a button, which reports the pointer events of the whole button.
class ToolBox : public QWidget
{
    Q_OBJECT
public:
    ToolBox(int index, QWidget *parent);

    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 colour);
    bool hasBorder() const { return m_border; }
    void setBorder(bool border);

signals:
    void mouseMoved(int index);
    void mousePressed(int index);
    void mouseReleased(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int m_index;
    quint32 m_backColour = 0;
    bool m_border = false;
};

// The 13 image buttons along the top of the window: their looks, the pointer tracking and the
// 55 ms leave test. The actions themselves belong to the window.
class Toolbar : public QObject
{
    Q_OBJECT
public:
    static constexpr int None = 13;

    Toolbar(QWidget *window, qreal logicalDpi, AgendaState &state, const ScreenProbe &screen);

    ToolStrip *Frame1() const { return m_strip; }
    ToolBox *Pic(int index) const { return m_boxes.at(size_t(index)); }
    ToolImage *Img(int index) const { return m_images.at(size_t(index)); }
    QTimer *Timer1() { return &m_timer; }
    int Pulsante_Attivo() const { return m_active; }

    // Start-up: rest positions, no button highlighted, every button idle.
    void initialise(quint32 windowBackground);

    void hover(int index);
    void press(int index);
    void release(int index);
    void Timer1_Timer();
    void Azzera_Pulsanti();
    // A button whose action opened a modal dialog keeps its pressed look until the dialog
    // closes: neither its release nor the leave test touch it meanwhile.
    void holdPressed(int index);
    void endHold();

signals:
    void actionRequested(int index);
    void closePaletteRequested();

private:
    void setIdleLook(int index);
    void placeImage(int index, int shiftTwips);

    qreal m_dpi;
    AgendaState &m_state;
    const ScreenProbe &m_screen;
    ToolStrip *m_strip;
    std::array<ToolBox *, 13> m_boxes{};
    std::array<ToolImage *, 13> m_images{};
    std::array<int, 13> m_imgLeft{};
    std::array<int, 13> m_imgTop{};
    int m_active = None;
    int m_held = None;
    quint32 m_windowBackground = 0x8000000F;
    QTimer m_timer;
};
