#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Asks the user for a file to write or to read. Tests replace it, so no test waits on a dialog.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // `filters` as "Tabella CSV (*.csv)"; a name typed without an extension gets the chosen
    // filter's, whose index goes to `chosenFilter`. Empty when the user cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                 const QStringList &filters, int *chosenFilter) = 0;
    virtual QString openFileName(QWidget *parent, const QString &title, const QStringList &filters) = 0;
};

// Qt's own dialog, the same on every platform and in Italian.
class QtFileDialogs : public FileDialogs
{
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                         const QStringList &filters, int *chosenFilter) override;
    QString openFileName(QWidget *parent, const QString &title, const QStringList &filters) override;
};
