#include "model/SheetModel.h"

#include "model/CellCode.h"
#include "model/VisibleText.h"

#include <algorithm>

namespace {

bool sameContent(const CellContent &a, const CellContent &b)
{
    return a.text == b.text && a.font == b.font && a.colour == b.colour;
}

constexpr int TypingId = 1;

} // namespace

// A step holds the rows before and after it; a sheet is small and its texts are shared, so
// this costs little and undoes every kind of change the same way.
class RowsCommand : public QUndoCommand
{
public:
    RowsCommand(SheetModel &model, SheetModel::Rows after, const QString &text, int typedCell = 0)
        : QUndoCommand(text)
        , m_model(model)
        , m_before(model.rows())
        , m_after(std::move(after))
        , m_typedCell(typedCell)
    {
    }

    void undo() override { m_model.setRows(m_before); }
    void redo() override { m_model.setRows(m_after); }
    int id() const override { return m_typedCell != 0 ? TypingId : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const RowsCommand *>(other);
        if (next->m_typedCell != m_typedCell)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    SheetModel &m_model;
    SheetModel::Rows m_before;
    SheetModel::Rows m_after;
    int m_typedCell;
};

SheetModel::SheetModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_highlights.fill(Highlight::None);
}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowsPerSheet;
}

int SheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const int code = cellCodeOf(index);
    const CellContent &content = cell(code);
    switch (role) {
    case Qt::DisplayRole: return VisibleText::shown(content.text);
    case Qt::EditRole: return content.text;
    case BoldRole: return content.font.bold;
    case UnderlineRole: return content.font.underline;
    case ColourRole: return content.colour;
    case HighlightRole: return int(highlight(code));
    default: return QVariant();
    }
}

bool SheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    editText(cellCodeOf(index), value.toString().left(maxLength(cellCodeOf(index))));
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QModelIndex SheetModel::indexOf(int cellCode) const
{
    return index(CellCode::row(cellCode) - 1, CellCode::isShort(cellCode) ? 1 : 0);
}

int SheetModel::cellCodeOf(const QModelIndex &index)
{
    return CellCode::make(index.column() == 1 ? CellCode::ShortColumn : CellCode::LongColumn, index.row() + 1);
}

int SheetModel::maxLength(int cellCode)
{
    return CellCode::isShort(cellCode) ? ShortTextLength : LongTextLength;
}

CellContent &SheetModel::cellIn(Rows &rows, int cellCode)
{
    RowContent &row = rows[size_t(CellCode::row(cellCode) - 1)];
    return CellCode::isShort(cellCode) ? row.shortCell : row.longCell;
}

const CellContent &SheetModel::cell(int cellCode) const
{
    return cellIn(const_cast<Rows &>(m_rows), cellCode);
}

int SheetModel::slotOf(int cellCode)
{
    return 2 * (CellCode::row(cellCode) - 1) + (CellCode::isShort(cellCode) ? 1 : 0);
}

void SheetModel::load(const std::array<std::optional<DecodedRow>, RowsPerSheet> &records)
{
    Rows rows = m_rows;
    const auto apply = [](CellContent &content, const DecodedCell &decoded) {
        content.text = decoded.text;
        if (decoded.font)
            content.font = *decoded.font;
        if (decoded.colour)
            content.colour = *decoded.colour;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!records[i])
            continue;
        apply(rows[i].longCell, records[i]->longCell);
        apply(rows[i].shortCell, records[i]->shortCell);
    }
    m_undo.clear();
    setRows(rows);
}

void SheetModel::markSaved()
{
    m_undo.clear();
}

void SheetModel::replaceRows(const Rows &rows, const QString &actionText)
{
    const auto same = [](const RowContent &a, const RowContent &b) {
        return sameContent(a.longCell, b.longCell) && sameContent(a.shortCell, b.shortCell);
    };
    if (std::equal(rows.begin(), rows.end(), m_rows.begin(), same))
        return; // nothing for an undo to give back
    m_undo.push(new RowsCommand(*this, rows, actionText));
}

void SheetModel::editText(int cellCode, const QString &storedText)
{
    if (!CellCode::isValid(cellCode) || cell(cellCode).text == storedText)
        return;
    Rows rows = m_rows;
    cellIn(rows, cellCode).text = storedText;
    m_undo.push(new RowsCommand(*this, rows, QStringLiteral("Digitazione"), cellCode));
}

void SheetModel::toggleBold(int cellCode)
{
    Rows rows = m_rows;
    CellFont &font = cellIn(rows, cellCode).font;
    font.bold = !font.bold;
    replaceRows(rows, QStringLiteral("Grassetto"));
}

void SheetModel::toggleUnderline(int cellCode)
{
    Rows rows = m_rows;
    CellFont &font = cellIn(rows, cellCode).font;
    font.underline = !font.underline;
    replaceRows(rows, QStringLiteral("Sottolineato"));
}

void SheetModel::setColour(int cellCode, quint32 colour)
{
    Rows rows = m_rows;
    cellIn(rows, cellCode).colour = colour;
    replaceRows(rows, QStringLiteral("Colore testo"));
}

// One signal for the rectangle of cells that changed: the view looks at each of them and
// touches only what differs.
void SheetModel::setRows(const Rows &rows)
{
    int first = RowsPerSheet;
    int last = -1;
    for (int i = 0; i < RowsPerSheet; ++i) {
        const RowContent &now = m_rows[size_t(i)];
        const RowContent &next = rows[size_t(i)];
        if (sameContent(now.longCell, next.longCell) && sameContent(now.shortCell, next.shortCell))
            continue;
        first = std::min(first, i);
        last = i;
    }
    m_rows = rows;
    if (last >= 0)
        tellChanged(index(first, 0), index(last, 1));
}

SheetModel::Highlight SheetModel::highlight(int cellCode) const
{
    return CellCode::isValid(cellCode) ? m_highlights[size_t(slotOf(cellCode))] : Highlight::None;
}

void SheetModel::setHighlight(int cellCode, Highlight highlight)
{
    if (!CellCode::isValid(cellCode) || m_highlights[size_t(slotOf(cellCode))] == highlight)
        return;
    m_highlights[size_t(slotOf(cellCode))] = highlight;
    const QModelIndex at = indexOf(cellCode);
    tellChanged(at, at, {HighlightRole});
}

void SheetModel::tellChanged(const QModelIndex &from, const QModelIndex &to, const QList<int> &roles)
{
    emit dataChanged(from, to, roles);
    emit rowsChanged(from.row() + 1, to.row() + 1);
}

void SheetModel::clearHighlights()
{
    for (int row = 1; row <= RowsPerSheet; ++row) {
        setHighlight(CellCode::make(CellCode::LongColumn, row), Highlight::None);
        setHighlight(CellCode::make(CellCode::ShortColumn, row), Highlight::None);
    }
}

void SheetModel::selectFoundCells()
{
    for (int row = 1; row <= RowsPerSheet; ++row) {
        for (int column : {CellCode::LongColumn, CellCode::ShortColumn}) {
            const int code = CellCode::make(column, row);
            if (highlight(code) == Highlight::Found)
                setHighlight(code, Highlight::Selected);
        }
    }
}
