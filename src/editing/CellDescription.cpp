#include "editing/CellDescription.h"

#include "storage/Record_Riga.h"

#include <QStringList>

#include <array>

namespace CellDescription {

QString of(bool bold, bool underline, quint32 textColour)
{
    // By colour code "0".."5", the names the palette gives its squares.
    static const std::array<QString, 6> colourNames{QStringLiteral("Nero"),        QStringLiteral("Blu scuro"),
                                                    QStringLiteral("Rosso scuro"), QStringLiteral("Rosso"),
                                                    QStringLiteral("Blu"),         QStringLiteral("Magenta")};
    QStringList parts;
    if (bold)
        parts << QStringLiteral("grassetto");
    if (underline)
        parts << QStringLiteral("sottolineato");
    if (textColour != 0) {
        const std::optional<char> code = codeFromColour(textColour);
        const int index = code ? *code - '0' : -1;
        parts << (index >= 0 && index < int(colourNames.size()) ? QStringLiteral("colore ") + colourNames[size_t(index)]
                                                               : QStringLiteral("colore fuori tavolozza"));
    }
    QString text = parts.join(QStringLiteral(", "));
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

} // namespace CellDescription
