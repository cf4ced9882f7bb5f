#include "window/SheetPager.h"

#include "editing/GridModes.h"
#include "model/ShownSheet.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "model/SheetModel.h"
#include "platform/MessageBoxes.h"
#include "storage/ColourSettings.h"
#include "storage/RowRecord.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "storage/StoreBackup.h"
#include "window/FolderTabs.h"

#include <QDebug>

#include <optional>
#include <utility>

namespace {
constexpr int AlertStyle = MsgStyle::Exclamation | MsgStyle::TopMost;
} // namespace

SheetPager::SheetPager(ShownSheet &sheet, GridModes &modes, const ColourSettings &colours, Grid &grid, FolderTabs &tabs,
                       SheetStore &store, MessageBoxes &messages, QObject *parent)
    : QObject(parent)
    , m_sheet(sheet)
    , m_modes(modes)
    , m_colours(colours)
    , m_grid(grid)
    , m_tabs(tabs)
    , m_store(store)
    , m_messages(messages)
    , m_today(&QDate::currentDate)
{
}

void SheetPager::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
}

void SheetPager::loadSheet(int index)
{
    m_grid.model().clearHighlights();
    readSheet(index);
}

void SheetPager::readSheet(int index)
{
    std::array<std::optional<DecodedRow>, RowsPerSheet> records;
    for (int row = 1; row <= RowsPerSheet; ++row) {
        RowRecord record;
        // A record that cannot be read leaves its row as it was; the rest of the sheet loads.
        if (m_store.read(recordNumber(index, row), &record))
            records[size_t(row - 1)] = decodeRow(record);
    }
    m_grid.model().load(records);
}

bool SheetPager::save()
{
    const bool saved = writeSheetToStore(encodeSheet(m_grid.model().rows()));
    if (saved) {
        m_grid.model().markSaved();
        m_sheet.modified = false;
        m_modes.caretMode = false;
    }
    if (m_sheet.column == 1)
        m_grid.longCellAt(m_sheet.row)->setFocus(Qt::OtherFocusReason);
    else if (m_sheet.column == 2)
        m_grid.shortCellAt(m_sheet.row)->setFocus(Qt::OtherFocusReason);
    return saved;
}

bool SheetPager::writeSheetToStore(const QByteArray &records)
{
    // Before anything else, while the open file still holds the book as this run found it,
    // even when its name has gone.
    backUpOnce();
    // What the user agreed to write into, so that "Riprova" does not ask the same again.
    StoreLocation accepted = StoreLocation::Same;
    for (;;) {
        const StoreLocation where = m_store.location();
        if (where != StoreLocation::Same) {
            if (where != accepted) {
                const QString caption = m_tabs.folderTab(m_sheet.sheet)->caption();
                const int answer = m_messages.show(movedStoreQuestion(where, m_store.path(), caption),
                                                   MsgStyle::OkCancel | AlertStyle);
                if (answer != MsgAnswer::Ok)
                    return false;
                accepted = where;
            }
            if (!m_store.reopenAtPath()) {
                if (askToRetry())
                    continue;
                return false;
            }
        }
        if (m_store.writeSheet(m_sheet.sheet, records))
            return true;
        if (!askToRetry())
            return false;
    }
}

bool SheetPager::askToRetry()
{
    const int answer = m_messages.show(m_store.error().saveMessage(),
                                       MsgStyle::RetryCancel | MsgStyle::Critical | MsgStyle::TopMost);
    return answer == MsgAnswer::Retry;
}

// A backup that cannot be made must not stand between the user and the save.
void SheetPager::backUpOnce()
{
    if (m_backupTried)
        return;
    m_backupTried = true;
    QByteArray contents;
    QString reason;
    if (!m_store.readWholeFile(&contents))
        reason = m_store.error().reason;
    else if (StoreBackup::make(m_store.path(), m_today(), contents, &reason))
        return;
    qWarning().noquote() << "No backup of" << m_store.path() << "today:" << reason;
}

bool SheetPager::askToSave(int index)
{
    if (!m_sheet.modified)
        return true;
    const QString text = QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio ")
        + m_tabs.folderTab(index)->caption() + QStringLiteral("?  ");
    const int answer = m_messages.show(text, MsgStyle::YesNo | MsgStyle::Question | MsgStyle::TopMost);
    if (answer == MsgAnswer::Yes)
        return save();
    m_sheet.modified = false;
    // The changes are dropped now, not at the next load: the sheet shows what the store
    // holds, and a later save cannot write what the user declined.
    readSheet(m_sheet.sheet);
    return true;
}

bool SheetPager::showSheet(int index)
{
    // The tabs change before the question: a switch cannot be refused, only the changes dropped;
    // but changes the user wanted kept and the store would not take stay on screen.
    m_tabs.setTabLook(m_sheet.sheet, false, m_colours.tabColour);
    m_tabs.setTabLook(index, true, m_colours.pageColour);
    if (m_sheet.modified && !askToSave(m_sheet.sheet)) {
        m_tabs.setTabLook(index, false, m_colours.tabColour);
        m_tabs.setTabLook(m_sheet.sheet, true, m_colours.pageColour);
        return false;
    }
    loadSheet(index);
    m_sheet.sheet = index;
    return true;
}
