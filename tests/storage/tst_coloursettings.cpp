#include "storage/ColourSettings.h"
#include "storage/IniFile.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestColourSettings : public QObject
{
    Q_OBJECT

private slots:
    void readsIndex_data();
    void readsIndex();
    void readsString();
    void startUpColours();
    void writesIndices_data();
    void writesIndices();
};

void TestColourSettings::readsIndex_data()
{
    QTest::addColumn<QByteArray>("file"); // a null array: no file at all
    QTest::addColumn<int>("index");

    QTest::newRow("no file") << QByteArray() << 0;
    QTest::newRow("7") << QByteArray("[Rubrica]\r\nColTasti=7\r\n") << 7;
    QTest::newRow("0") << QByteArray("[Rubrica]\r\nColTasti=0\r\n") << 0;
    QTest::newRow("9 reads as 1") << QByteArray("[Rubrica]\r\nColTasti=9\r\n") << 1;
    QTest::newRow("8 reads as 1") << QByteArray("[Rubrica]\r\nColTasti=8\r\n") << 1;
    QTest::newRow("-2") << QByteArray("[Rubrica]\r\nColTasti=-2\r\n") << 0;
    QTest::newRow("empty value") << QByteArray("[Rubrica]\r\nColTasti=\r\n") << 0;
    QTest::newRow("12 reads as 1") << QByteArray("[Rubrica]\r\nColTasti=12\r\n") << 1;
    QTest::newRow("35 reads as 3") << QByteArray("[Rubrica]\r\nColTasti=35\r\n") << 3;
    QTest::newRow("long value") << QByteArray("[Rubrica]\r\nColTasti=6666666666\r\n") << 6;
    QTest::newRow("blanks around") << QByteArray("[Rubrica]\r\nColTasti = 5 \r\n") << 5;
    QTest::newRow("tabs around") << QByteArray("[Rubrica]\r\n\tColTasti\t=\t4\t\r\n") << 4;
    QTest::newRow("quoted") << QByteArray("[Rubrica]\r\nColTasti=\"2\"\r\n") << 2;
    QTest::newRow("lower-case key") << QByteArray("[Rubrica]\ncoltasti=6\n") << 6;
    QTest::newRow("upper-case section") << QByteArray("[ RUBRICA ]\nCOLTASTI=3") << 3;
    QTest::newRow("key of another section") << QByteArray("[Altro]\r\nColTasti=5\r\n[Rubrica]\r\nX=1\r\n") << 0;
    QTest::newRow("key before any section") << QByteArray("ColTasti=5\r\n[Rubrica]\r\n") << 0;
    QTest::newRow("longer key name") << QByteArray("[Rubrica]\r\nColTastiX=5\r\n") << 0;
    QTest::newRow("commented out") << QByteArray("[Rubrica]\r\n;ColTasti=5\r\n") << 0;
    QTest::newRow("section ends at the next one") << QByteArray("[Rubrica]\r\n[X]\r\nColTasti=5\r\n") << 0;
    QTest::newRow("first of two") << QByteArray("[Rubrica]\r\nColTasti=2\r\nColTasti=6\r\n") << 2;
    QTest::newRow("empty file") << QByteArray("") << 0;
}

void TestColourSettings::readsIndex()
{
    QFETCH(QByteArray, file);
    QFETCH(int, index);

    QTemporaryDir dir;
    ColourSettings settings;
    settings.Percorso_Ini = dir.filePath(QStringLiteral("Kardel.ini"));
    if (!file.isNull())
        writeFile(settings.Percorso_Ini, file);
    QCOMPARE(settings.Leggi_Colore(QStringLiteral("ColTasti")), index);
    QCOMPARE(settings.Leggi_Colore(QStringLiteral("coltasti")), index);
}

void TestColourSettings::readsString()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kardel.ini"));
    writeFile(path, "\xEF\xBB\xBF[S]\r\nk= citt\xE0 \x80 \r\nj\r\n");
    const auto read = [&](const char *key) {
        return IniFile::readString(path, QStringLiteral("s"), QLatin1String(key), QStringLiteral("Default"));
    };
    QCOMPARE(read("K"), QStringLiteral("città €"));
    QCOMPARE(read("j"), QStringLiteral("Default")); // a key without '=' has no value
}

void TestColourSettings::startUpColours()
{
    QTemporaryDir dir;
    ColourSettings settings;
    settings.Percorso_Ini = dir.filePath(QStringLiteral("Kardel.ini"));
    writeFile(settings.Percorso_Ini, "[Rubrica]\r\nColTasti=7\r\nColSfondo=3\r\n");
    settings.Carica_Colori();
    settings.Colore_Tasti = settings.Colori_Tasti[settings.Leggi_Colore(QStringLiteral("ColTasti"))];
    settings.Colore_Sfondo = settings.Colori_Sfondo[settings.Leggi_Colore(QStringLiteral("ColSfondo"))];
    QCOMPARE(settings.Colore_Tasti, 0x00EAEAEAu);
    QCOMPARE(settings.Colore_Sfondo, 0x00B7E6FFu);
    QCOMPARE(settings.Colori_Tasti[0], ColourSettings::ButtonFace);
    QCOMPARE(settings.Colori_Sfondo[0], ColourSettings::ButtonFace);
}

void TestColourSettings::writesIndices_data()
{
    QTest::addColumn<QByteArray>("before"); // a null array: no file at all
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no file") << QByteArray() << QByteArray("[Rubrica]\r\nColSfondo=2\r\nColTasti=5\r\n");
    QTest::newRow("empty file") << QByteArray("") << QByteArray("[Rubrica]\r\nColSfondo=2\r\nColTasti=5\r\n");
    QTest::newRow("other sections kept")
        << QByteArray("; Tessavo\r\n[Kardel]\r\nLingua = it \r\n\r\n[Altro]\r\nX=1\r\n")
        << QByteArray("; Tessavo\r\n[Kardel]\r\nLingua = it \r\n\r\n[Altro]\r\nX=1\r\n"
                      "[Rubrica]\r\nColSfondo=2\r\nColTasti=5\r\n");
    QTest::newRow("values replaced in place, LF kept")
        << QByteArray("[A]\nk=v\n[rubrica]\ncoltasti=1\n  colsfondo = 7 \n\n[B]\nz=1")
        << QByteArray("[A]\nk=v\n[rubrica]\ncoltasti=5\ncolsfondo=2\n\n[B]\nz=1");
    QTest::newRow("missing key after the last key")
        << QByteArray("[Rubrica]\r\nColTasti=0\r\n; nota\r\n\r\n[Z]\r\nq=1\r\n")
        << QByteArray("[Rubrica]\r\nColTasti=5\r\nColSfondo=2\r\n; nota\r\n\r\n[Z]\r\nq=1\r\n");
    QTest::newRow("no final line ending")
        << QByteArray("[Rubrica]\r\nAltro=x")
        << QByteArray("[Rubrica]\r\nAltro=x\r\nColSfondo=2\r\nColTasti=5");
    QTest::newRow("empty section")
        << QByteArray("[Rubrica]\n\n[Z]\n")
        << QByteArray("[Rubrica]\nColSfondo=2\nColTasti=5\n\n[Z]\n");
    QTest::newRow("each line keeps its ending")
        << QByteArray("[Rubrica]\r\nColSfondo=0\nColTasti=0\r\n")
        << QByteArray("[Rubrica]\r\nColSfondo=2\nColTasti=5\r\n");
}

void TestColourSettings::writesIndices()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    ColourSettings settings;
    settings.Percorso_Ini = dir.filePath(QStringLiteral("Kardel.ini"));
    if (!before.isNull())
        writeFile(settings.Percorso_Ini, before);
    settings.Scrivi_Colori(2, 5);
    QCOMPARE(contentsOf(settings.Percorso_Ini), after);
    QCOMPARE(settings.Leggi_Colore(QStringLiteral("colsfondo")), 2);
    QCOMPARE(settings.Leggi_Colore(QStringLiteral("coltasti")), 5);
}

QTEST_GUILESS_MAIN(TestColourSettings)
#include "tst_coloursettings.moc"
