#pragma once

#include <QString>

// Makes the names created in or removed from `folder` as lasting as the files' bytes. False,
// with the Italian reason, when the system refuses. Where the file system keeps names with
// a file's own flush (Windows), there is nothing to do.
bool syncFolder(const QString &folder, QString *reason);
