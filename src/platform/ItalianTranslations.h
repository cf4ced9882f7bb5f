#pragma once

class QCoreApplication;

// The user interface is Italian by design, whatever the system's language: Qt's own texts (a
// text box's context menu, the standard dialogs' buttons, the action names a screen reader
// speaks) are Italian too.

// Sets the Italian locale and loads Qt's Italian catalogue at once.
void installItalianTranslations(QCoreApplication &app);

// Sets the Italian locale at once and loads the catalogue when Qt is first about to show a
// word of its own: a context menu, a message box, or a screen reader starting to listen.
void installItalianTranslationsOnDemand(QCoreApplication &app);

// Loads the catalogue now if it is not loaded yet, for whatever shows Qt's words outside a
// context menu, such as a message box.
void ensureItalianTranslations();
