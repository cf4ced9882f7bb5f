#include "storage/StoreLocation.h"

QString movedStoreQuestion(StoreLocation where, const QString &path, const QString &sheetCaption)
{
    const QString keep = QStringLiteral("\rAnnulla: non salva; le modifiche restano nel foglio e la Rubrica resta aperta.");
    if (where == StoreLocation::Missing)
        return QStringLiteral("L'archivio della Rubrica\r") + path
            + QStringLiteral("\rnon c'è più: è stato cancellato, spostato o rinominato da un altro programma "
                             "mentre la Rubrica era aperta.\r\rOK: ricrea l'archivio in quel percorso con il "
                             "contenuto del file scomparso, che la Rubrica tiene ancora aperto, e vi salva "
                             "il foglio ")
            + sheetCaption + QLatin1Char('.') + keep;
    return QStringLiteral("L'archivio della Rubrica\r") + path
        + QStringLiteral("\rè stato sostituito da un altro file mentre la Rubrica era aperta (per esempio "
                         "da un ripristino, da un programma di sincronizzazione o da un editor).\r\r"
                         "OK: salva il foglio ")
        + sheetCaption + QStringLiteral(" nel file che ora si trova in quel percorso.") + keep;
}
