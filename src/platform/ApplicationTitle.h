#pragma once

#include <QString>

// The window caption of the address book and the title of every box it shows; the leading
// blank is part of it.
inline const QString ApplicationTitle = QStringLiteral(" Rubrica di Tessavo");
