#pragma once

#include "exchange/BookRows.h"
#include "exchange/InputText.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// Address cards (vCard), as phones and mail programs exchange them.
namespace VCard {

// vCard 4.0: one card per row, FN the long cell, TEL the short cell when it reads as a phone
// number and NOTE otherwise, CATEGORIES the folder; lines folded at 75 octets.
QByteArray write(const QVector<RowEntry> &rows);

// Reads vCard 2.1 (quoted-printable, CHARSET), 3.0 and 4.0. The long text is FN (else N, ORG
// or EMAIL), the short text the first TEL (else NOTE or EMAIL); a folder in CATEGORIES places
// the card in that folder.
bool read(const QByteArray &bytes, QVector<RowEntry> *entries, QStringList *notes, InputProblem *problem);

// Digits with the usual separators, "+" in front at most, and three digits at least.
bool readsAsPhoneNumber(const QString &text);

} // namespace VCard
