#pragma once

#include <QObject>

class ColourSettings;
class FolderTabs;
class Grid;
class MessageBoxes;
class SheetStore;
struct AgendaState;

// Moves sheets between the grid and the store: Apri reads one into the grid, Salva writes the
// grid back, QuerySave asks before changes are dropped, Apre_Foglio switches the sheet shown.
class SheetPager : public QObject
{
    Q_OBJECT
public:
    SheetPager(AgendaState &state, const ColourSettings &colours, Grid &grid, FolderTabs &tabs,
               SheetStore &store, MessageBoxes &messages, QObject *parent = nullptr);

    void Apri(int Index);
    // Returns false when the store could not be written; writeFailed() has then been emitted.
    bool Salva();
    void QuerySave(int Index);
    void Apre_Foglio(int Index);

signals:
    // The sheet could not be written; the store still holds what it held before.
    void writeFailed();

private:
    AgendaState &m_state;
    const ColourSettings &m_colours;
    Grid &m_grid;
    FolderTabs &m_tabs;
    SheetStore &m_store;
    MessageBoxes &m_messages;
};
