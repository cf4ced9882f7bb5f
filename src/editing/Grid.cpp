#include "editing/Grid.h"

#include "editing/CellEdit.h"
#include "editing/CellPainter.h"
#include "editing/GridLayout.h"
#include "editing/GridView.h"
#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "model/VisibleText.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScopedValueRollback>
#include <QWidget>

namespace {
quint32 backgroundOf(SheetModel::Highlight highlight)
{
    switch (highlight) {
    case SheetModel::Highlight::Selected: return CellBackground::Selected;
    case SheetModel::Highlight::Found: return CellBackground::Found;
    case SheetModel::Highlight::None: break;
    }
    return WinColour::WindowBackground;
}
} // namespace

// A screen reader reads every cell, so each becomes a line edit as soon as one runs.
class Grid::ScreenReaderWatch : public QAccessible::ActivationObserver
{
public:
    explicit ScreenReaderWatch(Grid &grid) : m_grid(grid) { QAccessible::installActivationObserver(this); }
    ~ScreenReaderWatch() override { QAccessible::removeActivationObserver(this); }
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            m_grid.makeAllCells();
    }

private:
    Grid &m_grid;
};

int Grid::codeInOrder(int index)
{
    return CellCode::make(index % 2 ? CellCode::ShortColumn : CellCode::LongColumn, index / 2 + 1);
}

int Grid::orderIndex(int cellCode)
{
    return 2 * (CellCode::row(cellCode) - 1) + (CellCode::isShort(cellCode) ? 1 : 0);
}

Grid::Grid(QWidget *window, qreal logicalDpi, SheetModel &model)
    : m_window(window)
    , m_model(model)
    , m_connections(std::make_unique<QObject>())
    , m_screenReaderWatch(std::make_unique<ScreenReaderWatch>(*this))
{
    QRect area;
    for (int index = 0; index < CellCount; ++index) {
        const int code = codeInOrder(index);
        const QRect twips = CellCode::isShort(code) ? shortCellRect(CellCode::row(code)) : longCellRect(CellCode::row(code));
        m_rects[size_t(index)] = twipsToPixels(twips, logicalDpi);
        area |= m_rects[size_t(index)];
    }
    // Made first, so that every cell lies over it.
    m_view = new GridView(window, area, *this);
    QObject::connect(&m_model, &SheetModel::rowsChanged, m_connections.get(),
                     [this](int firstRow, int lastRow) { showRows(firstRow, lastRow); });
    // The ends of the tab order are line edits from the start: the focus enters the grid there
    // from the controls before and after it.
    make(CellCode::make(CellCode::LongColumn, 1));
    make(CellCode::make(CellCode::ShortColumn, CellCode::RowCount));
    if (QAccessible::isActive())
        makeAllCells();
}

// The view and the line edits call back into the grid; they go with it, not later with the window.
Grid::~Grid()
{
    delete m_view;
    for (CellEdit *made : m_cells)
        delete made;
}

CellEdit *Grid::longCellAt(int row)
{
    return row >= 1 && row <= CellCode::RowCount ? cell(CellCode::make(CellCode::LongColumn, row)) : nullptr;
}

CellEdit *Grid::shortCellAt(int row)
{
    return row >= 1 && row <= CellCode::RowCount ? cell(CellCode::make(CellCode::ShortColumn, row)) : nullptr;
}

CellEdit *Grid::cell(int cellCode)
{
    if (!CellCode::isValid(cellCode))
        return nullptr;
    CellEdit *made = m_cells[size_t(orderIndex(cellCode))];
    return made ? made : make(cellCode);
}

CellEdit *Grid::madeCell(int cellCode) const
{
    return CellCode::isValid(cellCode) ? m_cells[size_t(orderIndex(cellCode))] : nullptr;
}

void Grid::makeAllCells()
{
    for (int index = 0; index < CellCount; ++index)
        cell(codeInOrder(index));
}

QRect Grid::cellRect(int cellCode) const
{
    return CellCode::isValid(cellCode) ? m_rects[size_t(orderIndex(cellCode))] : QRect();
}

CellEdit *Grid::make(int cellCode)
{
    const int index = orderIndex(cellCode);
    const int row = CellCode::row(cellCode);
    const bool shortCell = CellCode::isShort(cellCode);
    auto *target = new CellEdit(cellCode, shortCell ? ShortTextLength : LongTextLength, m_window);
    target->setObjectName(QStringLiteral("%1_%2").arg(shortCell ? QLatin1String("Text2") : QLatin1String("Text1")).arg(row));
    target->setAccessibleName(
        QStringLiteral("Riga %1, %2").arg(row).arg(shortCell ? QLatin1String("testo breve") : QLatin1String("testo lungo")));
    const QRect rect = m_rects[size_t(index)];
    target->setGeometry(rect);
    // The cells that lie over this one draw those parts, whether they are line edits or not.
    QRegion shown(rect);
    for (int later = index + 1; later < CellCount; ++later)
        shown -= m_rects[size_t(later)];
    if (shown != QRegion(rect))
        target->setMask(shown.translated(-rect.topLeft()));
    target->setUndoStack(&m_model.undoStack());
    target->setHandler(m_handler);
    target->setTabNeighbour([this, cellCode](bool next) { return tabNeighbour(cellCode, next); });
    QObject::connect(target, &CellEdit::cellTextChanged, m_connections.get(),
                     [this, cellCode](const QString &text) { takeEdit(cellCode, text); });
    m_cells[size_t(index)] = target;
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        showCell(target);
    }
    for (int before = index - 1; before >= 0; --before) {
        if (CellEdit *previous = m_cells[size_t(before)]) {
            QWidget::setTabOrder(previous, target);
            break;
        }
    }
    for (const auto &setUp : m_setUps)
        setUp(target);
    if (m_window->isVisible())
        target->show();
    return target;
}

CellEdit *Grid::tabNeighbour(int cellCode, bool next)
{
    const int index = orderIndex(cellCode) + (next ? 1 : -1);
    return index >= 0 && index < CellCount ? cell(codeInOrder(index)) : nullptr;
}

void Grid::setHandler(CellEventHandler *handler)
{
    m_handler = handler;
    for (CellEdit *made : m_cells) {
        if (made)
            made->setHandler(handler);
    }
}

void Grid::setUpEachCell(const std::function<void(CellEdit *)> &setUp)
{
    m_setUps.push_back(setUp);
    for (CellEdit *made : m_cells) {
        if (made)
            setUp(made);
    }
}

void Grid::focusCell(int cellCode)
{
    if (CellEdit *target = cell(cellCode))
        target->setFocus(Qt::OtherFocusReason);
}

QWidget *Grid::lastInTabOrder() const
{
    return madeCell(CellCode::make(CellCode::ShortColumn, CellCode::RowCount));
}

void Grid::showRows(int firstRow, int lastRow)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    QRect changed;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column : {CellCode::LongColumn, CellCode::ShortColumn}) {
            const int code = CellCode::make(column, row);
            if (CellEdit *made = madeCell(code))
                showCell(made);
            else
                changed |= m_rects[size_t(orderIndex(code))];
        }
    }
    if (!changed.isEmpty())
        m_view->updateArea(changed);
}

void Grid::showCell(CellEdit *target)
{
    const int cellCode = target->cellCode();
    const CellContent &content = m_model.cell(cellCode);
    const QString shown = VisibleText::shown(content.text);
    const bool newText = target->text() != shown;
    QFont font = target->font();
    font.setBold(content.font.bold);
    font.setUnderline(content.font.underline);
    // Every change of font or text lays the cell's text out again, the costliest part of a
    // folder switch: when both change, the font changes while the cell is empty.
    if (font != target->font()) {
        if (newText)
            target->showText(QString());
        target->setFont(font);
    }
    if (newText) {
        const int caret = target->cursorPosition();
        const bool sameLength = target->text().size() == shown.size();
        target->showText(shown);
        // setText leaves the caret after the last character, which scrolls a long text to its
        // end; a cell the user is not in shows its beginning. In the cell the user is typing
        // in, a character just turned into its mark leaves the caret where it was.
        if (target->window()->focusWidget() != target)
            target->setCursorPosition(0);
        else if (sameLength)
            target->setCursorPosition(caret);
    }
    target->setForeColour(content.colour);
    target->setBackColour(backgroundOf(m_model.highlight(cellCode)));
}

void Grid::paintCell(QPainter &painter, const QRect &rect, int cellCode) const
{
    const CellContent &content = m_model.cell(cellCode);
    const QPalette app = QGuiApplication::palette();
    QFont font = m_view->font();
    font.setBold(content.font.bold);
    font.setUnderline(content.font.underline);
    CellPainter::paint(painter, rect,
                       {VisibleText::shown(content.text), font, toQColor(backgroundOf(m_model.highlight(cellCode)), app),
                        toQColor(content.colour, app), m_view->palette().color(QPalette::Dark)});
}

void Grid::takeEdit(int cellCode, const QString &shownText)
{
    if (m_showing)
        return;
    const QString &stored = m_model.cell(cellCode).text;
    if (shownText == VisibleText::shown(stored))
        return;
    m_model.editText(cellCode, VisibleText::storedAfterEdit(stored, shownText));
}
