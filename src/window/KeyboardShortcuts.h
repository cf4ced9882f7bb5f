#pragma once

#include "window/ToolbarAction.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>
#include <vector>

class FolderTabs;
class QKeyEvent;
class QLineEdit;
class Toolbar;
class QWidget;
struct ShownSheet;

// The keys of the window: one for every toolbar action, the next and previous folder in the
// order of the book, and F6 from area to area (sheet, toolbar, folder tabs). Keys a cell would
// take for its own editing (Ctrl+U deletes the line, Ctrl+Ins copies) are these actions' in the
// whole window; the cell's own Ctrl+X, Ctrl+C and Ctrl+V stay the cell's.
class KeyboardShortcuts : public QObject
{
    Q_OBJECT
public:
    KeyboardShortcuts(QWidget *window, Toolbar &toolbar, FolderTabs &tabs, QLineEdit *searchBox,
                      ShownSheet &sheet);

    // The keys of a toolbar action, as screen readers tell them; F1 for the help is the cells'
    // and the search box's own, and reaches the window from the toolbar and the tabs here.
    static QList<QKeySequence> keysFor(ToolbarAction action);
    // The menu of export, import and print, which is no toolbar action.
    static QKeySequence exchangeMenuKey() { return QKeySequence(Qt::CTRL | Qt::Key_E); }

signals:
    void actionRequested(ToolbarAction action);
    // A folder chosen by the keyboard, to be opened as a click on its tab opens it.
    void folderRequested(int index);
    // F6 into the sheet: the cell last used is to take the focus.
    void sheetFocusRequested();
    void exchangeMenuRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Binding {
        QList<QKeySequence> keys;
        bool repeats; // a key held down acts again
        std::function<void()> run;
    };
    const Binding *bindingFor(const QKeyEvent *key) const;
    void moveArea(int step);
    void nextFolder();
    void previousFolder();

    QWidget *m_window;
    Toolbar &m_toolbar;
    FolderTabs &m_tabs;
    QLineEdit *m_searchBox;
    void forgetModifierPress();

    ShownSheet &m_sheet;
    std::vector<Binding> m_bindings; // the window's keys, taken before a cell's own editing
    // A cell takes Ctrl or Alt pressed alone for a change of the sheet; held for one of these
    // keys, it was none.
    bool m_modifierPressed = false;
    bool m_changedBeforeModifier = false;
};
