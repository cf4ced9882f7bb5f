#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

QString programDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString programFile(const QString &directory, const QString &fileName)
{
    return directory + QDir::separator() + fileName;
}
