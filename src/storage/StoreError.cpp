#include "storage/StoreError.h"

QString StoreError::message() const
{
    const QString cause = QLatin1String("\r\rMotivo: ") + reason + QLatin1Char('.');
    const QString closing = QStringLiteral("\r\rIl programma verrà chiuso.");
    switch (operation) {
    case Create:
        return QStringLiteral("Impossibile creare l'archivio della Rubrica\r") + path + cause
            + closing;
    case Open:
        return QStringLiteral("Impossibile aprire l'archivio della Rubrica\r") + path + cause
            + closing;
    case Read:
        return QStringLiteral("Impossibile leggere l'archivio della Rubrica\r") + path + cause
            + closing;
    case Write:
        return QStringLiteral("Impossibile salvare il foglio nell'archivio della Rubrica\r") + path
            + cause
            + (fileUnchanged ? QStringLiteral("\rIl file non è stato modificato.")
                             : QStringLiteral("\rIl file potrebbe essere rimasto danneggiato."))
            + closing;
    }
    return QString();
}
