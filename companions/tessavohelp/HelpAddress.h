#pragma once

#include <QString>

#include <optional>

// The address a help viewer is started with: "mk:@MSITStore:" + the help file + "::/" + the
// page, as in "mk:@MSITStore:C:\Rubrica\TessavoHlp.chm::/rubrica.htm". The help file may name
// its folder with either separator, and may hold blanks: the address is one argument.
struct HelpAddress
{
    QString directory; // the help file's folder, without a trailing separator
    QString fileName;  // "TessavoHlp.chm"
    QString page;      // "rubrica.htm": the page inside the help file, without a leading "/"

    // The help file, with "/" between the folder and the name (every platform opens that).
    QString helpFile() const;
};

// The page shown when the address names none.
inline const QString DefaultHelpPage = QStringLiteral("rubrica.htm");

// Null when the text is not such an address, or names no help file.
std::optional<HelpAddress> parseHelpAddress(const QString &text);
