#include "common/TestFiles.h"
#include "ChmArchive.h"
#include "HelpAddress.h"
#include "HelpWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {
// The smallest compiled help file chmlib reads: a header, one directory chunk, files uncompressed.
QByteArray encodedInt(quint64 n)
{
    QByteArray bytes(1, char(n & 0x7f));
    while (n >>= 7)
        bytes.prepend(char(0x80 | (n & 0x7f)));
    return bytes;
}

template <typename T> QByteArray le(T value)
{
    QByteArray bytes;
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes += char((quint64(value) >> (8 * i)) & 0xff);
    return bytes;
}

QByteArray compiledHelp(const QList<QPair<QByteArray, QByteArray>> &files)
{
    constexpr quint32 Chunk = 0x1000;
    QByteArray entries, content;
    for (const auto &[name, data] : files) {
        entries += encodedInt(quint64(name.size())) + name + encodedInt(0) + encodedInt(quint64(content.size()))
            + encodedInt(quint64(data.size()));
        content += data;
    }
    QByteArray chunk = "PMGL" + le<quint32>(Chunk - 0x14 - quint32(entries.size())) + le<quint32>(0) + le<qint32>(-1)
        + le<qint32>(-1) + entries;
    chunk.resize(Chunk, '\0');
    QByteArray directory = "ITSP";
    for (qint32 field : {1, 0x54, 10, int(Chunk), 2, 1, -1, 0, -1, 1, -1, 0x410})
        directory += le(field);
    directory += QByteArray(32, '\0') + chunk;
    QByteArray header = "ITSF" + le<quint32>(3) + le<quint32>(0x60) + le<quint32>(1) + le<quint32>(0) + le<quint32>(0x410)
        + QByteArray(32, '\0') + le<quint64>(0) + le<quint64>(0) + le<quint64>(0x60)
        + le<quint64>(quint64(directory.size())) + le<quint64>(0x60 + quint64(directory.size()));
    return header + directory + content;
}

} // namespace

class TestTessavoHelp : public QObject
{
    Q_OBJECT

private slots:
    void parsesAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<QString>("page");
        const auto row = [](const char *name, const char *text, const char *helpFile, const char *page) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(helpFile) << QString::fromUtf8(page);
        };
        row("Windows", "mk:@MSITStore:C:\\Rubrica\\TessavoHlp.chm::/rubrica.htm", "C:\\Rubrica/TessavoHlp.chm", "rubrica.htm");
        row("blanks, backslash before the file", "mk:@MSITStore:/opt/Programmi di Tessavo\\TessavoHlp.chm::/rubrica.htm",
            "/opt/Programmi di Tessavo/TessavoHlp.chm", "rubrica.htm");
        row("no page", "mk:@MSITStore:/t/TessavoHlp.chm", "/t/TessavoHlp.chm", "rubrica.htm");
    }

    // The address the address book sends, with either separator and blanks in the folder; only
    // the address book calls the viewer, so other spellings are not tried.
    void parsesAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, helpFile);
        QFETCH(QString, page);
        const std::optional<HelpAddress> parsed = parseHelpAddress(text);
        QVERIFY(parsed);
        QCOMPARE(parsed->helpFile(), helpFile);
        QCOMPARE(parsed->page, page);
    }

    // The page asked for, in the Windows code page.
    void showsHelpFile()
    {
        if (!ChmArchive::isSupported()) {
            // QSKIP with one argument is a pedantic error under clang.
            QTest::qSkip("built without chmlib", __FILE__, __LINE__);
            return;
        }
        QTemporaryDir dir;
        const QString help = dir.filePath("TessavoHlp.chm");
        QVERIFY(writeAll(help, compiledHelp({{"/rubrica.htm", "<html><head><title>Altro</title></head><body>"
                                                               "<p>Citt\xe0 e cartelle</p></body></html>"}})));
        HelpWindow window;
        QVERIFY(window.showFromHelpFile(help, QStringLiteral("rubrica.htm")));
        QVERIFY(window.showsHelpFile());
        QVERIFY(window.toPlainText().contains(QStringLiteral("Citt\u00e0 e cartelle")));
        QVERIFY(!HelpWindow().showFromHelpFile(help, QStringLiteral("altro.htm"))); // no page, no help
    }
};

QTEST_MAIN(TestTessavoHelp)

#include "tst_tessavohelp.moc"
