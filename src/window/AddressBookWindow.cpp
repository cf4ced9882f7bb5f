#include "window/AddressBookWindow.h"

#include "dialogs/PaletteDialog.h"
#include "dialogs/ColourOptionsDialog.h"
#include "help/OnlineHelp.h"
#include "editing/CellEdit.h"
#include "editing/ColumnClipboard.h"
#include "editing/Grid.h"
#include "editing/GridKeyboard.h"
#include "editing/GridLayout.h"
#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "platform/ApplicationTitle.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramDirectory.h"
#include "platform/ProgramLauncher.h"
#include "platform/WinColour.h"
#include "search/SearchBox.h"
#include "sheetops/Formatting.h"
#include "sheetops/RowOperations.h"
#include "storage/SheetStore.h"
#include "window/ExchangeMenu.h"
#include "window/FolderTabs.h"
#include "window/KeyboardShortcuts.h"
#include "window/LayoutTables.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"
#include "window/ToolbarAction.h"

#include <QCloseEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QTimer>

namespace {
constexpr int OptionsButton = 10;
// How often a close request from outside looks whether the box in its way has gone.
constexpr int ModalPollMs = 100;
} // namespace

AddressBookWindow::AddressBookWindow(const WindowServices &services, SheetStore &store, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_store(store)
    , m_model(std::make_unique<SheetModel>())
    , m_help(std::make_unique<OnlineHelp>(*services.windows, services.launcher, *services.messages,
                                          services.programDirectory))
    , m_dpi(logicalDpiX())
{
    setObjectName(QStringLiteral("frmAgenda"));
    setWindowTitle(ApplicationTitle);
    QFont windowFont = font();
    windowFont.setPointSize(8);
    // Kerning and ligatures are all that shaping adds to Latin text, and they cost more than
    // anything else in filling a sheet; scripts that need shaping still get it.
    windowFont.setStyleStrategy(QFont::PreferNoShaping);
    setFont(windowFont);
    setFixedSize(twipsToPixels(ClientWidthTwips, m_dpi), twipsToPixels(ClientHeightTwips, m_dpi));
    setMouseTracking(true);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &AddressBookWindow::commitSessionData);
}

AddressBookWindow::~AddressBookWindow()
{
    // The cells outlive this object's members by a moment; they must not call into them.
    if (m_grid)
        m_grid->setHandler(nullptr);
}

// The controls come after the window is on screen, as an empty window comes up fastest: the
// first text box alone loads the font database, which costs more than all else before the
// window appears. They are made, and the sheet is read, before the window's first paint all
// the same. Made in this order, each lies over the ones before it.
void AddressBookWindow::createControls()
{
    m_toolbar = new Toolbar(this, m_dpi, *m_services.screen);
    for (int i = 0; i < SeparatorCount; ++i) {
        auto *separator = new ToolSeparator(i, this);
        separator->setGeometry(twipsToPixels(separatorRect(i), m_dpi));
    }
    m_tabs = new FolderTabs(this, m_dpi);
    connect(m_tabs, &FolderTabs::folderTabClicked, this, &AddressBookWindow::folderTabClicked);
    connect(m_toolbar, &Toolbar::actionRequested, this, &AddressBookWindow::runToolbarAction);

    // The grid comes first in the tab order, so the long cell of row 1 takes the focus.
    m_grid = std::make_unique<Grid>(this, m_dpi, *m_model);

    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("Text4"));
    m_searchBox->setGeometry(twipsToPixels(SearchBoxRect, m_dpi));
    m_searchBox->setToolTip(QStringLiteral(" Cerca il testo inserito in tutte le cartelle della Rubrica  "));
    m_searchBox->setMouseTracking(true);
    m_searchBox->installEventFilter(this);
    QWidget::setTabOrder(m_grid->lastInTabOrder(), m_searchBox);
    m_keyboard = std::make_unique<GridKeyboard>(m_shown, m_searchPosition, *m_grid, *m_searchBox);
    m_grid->setHandler(m_keyboard.get());
    m_clipboard = std::make_unique<ColumnClipboard>(m_shown, gridModes(), *m_grid, *m_services.clipboard, *m_services.messages);
    m_keyboard->setHelpHandler([this] { openHelp(); });
    // Keys mark the sheet changed; edits that come without one (the cell's own menu) must too,
    // or a folder switch would drop them without asking.
    m_grid->setUpEachCell([this](CellEdit *cell) {
        connect(cell, &QLineEdit::textEdited, this, [this] { m_shown.modified = true; });
        cell->setClipboard(m_services.clipboard);
    });
    // Children made after their window is shown stay hidden until shown themselves; theirs
    // come along.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->show();

    m_sheets = new SheetPager(m_shown, gridModes(), m_colours, *m_grid, *m_tabs, m_store, *m_services.messages, this);
    m_rows = std::make_unique<RowOperations>(m_shown, *m_grid, *m_services.messages,
                                             [this] { m_toolbar->resetButtons(); });
    m_search = new SearchBox({m_shown, gridModes(), m_searchPosition}, m_searchPosition, *m_grid, *m_searchBox, m_store, *m_services.messages,
                             {[this](int index) { return m_sheets->askToSave(index); },
                              [this](int index) { m_sheets->showSheet(index); },
                              [this] { reportStoreFailure(); },
                              [this](int index) { return m_tabs->folderTab(index)->caption(); }},
                             this);
    connect(m_toolbar, &Toolbar::closePaletteRequested, this, &AddressBookWindow::closePalette);

    // Keyboard: every toolbar action, the folders in the order of the book, F6 between areas.
    auto *keys = new KeyboardShortcuts(this, *m_toolbar, *m_tabs, m_searchBox, m_shown);
    connect(keys, &KeyboardShortcuts::actionRequested, this,
            [this](ToolbarAction action) { runToolbarAction(toolbarIndex(action)); });
    connect(keys, &KeyboardShortcuts::folderRequested, this, &AddressBookWindow::folderTabClicked);
    connect(keys, &KeyboardShortcuts::sheetFocusRequested, this,
            [this] { giveFocusBack(m_shown.lastCell ? m_shown.lastCell : 1); });
    // Export, import and print: the right button on the page or a tab, or the key.
    m_exchange = new ExchangeMenu(*this, m_store, *m_services.messages, m_services.programDirectory);
    connect(keys, &KeyboardShortcuts::exchangeMenuRequested, m_exchange, &ExchangeMenu::popupForFocus);
}

void AddressBookWindow::start()
{
    m_colours.iniPath = programFile(m_services.programDirectory, QStringLiteral("Kardel.ini"));
    m_colours.loadPalettes();
    m_shown.row = 1;
    m_colours.tabColour = m_colours.tabColours.at(size_t(m_colours.readColourIndex(QStringLiteral("ColTasti"))));
    m_colours.pageColour = m_colours.pageColours.at(size_t(m_colours.readColourIndex(QStringLiteral("ColSfondo"))));

    show();
    setWindowIcon(applicationIcon());
    createControls();
    for (int i = 1; i < FolderTabCount; ++i)
        m_tabs->folderTab(i)->setBackColour(m_colours.tabColour);
    m_tabs->folderTab(0)->setBackColour(m_colours.pageColour);
    m_tabs->pageLabel()->setBackColour(m_colours.pageColour);
    m_toolbar->initialise(WinColour::ButtonFace);
    m_sheets->showSheet(0);
}

bool AddressBookWindow::isStoreOpen() const
{
    return m_store.isOpen();
}

void AddressBookWindow::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    closeHelpWindows();
}

// A request to terminate comes from outside (Ctrl+C, kill, the end of the session); it gets
// the title bar's close, question included. While a box or dialog is open it waits for it, so
// that no second question stacks on the first; while the close question is open it is that
// question's answer that counts.
void AddressBookWindow::requestClose()
{
    if (m_asking || !isVisible())
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(ModalPollMs, this, &AddressBookWindow::requestClose);
        return;
    }
    close();
}

bool AddressBookWindow::mayClose()
{
    if (!askToSaveChanges())
        return false;
    m_store.close();
    return true;
}

bool AddressBookWindow::askToSaveChanges()
{
    if (!m_shown.modified)
        return true;
    const QScopedValueRollback<bool> asking(m_asking, true);
    const int answer = m_services.messages->show(
        QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   "),
        MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::TopMost);
    if (answer == MsgAnswer::Cancel) {
        giveFocusBack(m_shown.lastCell);
        return false;
    }
    // A save that failed and was given up keeps the window, with the changes, open.
    if (answer == MsgAnswer::Yes && !m_sheets->save()) {
        giveFocusBack(m_shown.lastCell);
        return false;
    }
    return true;
}

// Qt closes no window when the session ends (log off, shut down): the process just ends. Ask
// the close question here, so that changes are not lost without a word. The store stays open,
// since another program may still cancel the end of the session.
void AddressBookWindow::commitSessionData(QSessionManager &manager)
{
    if (!manager.allowsInteraction())
        return;
    if (!askToSaveChanges())
        manager.cancel();
    manager.release();
}

void AddressBookWindow::reportStoreFailure()
{
    m_services.messages->show(m_store.error().description(), MsgStyle::Critical | MsgStyle::TopMost);
}

void AddressBookWindow::closeHelpWindows()
{
    m_help->closeAll();
}

void AddressBookWindow::giveFocusBack(int cellCode)
{
    m_grid->focusCell(cellCode);
}

void AddressBookWindow::folderTabClicked(int index)
{
    if (!m_sheets->showSheet(index))
        return;
    m_searchPosition.endSearch();
    m_shown.column = CellCode::LongColumn;
    CellEdit *first = m_grid->longCellAt(1);
    m_model->setHighlight(first->cellCode(), SheetModel::Highlight::Selected);
    first->setFocus(Qt::OtherFocusReason);
    first->putCaretAtEnd();
    m_shown.row = 1;
    gridModes().caretMode = false;
}

void AddressBookWindow::pageClicked()
{
    CellEdit *first = m_grid->longCellAt(1);
    first->setFocus(Qt::OtherFocusReason);
    first->putCaretAtEnd();
}

void AddressBookWindow::pointerOverPage()
{
    m_toolbar->resetButtons();
}

// Only the bare window surface counts; events that bubble up from the controls do not.
void AddressBookWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        pointerOverPage();
    QWidget::mouseMoveEvent(event);
}

void AddressBookWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())
        && !childAt(event->position().toPoint()))
        pageClicked();
    QWidget::mouseReleaseEvent(event);
}

bool AddressBookWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_searchBox && event->type() == QEvent::MouseMove) {
        if (m_toolbar->isPaletteOpen())
            closePalette();
        m_toolbar->resetButtons();
    }
    // F1 opens the help from anywhere in the window; the cells see it through their keyboard.
    // The key goes on to the search box afterwards.
    if (watched == m_searchBox && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1)
        openHelp();
    return QWidget::eventFilter(watched, event);
}

void AddressBookWindow::runToolbarAction(int index)
{
    switch (toolbarAction(index)) {
    case ToolbarAction::Save: m_sheets->save(); break;
    case ToolbarAction::Cut: cutColumn(); break;
    case ToolbarAction::Copy: copyColumn(); break;
    case ToolbarAction::Paste: pasteColumn(); break;
    case ToolbarAction::Bold: toggleBold(); break;
    case ToolbarAction::Underline: toggleUnderline(); break;
    case ToolbarAction::InsertRow: insertRow(); break;
    case ToolbarAction::RemoveRow: removeRow(); break;
    case ToolbarAction::TextColour: openTextPalette(); break;
    case ToolbarAction::Search: findNext(); break;
    case ToolbarAction::ColourOptions: openColourOptions(); break;
    case ToolbarAction::Help: openHelp(); break;
    case ToolbarAction::Close: close(); break;
    }
}

void AddressBookWindow::toggleBold()
{
    Formatting::toggleBold(m_shown, *m_grid);
}

void AddressBookWindow::toggleUnderline()
{
    Formatting::toggleUnderline(m_shown, *m_grid);
}

// Built only when asked for, so that start-up does not pay for it; each opening is a new window.
void AddressBookWindow::openTextPalette()
{
    closePalette();
    m_palette = PaletteDialog::open(this, m_dpi, m_shown, *m_grid,
                                [this](bool open) { m_toolbar->setPaletteOpen(open); });
}

GridModes &AddressBookWindow::gridModes()
{
    return m_keyboard->modes();
}

PaletteDialog *AddressBookWindow::textPalette() const
{
    return m_palette && m_palette->isVisible() ? m_palette.data() : nullptr;
}

void AddressBookWindow::closePalette()
{
    if (m_palette)
        m_palette->closeFromOutside();
}

void AddressBookWindow::cutColumn() { m_clipboard->cutColumn(); }
void AddressBookWindow::copyColumn() { m_clipboard->copyColumn(); }
void AddressBookWindow::pasteColumn() { m_clipboard->pasteColumn(); }
void AddressBookWindow::insertRow() { m_rows->insertRow(); }
void AddressBookWindow::removeRow() { m_rows->removeRow(); }

void AddressBookWindow::findNext() { m_search->findNext(); }

ColourOptionsDialog *AddressBookWindow::optionsDialog() const
{
    return m_options;
}

// Built on demand: the dialog costs nothing at start-up, and each opening reads the settings
// afresh. It is modal but does not block here, so the press that opened it returns at once.
void AddressBookWindow::openColourOptions()
{
    if (m_options)
        return;
    ColourTargets targets;
    targets.tabCount = FolderTabCount;
    targets.isTabBold = [this](int index) { return m_tabs->folderTab(index)->isBold(); };
    targets.setTabColour = [this](int index, quint32 colour) { m_tabs->folderTab(index)->setBackColour(colour); };
    targets.setPageColour = [this](quint32 colour) { m_tabs->pageLabel()->setBackColour(colour); };
    targets.messages = m_services.messages;
    m_options = new ColourOptionsDialog(m_colours, std::move(targets), this);
    m_toolbar->holdPressed(OptionsButton);
    connect(m_options, &QDialog::finished, m_toolbar, &Toolbar::endHold);
    m_options->readSettings();
    m_options->show();
}

void AddressBookWindow::openHelp()
{
    // An open help window is left exactly as it is: not raised, and the focus stays put.
    if (m_help->isOpen())
        return;
    giveFocusBack(m_shown.lastCell);
    m_help->open();
}
