#include "HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

namespace {
// Pages inside a help file are addressed as chm:/page.htm, so that relative links and pictures
// resolve against them and come back here through loadResource.
const QString ChmScheme = QStringLiteral("chm");

// Help compilers store pages in the Windows code page; a page in UTF-8 reads as such.
QString decodePage(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? QString(windows.decode(data)) : QString::fromLatin1(data);
}

QString missingPageNote(const QString &path)
{
    return QStringLiteral("<html><body><h2>Guida della Rubrica</h2>"
                          "<p>La pagina della guida non si trova:<br><tt>%1</tt></p>"
                          "<p>Reinstalla la Rubrica per ripristinarla.</p></body></html>")
        .arg(path.toHtmlEscaped());
}
} // namespace

const QString HelpWindow::Title = QStringLiteral("Help di Tessavo");

HelpWindow::HelpWindow(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Title);
    setAccessibleName(QStringLiteral("Guida in linea della Rubrica"));
    setOpenExternalLinks(true);
    setFrameShape(QFrame::NoFrame);
    // The page title must not rename the window: the address book looks for this exact title.
    connect(this, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(Title); });
}

bool HelpWindow::showFromHelpFile(const QString &helpFile, const QString &page)
{
    if (!QFileInfo(helpFile).isFile() || !m_archive.open(helpFile))
        return false;
    if (m_archive.read(page).isNull()) {
        m_archive.close();
        return false;
    }
    QUrl url;
    url.setScheme(ChmScheme);
    url.setPath(QLatin1Char('/') + page);
    setSource(url, QTextDocument::HtmlResource);
    return true;
}

void HelpWindow::showFromFolder(const QString &directory, const QString &page)
{
    const QString path = QDir(directory).filePath(page);
    if (!QFileInfo(path).isFile()) {
        setHtml(missingPageNote(QDir::toNativeSeparators(path)));
        return;
    }
    setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
}

QVariant HelpWindow::loadResource(int type, const QUrl &name)
{
    QUrl url = name;
    if (url.isRelative())
        url = source().resolved(url);
    if (url.scheme() != ChmScheme)
        return QTextBrowser::loadResource(type, name);
    const QByteArray bytes = m_archive.read(url.path());
    if (bytes.isNull())
        return {};
    if (type == QTextDocument::HtmlResource)
        return decodePage(bytes);
    return bytes;
}
