#include "platform/ProgramLauncher.h"

#include <QTemporaryDir>
#include <QTest>

// How the help command line becomes a program start where there is no HH.EXE. The address
// keeps its blanks: a program folder such as "Tessavo Suite" must not split it.
class TestProgramLauncher : public QObject
{
    Q_OBJECT
private slots:
    void portable_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString viewer = QStringLiteral("/opt/Tessavo Suite/") + helpViewerFileName();
        QTest::newRow("help, blanks in the address")
            << "HH.EXE mk:@MSITStore:/opt/Tessavo Suite\\TessavoHlp.chm::/rubrica.htm" << viewer
            << QStringList{"mk:@MSITStore:/opt/Tessavo Suite\\TessavoHlp.chm::/rubrica.htm"};
        QTest::newRow("lower case, doubled blank kept inside") << "hh.exe  a  b " << viewer << QStringList{"a  b"};
        QTest::newRow("nothing") << "  " << QString() << QStringList();
    }

    void portable()
    {
        QFETCH(QString, line);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const PortableCommand command = portableCommand(line, QStringLiteral("/opt/Tessavo Suite"));
        QCOMPARE(command.program, program);
        QCOMPARE(command.arguments, arguments);
    }

#ifndef Q_OS_WIN
    // A program folder without the viewer: the launcher says so, and the window tells the user.
    void missingViewerFails()
    {
        QTemporaryDir empty;
        const auto launcher = createSystemProgramLauncher(empty.path());
        QVERIFY(!launcher->launch(QStringLiteral("HH.EXE mk:@MSITStore:") + empty.path()
                                      + QStringLiteral("/TessavoHlp.chm::/rubrica.htm"),
                                  ShowStyle::Maximised));
    }
#endif
};

QTEST_GUILESS_MAIN(TestProgramLauncher)
#include "tst_programlauncher.moc"
