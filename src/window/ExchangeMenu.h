#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QVector>

#include <memory>

class BookImage;
class FileDialogs;
class MessageBoxes;
class QAction;
class QMenu;
class SheetStore;
class AddressBookWindow;

// The small menu of the right button on the sheet page and on a folder tab: export the folder
// or the whole book to CSV, vCard or PDF, import a file into the empty rows, print. The left
// button keeps its own work; the menu is only ever a right button or a key away.
//
// Export and print read the store, so changes of the sheet shown are offered for saving first,
// with the question a search asks. An import fills the rows of the sheet shown, to be saved
// like typing, and writes the other folders to the store at once, after the day's backup; one
// undo step takes all of it back.
class ExchangeMenu : public QObject
{
    Q_OBJECT
public:
    ExchangeMenu(AddressBookWindow &window, SheetStore &store, MessageBoxes &messages, const QString &programDirectory);
    ~ExchangeMenu() override;

    // Tests hand in their own; the menu does not own it.
    void setFileDialogs(FileDialogs *dialogs);
    QMenu *menu();

    // Opens the menu for one folder (-1: the one shown) at a point of the screen.
    void popup(int sheet, const QPoint &globalPos);
    // From the keyboard: for the folder tab that has the focus, else the folder shown.
    void popupForFocus();

    void exportSheets(const QVector<int> &sheets);
    void importFile();
    void print(const QVector<int> &sheets);

private:
    // False when the user wanted the changes saved and they could not be.
    bool saveFirst(const QVector<int> &sheets);
    QString caption(int sheet) const;
    // The whole store; false after telling the user why not.
    bool readBook(BookImage *book);
    void alert(const QString &text);

    AddressBookWindow &m_window;
    SheetStore &m_store;
    MessageBoxes &m_messages;
    QString m_programDirectory;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs *m_dialogs;
    QMenu *m_menu = nullptr;
    QAction *m_exportFolder = nullptr;
    QAction *m_printFolder = nullptr;
    int m_sheet = 0; // the folder the menu was opened for
};
