#include "storage/StoreBackup.h"

#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace StoreBackup {

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString Suffix = QStringLiteral(".bak");

QString prefixOf(const QString &storePath)
{
    return QFileInfo(storePath).completeBaseName() + QLatin1Char('-');
}

QString failure(int code)
{
    return code != 0 ? SystemErrorText::reason(code) : QStringLiteral("errore di scrittura sul disco");
}

} // namespace

QString fileName(const QString &storePath, const QDate &day)
{
    return prefixOf(storePath) + day.toString(DateFormat) + Suffix;
}

QDate dayOf(const QString &storePath, const QString &name)
{
    const QString prefix = prefixOf(storePath);
    if (name.size() != prefix.size() + DateFormat.size() + Suffix.size()
        || !name.startsWith(prefix, Qt::CaseInsensitive) || !name.endsWith(Suffix, Qt::CaseInsensitive))
        return QDate();
    const QStringView date = QStringView(name).mid(prefix.size(), DateFormat.size());
    // fromString accepts fewer digits than the format asks for; a backup's name has all of them.
    if (!std::all_of(date.begin(), date.end(), [](QChar c) { return c.isDigit() || c == u'-'; }))
        return QDate();
    return QDate::fromString(date.toString(), DateFormat);
}

QStringList surplus(const QString &storePath, const QStringList &fileNames, const QDate &today, int kept)
{
    QList<QPair<QDate, QString>> backups;
    for (const QString &name : fileNames) {
        const QDate day = dayOf(storePath, name);
        if (day.isValid())
            backups.append({day, name});
    }
    std::sort(backups.begin(), backups.end(), [&today](const auto &a, const auto &b) {
        if ((a.first == today) != (b.first == today))
            return a.first == today;
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    QStringList result;
    for (qsizetype i = kept; i < backups.size(); ++i)
        result << backups.at(i).second;
    return result;
}

bool make(const QString &storePath, const QDate &day, const QByteArray &contents, QString *reason)
{
    QDir folder = QFileInfo(storePath).absoluteDir();
    const QString target = folder.filePath(fileName(storePath, day));
    if (!QFileInfo::exists(target)) {
        QSaveFile file(target);
        file.setDirectWriteFallback(false);
        SystemErrorText::clearLast();
        bool written = file.open(QIODevice::WriteOnly);
        written = written && file.write(contents) == contents.size();
        const int code = SystemErrorText::lastCode();
        if (!written) {
            file.cancelWriting();
            *reason = failure(code);
            return false;
        }
        SystemErrorText::clearLast();
        if (!file.commit()) {
            *reason = failure(SystemErrorText::lastCode());
            return false;
        }
    }
    const QStringList names = folder.entryList({prefixOf(storePath) + QLatin1Char('*') + Suffix}, QDir::Files);
    for (const QString &old : surplus(storePath, names, day))
        folder.remove(old);
    return true;
}

} // namespace StoreBackup
