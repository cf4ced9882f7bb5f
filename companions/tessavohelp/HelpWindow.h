#pragma once

#include "ChmArchive.h"

#include <QTextBrowser>

// The help viewer's window: one browser, titled "Help di Tessavo" whatever page it shows, so
// that the address book finds it by that title.
class HelpWindow : public QTextBrowser
{
    Q_OBJECT
public:
    static const QString Title;

    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows a page of a compiled help file. False when the file cannot be read or lacks the page.
    bool showFromHelpFile(const QString &helpFile, const QString &page);
    // Shows a page that lies as a plain file in a folder, with its pictures beside it; a short
    // note when it is missing.
    void showFromFolder(const QString &directory, const QString &page);

    bool showsHelpFile() const { return m_archive.isOpen(); }

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    ChmArchive m_archive;
};
