#pragma once

#include "editing/GridRules.h"

#include <QObject>
#include <QString>

#include <functional>

class CellEdit;
class Grid;
class MessageBoxes;
class QLineEdit;
class SearchPosition;
class SheetStore;

// The search box ("Text4") and its search step, findNext. A step walks the store from where the last
// one stopped, opens the folder of the next hit, paints the hit cell green and gives the focus
// back to the box, so that Enter goes on to the next hit. A screen reader hears where the hit
// is and what the cell holds.
class SearchBox : public QObject
{
    Q_OBJECT
public:
    // What the search needs from the window that shows the sheets.
    struct Window
    {
        std::function<bool(int index)> askToSave;   // ask to save the sheet shown when it changed;
                                                    // false: it could not be saved and was kept
        std::function<void(int index)> showSheet; // show sheet index as the store holds it
        std::function<void()> readFailed;           // the store could not be read: report it
        std::function<QString(int index)> folderCaption; // the caption of sheet index's tab
    };

    // The rules' search mark is the search position the box steps on.
    SearchBox(const GridRules::Context &rules, SearchPosition &position, Grid &grid, QLineEdit &searchBox, SheetStore &store,
              MessageBoxes &messages, Window window, QObject *parent = nullptr);

    void findNext();

    void searchBoxClicked();
    void searchTextChanged();
    // Returns true when the key is the box's own (Enter, Down) and must not reach its editing.
    bool searchBoxKeyDown(int keyCode, int shift);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showHit(int record, bool shortCell);
    void focusHitCell(CellEdit *cell);
    void endOfSearch();

    const GridRules::Context m_rules;
    SearchPosition &m_position;
    Grid &m_grid;
    QLineEdit &m_box;
    SheetStore &m_store;
    MessageBoxes &m_messages;
    Window m_window;
    bool m_releasing = false; // the box's own handling of a mouse release runs
};
