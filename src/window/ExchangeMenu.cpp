#include "window/ExchangeMenu.h"

#include "model/ShownSheet.h"
#include "exchange/BookPrinter.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/ImportStep.h"
#include "model/SheetModel.h"
#include "platform/MessageBoxes.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "storage/StoreLocation.h"
#include "storage/StoreBackup.h"
#include "window/FileDialogs.h"
#include "window/FolderTabs.h"
#include "window/SheetPager.h"
#include "window/AddressBookWindow.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>

#include <utility>

namespace {
constexpr int AlertStyle = MsgStyle::Exclamation | MsgStyle::TopMost;

// The PDF comes on either paper of the index book.
QStringList exportFilters()
{
    return {QStringLiteral("Tabella CSV (*.csv)"), QStringLiteral("Biglietti da visita vCard (*.vcf)"),
            QStringLiteral("Documento PDF, pagine A4 (*.pdf)"), QStringLiteral("Documento PDF, pagine A5 (*.pdf)")};
}
constexpr int PdfA5Filter = 3;
} // namespace

ExchangeMenu::ExchangeMenu(AddressBookWindow &window, SheetStore &store, MessageBoxes &messages,
                           const QString &programDirectory)
    : QObject(&window)
    , m_window(window)
    , m_store(store)
    , m_messages(messages)
    , m_programDirectory(programDirectory)
    , m_ownDialogs(std::make_unique<QtFileDialogs>())
    , m_dialogs(m_ownDialogs.get())
{
    connect(&window.tabs(), &FolderTabs::menuRequested, this, &ExchangeMenu::popup);
}

ExchangeMenu::~ExchangeMenu() = default;

// Made when first opened: most days nobody exports, and a menu costs memory from the start.
QMenu *ExchangeMenu::menu()
{
    if (m_menu)
        return m_menu;
    m_menu = new QMenu(&m_window);
    m_menu->setObjectName(QStringLiteral("mnuScambio"));
    m_menu->setAccessibleName(QStringLiteral("Esporta, importa e stampa"));
    const auto add = [this](const char *name, const QString &text, auto work) {
        QAction *action = m_menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, work);
        return action;
    };
    // The folder's entries name it when the menu opens.
    m_exportFolder = add("mnuEsportaCartella", QString(), [this] { exportSheets({m_sheet}); });
    add("mnuEsportaTutto", QStringLiteral("Esporta &tutta la rubrica…"), [this] { exportSheets(allSheets()); });
    m_menu->addSeparator();
    add("mnuImporta", QStringLiteral("&Importa…"), [this] { importFile(); });
    m_menu->addSeparator();
    m_printFolder = add("mnuStampaCartella", QString(), [this] { print({m_sheet}); });
    add("mnuStampaTutto", QStringLiteral("Stampa tutta la &rubrica…"), [this] { print(allSheets()); });
    return m_menu;
}

void ExchangeMenu::setFileDialogs(FileDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

QString ExchangeMenu::caption(int sheet) const
{
    return m_window.tabs().folderTab(sheet)->caption();
}

void ExchangeMenu::popup(int sheet, const QPoint &globalPos)
{
    m_sheet = sheet < 0 ? m_window.shownSheet().sheet : sheet;
    menu();
    m_exportFolder->setText(QStringLiteral("&Esporta la cartella %1…").arg(caption(m_sheet)));
    m_printFolder->setText(QStringLiteral("&Stampa la cartella %1…").arg(caption(m_sheet)));
    m_menu->popup(globalPos);
}

void ExchangeMenu::popupForFocus()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *tab = qobject_cast<FolderTab *>(focus))
        popup(tab->index(), tab->mapToGlobal(QPoint(0, tab->height())));
    else
        popup(-1, (focus ? focus : m_window.tabs().pageLabel())->mapToGlobal(QPoint(0, 0)));
}

void ExchangeMenu::alert(const QString &text)
{
    m_messages.show(text, AlertStyle);
}

bool ExchangeMenu::saveFirst(const QVector<int> &sheets)
{
    const int shown = m_window.shownSheet().sheet;
    return !sheets.contains(shown) || m_window.sheets().askToSave(shown);
}

bool ExchangeMenu::readBook(BookImage *book)
{
    QString reason;
    if (BookImage::read(m_store, book, &reason))
        return true;
    alert(QStringLiteral("Impossibile leggere la rubrica %1: %2.")
              .arg(QDir::toNativeSeparators(m_store.path()), reason));
    return false;
}

void ExchangeMenu::exportSheets(const QVector<int> &sheets)
{
    if (!saveFirst(sheets))
        return;
    const QString suggested = sheets.size() == 1 ? caption(sheets.constFirst()) : QStringLiteral("rubrica");
    int filter = 0;
    const QString path = m_dialogs->saveFileName(&m_window, QStringLiteral("Esporta"),
                                                 suggested + QStringLiteral(".csv"), exportFilters(), &filter);
    if (path.isEmpty())
        return;
    BookImage book;
    QString message;
    const auto paper = filter == PdfA5Filter ? QPageSize::A5 : QPageSize::A4;
    if (readBook(&book) && !ExchangeFiles::exportBook(book, sheets, path, &message, paper))
        alert(message);
}

void ExchangeMenu::print(const QVector<int> &sheets)
{
    if (!saveFirst(sheets))
        return;
    BookImage book;
    QString message;
    if (readBook(&book)
        && BookPrinter::print(&m_window, book, sheets, false, &message, QString(), m_programDirectory)
            == BookPrinter::Result::Failed)
        alert(message);
}

void ExchangeMenu::importFile()
{
    const QString path = m_dialogs->openFileName(&m_window, QStringLiteral("Importa"),
        {QStringLiteral("Rubriche CSV o vCard (*.csv *.vcf *.vcard)"), QStringLiteral("Tutti i file (*)")});
    if (path.isEmpty())
        return;
    // The rows on screen count as they are, saved or not: an entry must not land on a row the
    // user has just filled.
    BookImage book;
    if (!readBook(&book))
        return;
    const int shown = m_window.shownSheet().sheet;
    SheetModel &model = m_window.model();
    QByteArray bytes = book.bytes();
    bytes.replace(qsizetype(recordNumber(shown, 1) - 1) * RecordLength, qsizetype(RowsPerSheet) * RecordLength,
                  encodeSheet(model.rows()));
    book = BookImage::fromBytes(bytes);
    ImportPlan plan;
    QString message;
    if (!ExchangeFiles::planImport(path, book, &plan, &message)) {
        alert(message + QStringLiteral(" La rubrica non è cambiata."));
        return;
    }
    ImportPlan others = plan;
    others.rows.clear();
    SheetModel::Rows rows = model.rows();
    for (const PlacedRow &placed : plan.rows) {
        if (placed.sheet != shown) {
            others.rows << placed;
            continue;
        }
        const DecodedRow decoded = decodeRow(placed.record);
        RowContent &row = rows.at(size_t(placed.row - 1));
        for (auto [cell, from] :
             {std::pair{&row.longCell, &decoded.longCell}, std::pair{&row.shortCell, &decoded.shortCell}}) {
            cell->text = from->text;
            cell->font = from->font.value_or(CellFont{});
            cell->colour = from->colour.value_or(0);
        }
    }
    // One step takes the whole import back: the rows on screen and the folders in the store.
    QVector<ImportStep::Sheet> written;
    if (!others.rows.isEmpty()) {
        // Written into a file that is no longer at its path, the entries would reach nobody.
        if (m_store.location() != StoreLocation::Same) {
            alert(QStringLiteral("Il file %1 non è più quello che la Rubrica ha aperto. Salva il foglio e ripeti "
                                 "l'importazione. Nessuna voce è stata importata.")
                      .arg(QDir::toNativeSeparators(m_store.path())));
            return;
        }
        QByteArray contents;
        QString reason;
        if (!m_store.readWholeFile(&contents)
            || !StoreBackup::make(m_store.path(), QDate::currentDate(), contents, &reason)) {
            alert(QStringLiteral("Impossibile fare la copia di sicurezza della rubrica: %1. Nessuna voce è stata "
                                 "importata.").arg(reason.isEmpty() ? m_store.error().reason : reason));
            return;
        }
        BookImage filled;
        if (!writePlan(m_store, book, others, &reason, &filled)) {
            alert(QStringLiteral("Impossibile scrivere la rubrica %1: %2. Nessuna voce è stata importata.")
                      .arg(QDir::toNativeSeparators(m_store.path()), reason));
            return;
        }
        for (const int sheet : others.sheets())
            written.append({sheet, book.sheetBytes(sheet), filled.sheetBytes(sheet)});
    }
    const bool onScreen = others.rows.size() < plan.rows.size();
    QString report = plan.report();
    if (onScreen || !written.isEmpty()) {
        QUndoStack &undo = model.undoStack();
        undo.beginMacro(QStringLiteral("Importa"));
        if (onScreen)
            model.replaceRows(rows, QStringLiteral("Importa"));
        if (!written.isEmpty())
            undo.push(new ImportStep(m_store, written, [this](const QString &text) {
                // Not from inside the undo stack's own work: the box runs an event loop.
                QTimer::singleShot(0, this, [this, text] { alert(text); });
            }));
        undo.endMacro();
    }
    if (onScreen) {
        m_window.shownSheet().modified = true;
        report += QStringLiteral("\nLe voci della cartella %1 sono sullo schermo: Salva le scrive.").arg(caption(shown));
    }
    if (!written.isEmpty())
        report += QStringLiteral("\nLe voci delle altre cartelle sono già scritte nella rubrica.");
    if (onScreen || !written.isEmpty())
        report += QStringLiteral("\nAnnulla (Ctrl+Z) toglie tutta l'importazione, finché il foglio non è salvato e "
                                 "non si cambia cartella.");
    m_messages.show(report, MsgStyle::Information | MsgStyle::TopMost);
}
