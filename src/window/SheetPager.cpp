#include "window/SheetPager.h"

#include "editing/AgendaState.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "platform/MessageBoxes.h"
#include "storage/ColourSettings.h"
#include "storage/Record_Riga.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "window/FolderTabs.h"

namespace {
void applyDecoded(CellEdit *cell, const DecodedCell &decoded)
{
    // A code outside the tables leaves the cell as it was.
    if (decoded.font) {
        QFont font = cell->font();
        font.setBold(decoded.font->bold);
        font.setUnderline(decoded.font->underline);
        // Every change of font or text lays the cell's text out again, the costliest part of
        // a folder switch: the font changes in one step, while the cell is empty.
        if (font != cell->font()) {
            cell->setText(QString());
            cell->setFont(font);
        }
    }
    cell->setText(decoded.text);
    if (decoded.colour)
        cell->setForeColour(*decoded.colour);
}

CellContent contentOf(const CellEdit *cell)
{
    CellContent content;
    content.text = cell->text();
    content.font.bold = cell->isBold();
    content.font.underline = cell->isUnderlined();
    content.colour = cell->foreColour();
    return content;
}
} // namespace

SheetPager::SheetPager(AgendaState &state, const ColourSettings &colours, Grid &grid, FolderTabs &tabs,
                       SheetStore &store, MessageBoxes &messages, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_colours(colours)
    , m_grid(grid)
    , m_tabs(tabs)
    , m_store(store)
    , m_messages(messages)
{
}

void SheetPager::Apri(int Index)
{
    m_grid.clearHighlights();
    for (int row = 1; row <= RowsPerSheet; ++row) {
        Record_Riga record;
        // A record that cannot be read leaves its row as it was; the rest of the sheet loads.
        if (!m_store.read(recordNumber(Index, row), &record))
            continue;
        const DecodedRow decoded = decodeRow(record);
        applyDecoded(m_grid.Text1(row), decoded.longCell);
        applyDecoded(m_grid.Text2(row), decoded.shortCell);
    }
}

bool SheetPager::Salva()
{
    std::array<RowContent, RowsPerSheet> rows;
    for (int row = 1; row <= RowsPerSheet; ++row) {
        rows[size_t(row - 1)].longCell = contentOf(m_grid.Text1(row));
        rows[size_t(row - 1)].shortCell = contentOf(m_grid.Text2(row));
    }
    if (!m_store.writeSheet(m_state.Foglio_Corrente, encodeSheet(rows))) {
        emit writeFailed();
        return false;
    }
    m_state.Modificato = false;
    m_state.Modo_Cursore = false;
    if (m_state.Colonna_Corrente == 1)
        m_grid.Text1(m_state.Riga_Corrente)->setFocus(Qt::OtherFocusReason);
    else if (m_state.Colonna_Corrente == 2)
        m_grid.Text2(m_state.Riga_Corrente)->setFocus(Qt::OtherFocusReason);
    return true;
}

void SheetPager::QuerySave(int Index)
{
    if (!m_state.Modificato)
        return;
    const QString text = QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio ")
        + m_tabs.lblFolder(Index)->caption() + QStringLiteral("?  ");
    m_state.Risposta = m_messages.show(text, MsgStyle::YesNo | MsgStyle::Question | MsgStyle::TopMost);
    if (m_state.Risposta == MsgAnswer::Yes)
        Salva();
    else
        m_state.Modificato = false;
}

void SheetPager::Apre_Foglio(int Index)
{
    // The tabs change before the question: a switch cannot be refused, only the changes dropped.
    m_tabs.setTabLook(m_state.Foglio_Corrente, false, m_colours.Colore_Tasti);
    m_tabs.setTabLook(Index, true, m_colours.Colore_Sfondo);
    if (m_state.Modificato)
        QuerySave(m_state.Foglio_Corrente);
    Apri(Index);
    m_state.Foglio_Corrente = Index;
}
