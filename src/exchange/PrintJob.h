#pragma once

// What the address book hands to the print module, which is loaded only when the user prints
// (Qt Print Support is not loaded at start). Plain C, so that the module's one entry point
// needs no C++ name mangling to be found.
class QPainter;
class QRectF;
class QWidget;

extern "C" {

typedef void (*RubricaPaintPage)(void *context, QPainter *painter, const QRectF *area, int page);

struct RubricaPrintJob
{
    int version;              // RubricaPrintJobVersion
    QWidget *parent;          // the dialogs' parent window
    const char *title;        // UTF-8, the document's name in the print queue
    int pageCount;
    int a5;                   // for outputFile: non-zero A5 pages, else A4
    RubricaPaintPage paint;
    void *context;
    const char *outputFile;   // UTF-8; non-null: print to this PDF without any dialog
};

// The entry point's name and its type. It returns 1 when printed, 0 when the user cancelled,
// -1 when printing failed.
#define RUBRICA_PRINT_ENTRY "rubricaPrint"
typedef int (*RubricaPrintFunction)(const RubricaPrintJob *job);
}

constexpr int RubricaPrintJobVersion = 1;
