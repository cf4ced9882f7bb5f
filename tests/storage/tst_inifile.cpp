#include "storage/IniFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The settings file's lines, whatever ends them, and what a write leaves alone.
class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void lineEndings_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("was"); // ColTasti as read before the write; null: missing
        QTest::addColumn<QByteArray>("after"); // once ColTasti is 5
        QTest::newRow("CR alone, key added")
            << QByteArray("[Rubrica]\rColSfondo=1\r\r[Z]\rColTasti=1") << QString()
            << QByteArray("[Rubrica]\rColSfondo=1\rColTasti=5\r\r[Z]\rColTasti=1");
        QTest::newRow("CR alone, section added after a last line without one")
            << QByteArray("[Kardel]\rX=1") << QString() << QByteArray("[Kardel]\rX=1\r[Rubrica]\rColTasti=5");
        QTest::newRow("CR CR LF") << QByteArray("[Rubrica]\r\r\nColTasti=1\r\r\n") << u"1"_s
                                  << QByteArray("[Rubrica]\r\r\nColTasti=5\r\r\n");
        QTest::newRow("replaced in place, names as spelled, each line its own ending")
            << QByteArray("[A]\nk=v\n[rubrica]\r\n  coltasti = 1 \r\n\n[B]\nz=1") << u"1"_s
            << QByteArray("[A]\nk=v\n[rubrica]\r\ncoltasti=5\r\n\n[B]\nz=1");
        QTest::newRow("empty section")
            << QByteArray("[Rubrica]\n\n[Z]\n") << QString() << QByteArray("[Rubrica]\nColTasti=5\n\n[Z]\n");
        QTest::newRow("new lines take the usual ending")
            << QByteArray("[A]\nk=v\r\n[B]\nz=1\n") << QString() << QByteArray("[A]\nk=v\r\n[B]\nz=1\n[Rubrica]\nColTasti=5\n");
        QTest::newRow("same value, kept as written")
            << QByteArray("[Rubrica]\r\n  coltasti = \"5\" \r\n") << u"5"_s << QByteArray("[Rubrica]\r\n  coltasti = \"5\" \r\n");
    }

    void lineEndings()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, was);
        QCOMPARE(IniFile::valueIn(before, u"rubrica"_s, u"ColTasti"_s).value_or(QString()), was);
        const QByteArray after = IniFile::withValue(before, u"Rubrica"_s, u"ColTasti"_s, u"5"_s);
        QTEST(after, "after");
        QCOMPARE(IniFile::valueIn(after, u"Rubrica"_s, u"coltasti"_s), u"5"_s);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
