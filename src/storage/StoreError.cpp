#include "storage/StoreError.h"

namespace {

QString headline(StoreError::Operation operation)
{
    switch (operation) {
    case StoreError::Create:
        return QStringLiteral("Impossibile creare l'archivio della Rubrica\r");
    case StoreError::Open:
        return QStringLiteral("Impossibile aprire l'archivio della Rubrica\r");
    case StoreError::Read:
        return QStringLiteral("Impossibile leggere l'archivio della Rubrica\r");
    case StoreError::Write:
        return QStringLiteral("Impossibile salvare il foglio nell'archivio della Rubrica\r");
    }
    return QString();
}

} // namespace

QString StoreError::description() const
{
    QString text = headline(operation) + path + QLatin1String("\r\rMotivo: ") + reason + QLatin1Char('.');
    if (operation == Write)
        text += fileUnchanged ? QStringLiteral("\rIl file non è stato modificato.")
                              : QStringLiteral("\rIl file potrebbe essere rimasto danneggiato.");
    return text;
}

QString StoreError::message() const
{
    return description() + QStringLiteral("\r\rIl programma verrà chiuso.");
}

QString StoreError::saveMessage() const
{
    QString text = headline(operation) + path + QLatin1String("\r\rMotivo: ") + reason + QLatin1Char('.');
    switch (operation) {
    case Create:
        text += QStringLiteral("\rNon è stato creato alcun file.");
        break;
    case Write:
        if (sheetWritten) {
            text += QStringLiteral("\rIl foglio è stato comunque scritto per intero nel file.");
            break;
        }
        if (!fileUnchanged) {
            text += QStringLiteral("\rIl file potrebbe essere rimasto danneggiato.");
            break;
        }
        Q_FALLTHROUGH();
    case Open:
    case Read:
        text += QStringLiteral("\rIl file non è stato modificato.");
        break;
    }
    return text
        + QStringLiteral("\r\rRiprova: salva di nuovo, dopo aver risolto il problema (per esempio "
                         "liberando spazio sul disco)."
                         "\rAnnulla: non salva; le modifiche restano nel foglio e la Rubrica resta aperta.");
}
