#pragma once

#include <QAbstractButton>
#include <QWidget>

#include <functional>

class Grid;
struct ShownSheet;

// Label1..Label6: a square of one text colour. A button to screen readers, but it never takes
// the keyboard focus: the palette window itself keeps it.
class ColourSquare : public QAbstractButton
{
    Q_OBJECT
public:
    ColourSquare(quint32 colour, QWidget *parent);

    quint32 colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_colour;
};

// The text colour palette: a small window without a title bar just under the toolbar's colour
// button. It lives only while it is the active window; closing it deletes it, so each opening
// is a fresh window.
class PaletteDialog : public QWidget
{
    Q_OBJECT
public:
    // Told true when a palette opens and false when it loses the focus, which a close from
    // outside does not do: the toolbar goes on asking to close a palette already gone.
    using OpenChanged = std::function<void(bool open)>;

    // Creates, places, shows and activates a palette for the address book window `agenda`,
    // whose layout was made at `logicalDpi`; a square colours `sheet`'s current cell.
    static PaletteDialog *open(QWidget *agenda, qreal logicalDpi, ShownSheet &sheet, Grid &grid,
                           OpenChanged openChanged);

    void squareClicked(quint32 colour);
    void keyTyped(int character);
    void focusLost();
    // Toolbar and search box: close while open; a palette already closing is left alone.
    void closeFromOutside();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    PaletteDialog(QWidget *agenda, qreal logicalDpi, ShownSheet &sheet, Grid &grid, OpenChanged openChanged);
    void placeUnderButton();
    void giveFocusToCurrentCell();

    QWidget *m_agenda;
    qreal m_dpi;
    ShownSheet &m_sheet;
    OpenChanged m_openChanged;
    Grid &m_grid;
    bool m_closing = false;
};
