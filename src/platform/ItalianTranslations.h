#pragma once

class QCoreApplication;

// The user interface is Italian by design, whatever the system's language: Qt's own texts (a
// text box's context menu, the standard dialogs' buttons) are loaded in Italian too.
void installItalianTranslations(QCoreApplication &app);
