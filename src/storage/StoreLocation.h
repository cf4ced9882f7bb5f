#pragma once

#include <QString>

// Whether the store's path still names the file the program holds open. Another program may
// delete it or put a different file in its place (a restored backup, a synchronisation tool,
// an editor that writes a new file and renames it); writing on into the old one would then
// put the user's work where nobody will ever read it.
enum class StoreLocation {
    Same,     // the path names the open file, or nothing says otherwise
    Replaced, // another file is at the path now
    Missing,  // nothing is at the path any more
};

// The question asked before a save when the path no longer names the open file: OK writes
// the sheet named by its tab caption into whatever is at the path now (a new empty store when
// nothing is), Annulla saves nothing.
QString movedStoreQuestion(StoreLocation where, const QString &path, const QString &sheetCaption);
