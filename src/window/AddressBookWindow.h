#pragma once

#include "editing/GridModes.h"
#include "model/ShownSheet.h"
#include "search/SearchPosition.h"
#include "storage/ColourSettings.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Clipboard;
class ColumnClipboard;
class ExchangeMenu;
class FolderTabs;
class Grid;
class PaletteDialog;
class InstanceGuard;
class MessageBoxes;
class OnlineHelp;
class ProgramLauncher;
class QLineEdit;
class QSessionManager;
class RowOperations;
class SheetModel;
class SheetStore;
class ScreenProbe;
class SearchBox;
class SheetPager;
class Toolbar;
class ColourOptionsDialog;
class WindowDirectory;
class GridKeyboard;

// What the window needs from outside the process; tests hand in their own.
struct WindowServices
{
    InstanceGuard *instance = nullptr;
    WindowDirectory *windows = nullptr;
    MessageBoxes *messages = nullptr;
    ScreenProbe *screen = nullptr;
    ProgramLauncher *launcher = nullptr; // starts the help viewer
    QString programDirectory;
    Clipboard *clipboard = nullptr;
};

// The address book window on an open store. Closing it ends the program.
class AddressBookWindow : public QWidget
{
    Q_OBJECT
public:
    AddressBookWindow(const WindowServices &services, SheetStore &store, QWidget *parent = nullptr);
    ~AddressBookWindow() override;

    // Reads the colours, comes on screen and shows the first sheet.
    void start();
    // A close request from outside the window (a termination signal): the title bar's close,
    // once no box is open.
    void requestClose();

    ShownSheet &shownSheet() { return m_shown; }
    GridModes &gridModes();
    SearchPosition &searchPosition() { return m_searchPosition; }
    SheetModel &model() { return *m_model; }
    const ColourSettings &colours() const { return m_colours; }
    Grid &grid() { return *m_grid; }
    FolderTabs &tabs() { return *m_tabs; }
    Toolbar &toolbar() { return *m_toolbar; }
    SheetPager &sheets() { return *m_sheets; }
    ExchangeMenu &exchange() { return *m_exchange; }
    QLineEdit *searchBox() const { return m_searchBox; }
    // The colour options while they are open, else null.
    ColourOptionsDialog *optionsDialog() const;
    bool isStoreOpen() const;

    void folderTabClicked(int index);
    void pageClicked();
    void pointerOverPage();
    // Gives the focus to the cell a cell code names (0: none).
    void giveFocusBack(int cellCode);

    // Toolbar actions whose own work lives elsewhere; each is filled in by its feature.
    void cutColumn();
    void copyColumn();
    void pasteColumn();
    void toggleBold();
    void toggleUnderline();
    void insertRow();
    void removeRow();
    void openTextPalette();
    void findNext();
    void openColourOptions();
    void openHelp();
    // The text colour palette while it is open; null when closed, also before it is deleted.
    PaletteDialog *textPalette() const;
    // Closing a palette that is not open does nothing.
    void closePalette();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    bool mayClose();
    // The close question; false when the user cancelled. Yes saves, No keeps the store as it is.
    bool askToSaveChanges();
    void commitSessionData(QSessionManager &manager);
    void closeHelpWindows();
    // The store could not be read: the user is told why; what is on screen stays as it is.
    void reportStoreFailure();
    void runToolbarAction(int index);

    WindowServices m_services;
    ShownSheet m_shown;
    SearchPosition m_searchPosition;
    ColourSettings m_colours;
    SheetStore &m_store;
    std::unique_ptr<SheetModel> m_model; // outlives the grid that shows it
    std::unique_ptr<OnlineHelp> m_help;
    qreal m_dpi;
    bool m_asking = false; // the close question is open

    Toolbar *m_toolbar = nullptr;
    QLineEdit *m_searchBox = nullptr;
    FolderTabs *m_tabs = nullptr;
    std::unique_ptr<Grid> m_grid;
    SheetPager *m_sheets = nullptr;
    std::unique_ptr<GridKeyboard> m_keyboard;
    std::unique_ptr<RowOperations> m_rows;
    std::unique_ptr<ColumnClipboard> m_clipboard;
    QPointer<PaletteDialog> m_palette;
    QPointer<ColourOptionsDialog> m_options;
    SearchBox *m_search = nullptr;
    ExchangeMenu *m_exchange = nullptr;
};
