#include "editing/CellDescription.h"

#include "storage/RowRecord.h"

#include <QStringList>

namespace CellDescription {

QString of(bool bold, bool underline, quint32 textColour)
{
    QStringList parts;
    if (bold)
        parts << QStringLiteral("grassetto");
    if (underline)
        parts << QStringLiteral("sottolineato");
    if (textColour != 0) {
        const std::optional<char> code = codeFromColour(textColour);
        parts << (code ? QStringLiteral("colore ") + colourNameOfCode(*code) : QStringLiteral("colore fuori tavolozza"));
    }
    QString text = parts.join(QStringLiteral(", "));
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

} // namespace CellDescription
