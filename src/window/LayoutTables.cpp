#include "window/LayoutTables.h"

const std::array<FolderTabLayout, FolderTabCount> &folderTabLayouts()
{
    // "HJK" and "WXY" have one sheet each in the lower row; "*" and "#" stand above them.
    static const std::array<FolderTabLayout, FolderTabCount> layouts{{
        {"A1", 45, 470, false},   {"B1", 500, 470, false},  {"C1", 950, 470, false},
        {"D1", 1395, 465, false}, {"E1", 1845, 465, false}, {"F1", 2300, 465, false},
        {"G1", 2750, 465, false}, {"HJK", 3200, 465, false}, {"I1", 3650, 465, false},
        {"L1", 4100, 465, false}, {"M1", 4550, 465, false}, {"N1", 5000, 465, false},
        {"O1", 5450, 465, false}, {"P1", 5900, 465, false}, {"Q1", 6350, 465, false},
        {"R1", 6800, 465, false}, {"S1", 7250, 465, false}, {"T1", 7700, 465, false},
        {"U1", 8150, 465, false}, {"V1", 8600, 465, false}, {"Z1", 9510, 465, false},
        {"A2", 45, 465, true},    {"B2", 500, 465, true},   {"C2", 950, 465, true},
        {"D2", 1395, 465, true},  {"E2", 1845, 465, true},  {"F2", 2300, 465, true},
        {"G2", 2750, 465, true},  {"WXY", 9040, 480, false}, {"I2", 3650, 465, true},
        {"L2", 4100, 465, true},  {"M2", 4550, 465, true},  {"N2", 5000, 465, true},
        {"O2", 5450, 465, true},  {"P2", 5900, 465, true},  {"Q2", 6350, 465, true},
        {"R2", 6800, 465, true},  {"S2", 7250, 465, true},  {"T2", 7700, 465, true},
        {"U2", 8150, 465, true},  {"V2", 8600, 465, true},  {"Z2", 9510, 465, true},
        {"*", 3200, 465, true},   {"#", 9040, 480, true},
    }};
    return layouts;
}

QRect folderTabRect(int index)
{
    const FolderTabLayout &layout = folderTabLayouts().at(static_cast<size_t>(index));
    return QRect(layout.left, layout.upperRow ? UpperTabRowTop : LowerTabRowTop, layout.width, FolderTabHeight);
}

QRect separatorRect(int index)
{
    static constexpr std::array<int, SeparatorCount> lefts{430, 1610, 2430, 8205, 3250, 3720, 8955, 7240};
    return QRect(lefts.at(static_cast<size_t>(index)), -120, 30, 570);
}

const std::array<ToolButtonLayout, ToolButtonCount> &toolButtonLayouts()
{
    static const std::array<ToolButtonLayout, ToolButtonCount> layouts{{
        {" Salva ", 80, 360, 16, 16, 40, ":/icons/tb00_save.argb"},
        {" Taglia ", 520, 360, 16, 16, 40, ":/icons/tb01_cut.argb"},
        {" Copia ", 880, 360, 16, 16, 40, ":/icons/tb02_copy.argb"},
        {" Incolla ", 1240, 360, 17, 16, 40, ":/icons/tb03_paste.argb"},
        {" Testo in grassetto ", 1700, 360, 16, 16, 40, ":/icons/tb04_bold.argb"},
        {" Testo sottolineato ", 2070, 360, 16, 16, 40, ":/icons/tb05_underline.argb"},
        {" Inserisci riga ", 2520, 360, 17, 16, 40, ":/icons/tb06_insert_row.argb"},
        {" Togli riga ", 2900, 360, 17, 16, 40, ":/icons/tb07_remove_row.argb"},
        {" Colore testo ", 3360, 360, 16, 16, 40, ":/icons/tb08_text_colour.argb"},
        {" Cerca nella Rubrica ", 5320, 1900, 115, 16, 100, ":/icons/tb09_search.argb"},
        {" Opzioni colore ", 7340, 870, 45, 16, 100, ":/icons/tb10_colour_options.argb"},
        {" Guida in linea ", 8300, 660, 22, 16, 160, ":/icons/tb11_help.argb"},
        {" Chiudi la Rubrica ", 9060, 930, 28, 16, 220, ":/icons/tb12_close.argb"},
    }};
    return layouts;
}
