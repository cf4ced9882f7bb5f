#include "window/frmAgenda.h"

#include "dialogs/frmColore.h"
#include "dialogs/frmOpzioni.h"
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

frmAgenda::frmAgenda(const AgendaServices &services, SheetStore &store, QWidget *parent)
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
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &frmAgenda::commitSessionData);
}

frmAgenda::~frmAgenda()
{
    // The cells outlive this object's members by a moment; they must not call into them.
    if (m_grid)
        m_grid->setHandler(nullptr);
}

// The controls come after the window is on screen, as an empty window comes up fastest: the
// first text box alone loads the font database, which costs more than all else before the
// window appears. They are made, and the sheet is read, before the window's first paint all
// the same. Made in this order, each lies over the ones before it.
void frmAgenda::createControls()
{
    m_toolbar = new Toolbar(this, m_dpi, *m_services.screen);
    for (int i = 0; i < SeparatorCount; ++i) {
        auto *separator = new ToolSeparator(i, this);
        separator->setGeometry(twipsToPixels(separatorRect(i), m_dpi));
    }
    m_tabs = new FolderTabs(this, m_dpi);
    connect(m_tabs, &FolderTabs::lblFolder_Click, this, &frmAgenda::lblFolder_Click);
    connect(m_toolbar, &Toolbar::actionRequested, this, &frmAgenda::runToolbarAction);

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
    m_keyboard->setHelpHandler([this] { Guida(); });
    // Keys mark the sheet changed; edits that come without one (the cell's own menu) must too,
    // or a folder switch would drop them without asking.
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        for (CellEdit *cell : {m_grid->Text1(row), m_grid->Text2(row)})
            connect(cell, &QLineEdit::textEdited, this, [this] { m_shown.modified = true; });
    }
    // Children made after their window is shown stay hidden until shown themselves; theirs
    // come along.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->show();

    m_sheets = new SheetPager(m_shown, gridModes(), m_colours, *m_grid, *m_tabs, m_store, *m_services.messages, this);
    m_rows = std::make_unique<RowOperations>(m_shown, *m_grid, *m_services.messages,
                                             [this] { m_toolbar->Azzera_Pulsanti(); });
    m_search = new SearchBox({m_shown, gridModes(), m_searchPosition}, m_searchPosition, *m_grid, *m_searchBox, m_store, *m_services.messages,
                             {[this](int Index) { return m_sheets->QuerySave(Index); },
                              [this](int Index) { m_sheets->Apre_Foglio(Index); },
                              [this] { reportStoreFailure(); },
                              [this](int Index) { return m_tabs->lblFolder(Index)->caption(); }},
                             this);
    connect(m_toolbar, &Toolbar::closePaletteRequested, this, &frmAgenda::closePalette);

    // Keyboard: every toolbar action, the folders in the order of the book, F6 between areas.
    auto *keys = new KeyboardShortcuts(this, *m_toolbar, *m_tabs, m_searchBox, m_shown);
    connect(keys, &KeyboardShortcuts::actionRequested, this,
            [this](ToolbarAction action) { runToolbarAction(toolbarIndex(action)); });
    connect(keys, &KeyboardShortcuts::folderRequested, this, &frmAgenda::lblFolder_Click);
    connect(keys, &KeyboardShortcuts::sheetFocusRequested, this,
            [this] { giveFocusBack(m_shown.lastCell ? m_shown.lastCell : 1); });
    // Export, import and print: the right button on the page or a tab, or the key.
    m_exchange = new ExchangeMenu(*this, m_store, *m_services.messages, m_services.programDirectory);
    connect(keys, &KeyboardShortcuts::exchangeMenuRequested, m_exchange, &ExchangeMenu::popupForFocus);
}

void frmAgenda::Form_Load()
{
    m_colours.Percorso_Ini = programFile(m_services.programDirectory, QStringLiteral("Kardel.ini"));
    m_colours.Carica_Colori();
    m_shown.row = 1;
    m_colours.Colore_Tasti = m_colours.Colori_Tasti.at(size_t(m_colours.Leggi_Colore(QStringLiteral("ColTasti"))));
    m_colours.Colore_Sfondo = m_colours.Colori_Sfondo.at(size_t(m_colours.Leggi_Colore(QStringLiteral("ColSfondo"))));

    show();
    setWindowIcon(applicationIcon());
    createControls();
    for (int i = 1; i < FolderTabCount; ++i)
        m_tabs->lblFolder(i)->setBackColour(m_colours.Colore_Tasti);
    m_tabs->lblFolder(0)->setBackColour(m_colours.Colore_Sfondo);
    m_tabs->lblScheda()->setBackColour(m_colours.Colore_Sfondo);
    m_toolbar->initialise(WinColour::ButtonFace);
    m_sheets->Apre_Foglio(0);
}

QString frmAgenda::storePath() const
{
    return m_store.path();
}

bool frmAgenda::isStoreOpen() const
{
    return m_store.isOpen();
}

void frmAgenda::closeEvent(QCloseEvent *event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

// A request to terminate comes from outside (Ctrl+C, kill, the end of the session); it gets
// the title bar's close, question included. While a box or dialog is open it waits for it, so
// that no second question stacks on the first; while the close question is open it is that
// question's answer that counts.
void frmAgenda::requestClose()
{
    if (m_asking || !isVisible())
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(ModalPollMs, this, &frmAgenda::requestClose);
        return;
    }
    close();
}

bool frmAgenda::Form_QueryUnload()
{
    if (!askToSaveChanges())
        return false;
    m_store.close();
    return true;
}

bool frmAgenda::askToSaveChanges()
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
    if (answer == MsgAnswer::Yes && !m_sheets->Salva()) {
        giveFocusBack(m_shown.lastCell);
        return false;
    }
    return true;
}

// Qt closes no window when the session ends (log off, shut down): the process just ends. Ask
// the close question here, so that changes are not lost without a word. The store stays open,
// since another program may still cancel the end of the session.
void frmAgenda::commitSessionData(QSessionManager &manager)
{
    if (!manager.allowsInteraction())
        return;
    if (!askToSaveChanges())
        manager.cancel();
    manager.release();
}

void frmAgenda::reportStoreFailure()
{
    m_services.messages->show(m_store.error().description(), MsgStyle::Critical | MsgStyle::TopMost);
}

void frmAgenda::Form_Unload()
{
    m_help->closeAll();
}

void frmAgenda::giveFocusBack(int cellCode)
{
    m_grid->focusCell(cellCode);
}

void frmAgenda::lblFolder_Click(int Index)
{
    if (!m_sheets->Apre_Foglio(Index))
        return;
    m_searchPosition.endSearch();
    m_shown.column = CellCode::LongColumn;
    CellEdit *first = m_grid->Text1(1);
    m_model->setHighlight(first->cellCode(), SheetModel::Highlight::Selected);
    first->setFocus(Qt::OtherFocusReason);
    first->putCaretAtEnd();
    m_shown.row = 1;
    gridModes().caretMode = false;
}

void frmAgenda::Form_Click()
{
    CellEdit *first = m_grid->Text1(1);
    first->setFocus(Qt::OtherFocusReason);
    first->putCaretAtEnd();
}

void frmAgenda::Form_MouseMove()
{
    m_toolbar->Azzera_Pulsanti();
}

// Only the bare window surface counts; events that bubble up from the controls do not.
void frmAgenda::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void frmAgenda::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())
        && !childAt(event->position().toPoint()))
        Form_Click();
    QWidget::mouseReleaseEvent(event);
}

bool frmAgenda::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_searchBox && event->type() == QEvent::MouseMove) {
        if (m_toolbar->isPaletteOpen())
            closePalette();
        m_toolbar->Azzera_Pulsanti();
    }
    // F1 opens the help from anywhere in the window; the cells see it through their keyboard.
    // The key goes on to the search box afterwards.
    if (watched == m_searchBox && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1)
        Guida();
    return QWidget::eventFilter(watched, event);
}

void frmAgenda::runToolbarAction(int index)
{
    switch (toolbarAction(index)) {
    case ToolbarAction::Save: m_sheets->Salva(); break;
    case ToolbarAction::Cut: Taglia(); break;
    case ToolbarAction::Copy: Copia(); break;
    case ToolbarAction::Paste: Incolla(); break;
    case ToolbarAction::Bold: Grassetto(); break;
    case ToolbarAction::Underline: Sottolineato(); break;
    case ToolbarAction::InsertRow: Inserisci_Riga(); break;
    case ToolbarAction::RemoveRow: Togli_Riga(); break;
    case ToolbarAction::TextColour: Colore_Testo(); break;
    case ToolbarAction::Search: Cerca(); break;
    case ToolbarAction::ColourOptions: Opzioni_Colore(); break;
    case ToolbarAction::Help: Guida(); break;
    case ToolbarAction::Close: close(); break;
    }
}

void frmAgenda::Grassetto()
{
    Formatting::Grassetto(m_shown, *m_grid);
}

void frmAgenda::Sottolineato()
{
    Formatting::Sottolineato(m_shown, *m_grid);
}

// Built only when asked for, so that start-up does not pay for it; each opening is a new window.
void frmAgenda::Colore_Testo()
{
    closePalette();
    m_palette = frmColore::open(this, m_dpi, m_shown, *m_grid,
                                [this](bool open) { m_toolbar->setPaletteOpen(open); });
}

GridModes &frmAgenda::gridModes()
{
    return m_keyboard->modes();
}

frmColore *frmAgenda::textPalette() const
{
    return m_palette && m_palette->isVisible() ? m_palette.data() : nullptr;
}

void frmAgenda::closePalette()
{
    if (m_palette)
        m_palette->closeFromOutside();
}

void frmAgenda::Taglia() { m_clipboard->Taglia(); }
void frmAgenda::Copia() { m_clipboard->Copia(); }
void frmAgenda::Incolla() { m_clipboard->Incolla(); }
void frmAgenda::Inserisci_Riga() { m_rows->Inserisci_Riga(); }
void frmAgenda::Togli_Riga() { m_rows->Togli_Riga(); }

void frmAgenda::Cerca() { m_search->Cerca(); }

frmOpzioni *frmAgenda::optionsDialog() const
{
    return m_options;
}

// Built on demand: the dialog costs nothing at start-up, and each opening reads the settings
// afresh. It is modal but does not block here, so the press that opened it returns at once.
void frmAgenda::Opzioni_Colore()
{
    if (m_options)
        return;
    ColourTargets targets;
    targets.tabCount = FolderTabCount;
    targets.isTabBold = [this](int index) { return m_tabs->lblFolder(index)->isBold(); };
    targets.setTabColour = [this](int index, quint32 colour) { m_tabs->lblFolder(index)->setBackColour(colour); };
    targets.setPageColour = [this](quint32 colour) { m_tabs->lblScheda()->setBackColour(colour); };
    targets.messages = m_services.messages;
    m_options = new frmOpzioni(m_colours, std::move(targets), this);
    m_toolbar->holdPressed(OptionsButton);
    connect(m_options, &QDialog::finished, m_toolbar, &Toolbar::endHold);
    m_options->Form_Load();
    m_options->show();
}

void frmAgenda::Guida()
{
    // An open help window is left exactly as it is: not raised, and the focus stays put.
    if (m_help->isOpen())
        return;
    giveFocusBack(m_shown.lastCell);
    m_help->open();
}
