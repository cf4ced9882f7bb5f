#pragma once

#include <QString>

// The directory of the running executable, with native separators and no trailing one.
QString programDirectory();

// programDirectory() joined with one native separator and the file name.
QString programFile(const QString &directory, const QString &fileName);
