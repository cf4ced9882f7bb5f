#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// Dated copies of the store beside it, one a day: rubri-2024-06-11.bak holds the address book
// as it was before the first save of 11 June 2024. The newest seven are kept.
namespace StoreBackup {

constexpr int Kept = 7;

// "rubri-2024-06-11.bak" for the store "…/rubri.dat".
QString fileName(const QString &storePath, const QDate &day);
// The day a backup's file name stands for; invalid for any other name.
QDate dayOf(const QString &storePath, const QString &fileName);
// The backups among `fileNames` that fall outside the newest `kept` days. The backup of
// `today` is never among them, even when a clock that was ahead left newer ones: it is the
// only copy of the book before today's saves.
QStringList surplus(const QString &storePath, const QStringList &fileNames, const QDate &today, int kept = Kept);

// Writes `contents` as the day's backup beside the store, whole or not at all, unless that day
// has one already (the day's first state is the one worth going back to); then deletes the
// surplus. False, with an Italian reason, when the copy could not be written.
bool make(const QString &storePath, const QDate &day, const QByteArray &contents, QString *reason);

} // namespace StoreBackup
