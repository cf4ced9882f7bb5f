#include "storage/AnsiCodec.h"
#include "storage/IniFile.h"
#include "win32/IniCases.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The portable settings reader against the Windows answers the Windows test program checks.
class TestIniOracle : public QObject
{
    Q_OBJECT

private slots:
    void readsAsWindows_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(IniCases)); ++i)
            QTest::newRow(IniCases[i].name) << i;
    }

    void readsAsWindows()
    {
        QFETCH(int, index);
        const IniCase &c = IniCases[index];
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kardel.ini"));
        if (c.contents) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(c.contents);
        }
        QCOMPARE(IniFile::readString(path, QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                     QStringLiteral("Default")),
                 AnsiCodec::decode(QByteArray(c.answer)));
    }
};

QTEST_APPLESS_MAIN(TestIniOracle)
#include "tst_inioracle.moc"
