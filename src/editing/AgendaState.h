#pragma once

#include <QtGlobal>

// The variables that the address book window and its parts share. The grid's cells hold the
// sheet itself; these say where the user is and what the window is doing.
struct AgendaState
{
    int Riga_Corrente = 0;      // row 1..44 of the current cell
    int Colonna_Corrente = 0;   // 1 long, 2 short; 0 before any cell had the focus
    int Cella_Corrente = 0;     // cell code of the last cell used: row, or row + 100 for a short cell
    bool Modificato = false;    // the grid differs from the store
    int Foglio_Corrente = 0;    // sheet 0..43 shown in the grid

    bool Modo_Cursore = false;      // caret mode: Left/Right move inside the text
    bool Estendi_Selezione = false; // extend mode: a focus gain keeps earlier highlights

    // Search state: next record to read (1 = from the start), record of the last hit, a hit is shown.
    int Prossimo_Record = 1;
    int Ultimo_Trovato = 0;
    bool Trovato = false;

    bool Tavolozza_Aperta = false; // the text colour palette is open

    void resetSearch()
    {
        Trovato = false;
        Prossimo_Record = 1;
        Ultimo_Trovato = 0;
    }
};
