#include "ChmArchive.h"

#include <QFile>

#ifdef TESSAVOHELP_HAS_CHM
#include <chm_lib.h>
#endif

namespace {
// A help page with its pictures is a few hundred kilobytes; a larger object is not one we show.
constexpr qint64 MaxObjectBytes = 64 * 1024 * 1024;
} // namespace

ChmArchive::~ChmArchive()
{
    close();
}

void ChmArchive::close()
{
#ifdef TESSAVOHELP_HAS_CHM
    if (m_file)
        chm_close(m_file);
#endif
    m_file = nullptr;
}

bool ChmArchive::isSupported()
{
#ifdef TESSAVOHELP_HAS_CHM
    return true;
#else
    return false;
#endif
}

bool ChmArchive::open(const QString &path)
{
#ifdef TESSAVOHELP_HAS_CHM
    close();
    m_file = chm_open(QFile::encodeName(path).constData());
    return m_file != nullptr;
#else
    Q_UNUSED(path);
    return false;
#endif
}

QByteArray ChmArchive::read(const QString &path) const
{
#ifdef TESSAVOHELP_HAS_CHM
    if (!m_file)
        return {};
    QString objectPath = path;
    if (!objectPath.startsWith(QLatin1Char('/')))
        objectPath.prepend(QLatin1Char('/'));
    chmUnitInfo unit{};
    if (chm_resolve_object(m_file, objectPath.toUtf8().constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return {};
    if (unit.length > quint64(MaxObjectBytes))
        return {};
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(m_file, &unit, reinterpret_cast<unsigned char *>(data.data()), 0,
                                              LONGINT64(unit.length));
    if (got < 0)
        return {};
    data.truncate(qsizetype(got));
    // An empty but present object must still read as present.
    return data.isNull() ? QByteArray("") : data;
#else
    Q_UNUSED(path);
    return {};
#endif
}
