#pragma once

#include <QString>
#include <QtGlobal>

// What a screen reader says of a cell's look beyond its name and text: "Grassetto,
// sottolineato, colore Blu". A plain black cell has nothing to say, so the empty text.
namespace CellDescription {

QString of(bool bold, bool underline, quint32 textColour);

} // namespace CellDescription
