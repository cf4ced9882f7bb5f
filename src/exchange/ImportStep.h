#pragma once

#include <QByteArray>
#include <QString>
#include <QUndoCommand>
#include <QVector>

#include <functional>

class SheetStore;

// The part of an import that went straight into the store: the sheets of the folders not on
// screen, as they were before and after. It sits on the sheet's undo stack beside the rows the
// import put on screen, so that one Annulla takes the whole import back. A sheet is put back
// only while it still holds what the import wrote; whatever else is there now is kept, and the
// user is told.
class ImportStep : public QUndoCommand
{
public:
    struct Sheet
    {
        int sheet = 0;
        QByteArray before; // the 44 records
        QByteArray after;
    };
    using Tell = std::function<void(const QString &)>;

    // The sheets are already written when the step is made: its first redo does nothing.
    ImportStep(SheetStore &store, QVector<Sheet> sheets, Tell tell, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    // Every sheet that holds `from` gets `to`; a failure stops and is told.
    void rewrite(bool back);

    SheetStore &m_store;
    QVector<Sheet> m_sheets;
    Tell m_tell;
    bool m_written = true;
};
