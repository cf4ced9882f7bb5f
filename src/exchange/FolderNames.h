#pragma once

#include <QString>
#include <QVector>

// The 44 folders in the order of their tabs, which is also the order of the sheets in the
// store: sheet 0 is "A1", sheet 43 is "#".
namespace FolderNames {

QString caption(int sheet);

// The sheet of a caption ("a1" and " A1 " too), -1 for anything else.
int sheetOf(const QString &caption);

// The folders an entry goes to by its first character, in the order they fill: "A1" then
// "A2" for A, "HJK" for H, J and K, "*" for a digit, "#" for anything else. An accented
// letter counts as its base letter.
QVector<int> sheetsForInitial(QChar first);

} // namespace FolderNames
