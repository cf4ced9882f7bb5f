#pragma once

#include <QPixmap>
#include <QWidget>

struct ToolButtonLayout;

class QIcon;

// The program's icon, at the sizes window systems ask for.
QIcon applicationIcon();

// strip: the strip that holds the buttons; only its bottom edge shows inside the window.
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

// toolImage(i): the picture of a button. Pointer events pass through to its box.
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

// toolBox(i): the box of a button with its picture. It draws the button's looks and reports the
// pointer events of the whole button; which look it shows when is the toolbar's business.
class ToolBox : public QWidget
{
    Q_OBJECT
public:
    enum Look { Idle, Highlighted, Pressed };

    ToolBox(int index, const ToolButtonLayout &layout, qreal logicalDpi, QWidget *parent);

    int index() const { return m_index; }
    ToolImage *image() const { return m_image; }
    Look look() const { return m_look; }
    quint32 backColour() const { return m_backColour; }
    bool hasBorder() const { return m_border; }

    // Img_Left(i), Img_Top(i) and the window's own background, which the idle look shows.
    void setRest(int leftTwips, int topTwips, quint32 idleColour);
    // The steps of each look in the window system's order: background, border, image.
    void showIdle();
    void showHighlighted();
    // The border stays as the highlight left it.
    void showPressed();
    void showReleased();

public slots:
    // A press by the keyboard or a screen reader: the action alone, no look of the pointer's.
    void activate() { emit activated(m_index); }

signals:
    void activated(int index);
    void mouseMoved(int index);
    void mousePressed(int index);
    void mouseReleased(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setBackColour(quint32 colour);
    void placeImage(int shiftTwips);

    int m_index;
    qreal m_dpi;
    ToolImage *m_image;
    Look m_look = Idle;
    quint32 m_backColour = 0;
    quint32 m_idleColour = 0x8000000F;
    bool m_border = false;
    int m_restLeft = 0;
    int m_restTop = 0;
};

// A dotted focus rectangle, as the window system marks a focused button or tab, `inset`
// pixels inside the widget's edge.
void drawFocusMark(QWidget *widget, int inset);
