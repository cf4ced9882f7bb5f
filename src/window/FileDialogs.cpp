#include "window/FileDialogs.h"

#include "platform/ItalianTranslations.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
QString suffixOf(const QString &filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString run(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().constFirst()
                                                                                    : QString();
}

QString startFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
} // namespace

QString QtFileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                    const QStringList &filters, int *chosenFilter)
{
    ensureItalianTranslations();
    QFileDialog dialog(parent, title, startFolder(), filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggestedName);
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(suffixOf(filter));
        // The name keeps up with the format, as the user would otherwise write it twice.
        const QString name = QFileInfo(dialog.selectedFiles().value(0)).completeBaseName();
        if (!name.isEmpty())
            dialog.selectFile(name + u'.' + suffixOf(filter));
    });
    const QString path = run(dialog);
    *chosenFilter = int(filters.indexOf(dialog.selectedNameFilter()));
    return path;
}

QString QtFileDialogs::openFileName(QWidget *parent, const QString &title, const QStringList &filters)
{
    ensureItalianTranslations();
    QFileDialog dialog(parent, title, startFolder(), filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}
