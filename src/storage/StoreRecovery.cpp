#include "storage/StoreRecovery.h"

QString StoreRecovery::message(const QString &folderCaption) const
{
    switch (outcome) {
    case Nothing:
        break;
    case PutBack:
        return QStringLiteral("L'ultimo salvataggio del foglio %1 non è stato completato: il computer si è "
                              "spento o il programma si è interrotto durante la scrittura.\r\r"
                              "Il foglio %1 è stato riportato com'era prima di quel salvataggio; "
                              "gli altri fogli non sono stati toccati.")
            .arg(folderCaption);
    case KeptNew:
        return QStringLiteral("L'ultimo salvataggio del foglio %1 è stato interrotto quando il foglio era "
                              "già stato scritto per intero.\r\r"
                              "Il foglio %1 è stato mantenuto come era stato salvato.")
            .arg(folderCaption);
    case Failed:
        return QStringLiteral("L'ultimo salvataggio di un foglio non è stato completato, e non è stato "
                              "possibile rimettere in ordine l'archivio con il file %1.\r\rMotivo: %2.\r\r"
                              "La Rubrica non salverà i fogli finché il problema non sarà risolto.")
            .arg(journalName, reason);
    }
    return QString();
}
