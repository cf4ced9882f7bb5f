#pragma once

#include <QDate>
#include <QObject>

#include <functional>

class ColourSettings;
class FolderTabs;
class Grid;
class MessageBoxes;
class QByteArray;
class SheetStore;
struct GridModes;
struct ShownSheet;

// Moves sheets between the grid and the store: loadSheet reads one into the grid, save writes the
// grid back, askToSave asks before changes are dropped, showSheet switches the sheet shown.
//
// A save never ends the program and never writes where nobody will read: a store that was
// deleted or replaced since it was opened is reported first, a failed write can be tried again
// or given up, and giving up keeps the sheet on screen and marked changed. The first save of a
// run leaves a dated copy of the store beside it.
class SheetPager : public QObject
{
    Q_OBJECT
public:
    SheetPager(ShownSheet &sheet, GridModes &modes, const ColourSettings &colours, Grid &grid, FolderTabs &tabs,
               SheetStore &store, MessageBoxes &messages, QObject *parent = nullptr);

    void loadSheet(int index);
    // False when nothing was saved because the user chose Annulla; the sheet is still changed.
    bool save();
    // False when the user wanted the changes saved and they could not be: the caller must not
    // drop the sheet shown.
    bool askToSave(int index);
    // False when the sheet shown keeps unsaved changes that could not be saved: it stays shown,
    // with its tab selected.
    bool showSheet(int index);

    // The day backups are named after; tests set their own.
    void setToday(std::function<QDate()> today);

private:
    // The sheet as the store holds it; highlights stay.
    void readSheet(int index);
    bool writeSheetToStore(const QByteArray &records);
    bool askToRetry();
    void backUpOnce();

    ShownSheet &m_sheet;
    GridModes &m_modes;
    const ColourSettings &m_colours;
    Grid &m_grid;
    FolderTabs &m_tabs;
    SheetStore &m_store;
    MessageBoxes &m_messages;
    std::function<QDate()> m_today;
    bool m_backupTried = false;
};
