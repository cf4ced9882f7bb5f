#include "exchange/ImportStep.h"

#include "exchange/FolderNames.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"

#include <QDir>
#include <QStringList>

#include <utility>

ImportStep::ImportStep(SheetStore &store, QVector<Sheet> sheets, Tell tell, QUndoCommand *parent)
    : QUndoCommand(QStringLiteral("Importa"), parent)
    , m_store(store)
    , m_sheets(std::move(sheets))
    , m_tell(std::move(tell))
{
}

void ImportStep::undo()
{
    rewrite(true);
}

void ImportStep::redo()
{
    if (m_written) {
        m_written = false; // written by the import itself
        return;
    }
    rewrite(false);
}

void ImportStep::rewrite(bool back)
{
    QStringList problems;
    const auto fail = [&problems](int sheet, const QString &reason) {
        problems << QStringLiteral("%1: %2").arg(FolderNames::caption(sheet), reason);
    };
    // Written into a file that is no longer at its path, the change would reach nobody.
    const bool moved = m_store.location() != StoreLocation::Same;
    // Backwards when undoing, so that sheets come back in the order they went.
    for (qsizetype i = 0; i < m_sheets.size(); ++i) {
        const Sheet &sheet = m_sheets.at(back ? m_sheets.size() - 1 - i : i);
        const QByteArray &from = back ? sheet.after : sheet.before;
        const QByteArray &to = back ? sheet.before : sheet.after;
        QByteArray now;
        if (moved)
            fail(sheet.sheet, QStringLiteral("il file non è più quello che la Rubrica ha aperto"));
        else if (!m_store.readRange(recordNumber(sheet.sheet, 1), RowsPerSheet, &now))
            fail(sheet.sheet, m_store.error().reason);
        else if (now == to)
            continue;
        else if (now != from)
            fail(sheet.sheet, QStringLiteral("è cambiata dopo l'importazione"));
        else if (!m_store.writeSheet(sheet.sheet, to))
            fail(sheet.sheet, m_store.error().reason);
    }
    if (problems.isEmpty())
        return;
    const QString text = back
        ? QStringLiteral("Impossibile togliere le voci importate da queste cartelle della rubrica %1, che sono rimaste "
                         "com'erano:\n%2")
        : QStringLiteral("Impossibile rimettere le voci importate in queste cartelle della rubrica %1, che sono rimaste "
                         "com'erano:\n%2");
    m_tell(text.arg(QDir::toNativeSeparators(m_store.path()), problems.join(QLatin1Char('\n'))));
}
