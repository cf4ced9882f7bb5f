#pragma once

#include <QByteArray>
#include <QString>

struct chmFile;

// Read access to the files inside a compiled HTML help file (.chm). Without chmlib at build
// time every open fails, and the viewer shows the program's own page instead.
class ChmArchive
{
public:
    ChmArchive() = default;
    ~ChmArchive();
    ChmArchive(const ChmArchive &) = delete;
    ChmArchive &operator=(const ChmArchive &) = delete;

    static bool isSupported();

    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_file != nullptr; }
    // A file inside the archive by its path ("/rubrica.htm"); null when it is not there. Paths
    // are compared without regard to case, as the help compiler stores them.
    QByteArray read(const QString &path) const;

private:
    chmFile *m_file = nullptr;
};
