#include "dialogs/PaletteDialog.h"

#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"
#include "storage/RowRecord.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include <array>

namespace {

struct SquareLayout
{
    int number; // Label1..Label6
    int left, top; // twips in the client area
    char code; // the store's colour code, which gives the colour and its name
};

// Two rows of three; the numbers follow the colour codes of the store, not the layout.
constexpr std::array<SquareLayout, 6> Squares{{
    {1, 60, 50, '0'},
    {2, 380, 50, '1'},
    {5, 720, 50, '4'},
    {3, 60, 360, '2'},
    {4, 380, 360, '3'},
    {6, 720, 360, '5'},
}};
constexpr int SquareSide = 255;
constexpr int ClientWidth = 1020;
constexpr int ClientHeight = 660;
constexpr int Border = 1; // pixels, drawn around the client area
// From the address book's outer corner to just under its colour button.
constexpr int OffsetLeft = 3360;
constexpr int OffsetTop = 720;

} // namespace

ColourSquare::ColourSquare(quint32 colour, QWidget *parent)
    : QAbstractButton(parent)
    , m_colour(colour)
{
    setFocusPolicy(Qt::NoFocus);
}

void ColourSquare::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_colour, palette()));
}

PaletteDialog *PaletteDialog::open(QWidget *agenda, qreal logicalDpi, ShownSheet &sheet, Grid &grid,
                           OpenChanged openChanged)
{
    auto *palette = new PaletteDialog(agenda, logicalDpi, sheet, grid, std::move(openChanged));
    palette->placeUnderButton();
    palette->show();
    palette->activateWindow();
    return palette;
}

PaletteDialog::PaletteDialog(QWidget *agenda, qreal logicalDpi, ShownSheet &sheet, Grid &grid, OpenChanged openChanged)
    : QWidget(agenda, Qt::Tool | Qt::FramelessWindowHint)
    , m_agenda(agenda)
    , m_dpi(logicalDpi)
    , m_sheet(sheet)
    , m_openChanged(std::move(openChanged))
    , m_grid(grid)
{
    setObjectName(QStringLiteral("frmColore"));
    setWindowTitle(QStringLiteral("Colore testo"));
    setAccessibleName(QStringLiteral("Colore del testo"));
    setAttribute(Qt::WA_DeleteOnClose);
    // No control takes the focus, so the window itself receives the keys.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(twipsToPixels(ClientWidth, m_dpi) + 2 * Border, twipsToPixels(ClientHeight, m_dpi) + 2 * Border);
    for (const SquareLayout &layout : Squares) {
        auto *square = new ColourSquare(*colourFromCode(layout.code), this);
        square->setObjectName(QStringLiteral("Label%1").arg(layout.number));
        square->setAccessibleName(colourNameOfCode(layout.code));
        square->setGeometry(twipsToPixels(QRect(layout.left, layout.top, SquareSide, SquareSide), m_dpi)
                                .translated(Border, Border));
        connect(square, &QAbstractButton::clicked, this, [this, square] { squareClicked(square->colour()); });
    }
    // A click elsewhere in the program takes the focus from the palette. Where no window
    // manager activates the clicked window, the palette would never hear of it.
    qApp->installEventFilter(this);
}

void PaletteDialog::placeUnderButton()
{
    m_openChanged(true);
    // Outer corners on both sides, wherever the address book stands; not kept on the screen.
    const QPoint corner = m_agenda->frameGeometry().topLeft();
    move(corner + QPoint(twipsToPixels(OffsetLeft, m_dpi), twipsToPixels(OffsetTop, m_dpi)));
}

void PaletteDialog::squareClicked(quint32 colour)
{
    m_sheet.modified = true;
    const int code = m_sheet.currentCell();
    if (code == 0)
        return; // nothing to colour: the palette stays open
    m_grid.model().setColour(code, colour);
    // The palette closes when the cell takes the focus from it.
    giveFocusToCurrentCell();
}

void PaletteDialog::keyTyped(int character)
{
    Q_UNUSED(character)
    giveFocusToCurrentCell();
    if (!m_closing)
        close();
}

// Only a focus loss tells that the palette is no longer open. After a close from outside the
// toolbar still counts it open, and the next request to close finds no palette and does nothing.
void PaletteDialog::focusLost()
{
    m_openChanged(false);
    if (!m_closing)
        close();
}

void PaletteDialog::closeFromOutside()
{
    if (!m_closing && isVisible())
        close();
}

void PaletteDialog::giveFocusToCurrentCell()
{
    CellEdit *cell = m_grid.cell(m_sheet.currentCell());
    if (!cell)
        return;
    // When the palette took the focus, the cell let it go as if to another program and kept its
    // caret. Coming back from the palette is a focus gain of its own: highlight and caret anew.
    cell->clearFocusLeftWithWindow();
    cell->setFocus(Qt::OtherFocusReason);
    m_agenda->activateWindow();
}

// Only keys that type a character (Esc, Enter and Backspace among them); arrows and function
// keys carry no text and leave the palette open.
void PaletteDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    keyTyped(event->text().at(0).unicode());
}

void PaletteDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !m_closing)
        focusLost();
    QWidget::changeEvent(event);
}

bool PaletteDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() != this && isVisible() && !m_closing)
        focusLost();
    return QWidget::eventFilter(watched, event);
}

void PaletteDialog::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    // The owner takes the keyboard back, as it would on Windows; without a window manager
    // nothing else would give it to anyone.
    if (isActiveWindow())
        m_agenda->activateWindow();
    event->accept();
}

void PaletteDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
