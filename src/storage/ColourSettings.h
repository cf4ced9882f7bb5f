#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The two window colours kept in the product's settings file as palette indices 0..7,
// section "Rubrica", keys "ColTasti" (folder tabs) and "ColSfondo" (sheet page, selected tab).
class ColourSettings
{
public:
    static constexpr quint32 ButtonFace = 0x8000000F;
    static constexpr quint32 WindowBackground = 0x80000005;

    QString iniPath;                   // full path of the settings file
    std::array<quint32, 8> tabColours{};  // candidate tab colours
    std::array<quint32, 8> pageColours{}; // candidate page colours
    quint32 tabColour = 0;               // tab colour in effect
    quint32 pageColour = 0;              // page colour in effect

    void loadPalettes();
    // Index 0..7 stored under `key`; never fails, anything unusable gives 0.
    int readColourIndex(const QString &key) const;
    // Background index first; "ColSfondo" is written before "ColTasti". False, with an
    // Italian reason, when the file would not take them; they stay in effect for this run.
    bool writeColours(int pageIndex, int tabIndex, QString *reason = nullptr) const;
    // What to tell the user after writeColours failed.
    QString notKeptMessage(const QString &reason) const;
};
