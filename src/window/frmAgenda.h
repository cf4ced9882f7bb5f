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
class frmColore;
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
class frmOpzioni;
class WindowDirectory;
class GridKeyboard;

// What the window needs from outside the process; tests hand in their own.
struct AgendaServices
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
class frmAgenda : public QWidget
{
    Q_OBJECT
public:
    frmAgenda(const AgendaServices &services, SheetStore &store, QWidget *parent = nullptr);
    ~frmAgenda() override;

    // Reads the colours, comes on screen and shows the first sheet.
    void Form_Load();
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
    QLineEdit *Text4() const { return m_searchBox; }
    QString storePath() const;
    // The colour options while they are open, else null.
    frmOpzioni *optionsDialog() const;
    bool isStoreOpen() const;

    void lblFolder_Click(int Index);
    void Form_Click();
    void Form_MouseMove();
    // Gives the focus to the cell a cell code names (0: none).
    void giveFocusBack(int cellCode);

    // Toolbar actions whose own work lives elsewhere; each is filled in by its feature.
    void Taglia();
    void Copia();
    void Incolla();
    void Grassetto();
    void Sottolineato();
    void Inserisci_Riga();
    void Togli_Riga();
    void Colore_Testo();
    void Cerca();
    void Opzioni_Colore();
    void Guida();
    // The text colour palette while it is open; null when closed, also before it is deleted.
    frmColore *textPalette() const;
    // Closing a palette that is not open does nothing.
    void closePalette();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    bool Form_QueryUnload();
    // The close question; false when the user cancelled. Yes saves, No keeps the store as it is.
    bool askToSaveChanges();
    void commitSessionData(QSessionManager &manager);
    void Form_Unload();
    // The store could not be read: the user is told why; what is on screen stays as it is.
    void reportStoreFailure();
    void runToolbarAction(int index);

    AgendaServices m_services;
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
    QPointer<frmColore> m_palette;
    QPointer<frmOpzioni> m_options;
    SearchBox *m_search = nullptr;
    ExchangeMenu *m_exchange = nullptr;
};
