#include "common/PrivateRuntimeDir.h"
#include "common/StoreDiff.h"
#include "common/TestFiles.h"
#include "exchange/CsvFormat.h"
#include "exchange/ExchangeCommand.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/FolderNames.h"
#include "exchange/VCardFormat.h"
#include "platform/InstanceGuard.h"
#include "storage/AnsiCodec.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

// Every printable character, formula look-alikes, separators and quotes, every style and colour.
BookImage filledBook()
{
    QString all;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const QString c = AnsiCodec::decode(QByteArray(1, char(byte)));
        if (byte != 0x7F && !(c.at(0).unicode() >= 0x80 && c.at(0).unicode() <= 0x9F))
            all += c;
    }
    const QStringList samples{QStringLiteral("=SOMMA(A1)"), QStringLiteral("'=già protetto"),
                              QStringLiteral("+39 06 1234567"), QStringLiteral("-meno"), QStringLiteral("@posta"),
                              QStringLiteral("  rientro, \"virgolette\"; punto e virgola"), QStringLiteral("\\ / \\n"),
                              QStringLiteral("sì / no")};
    BookImage book;
    int n = 0;
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        for (int row = 1; row <= 10 + sheet % 20; ++row, ++n) {
            RowEntry entry;
            entry.longCell = {all.mid((n * 7) % all.size(), 100), char('0' + n % 4), char('0' + n % 6)};
            entry.shortCell = {samples.at(n % samples.size()), char('0' + (n / 4) % 4), char('0' + (n / 6) % 6)};
            book.setRecord(sheet, row, recordOf(entry));
        }
    }
    return book;
}

RowEntry entry(const QString &longText, const QString &shortText = QString(), int sheet = -1, int row = 0)
{
    RowEntry e{sheet, row, {}, {}, 1};
    e.longCell.text = longText;
    e.shortCell.text = shortText;
    return e;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void roundTripGivesTheStoreBack_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("CSV, formatting included") << QStringLiteral("book.csv");
        QTest::newRow("vCard, texts") << QStringLiteral("book.vcf");
    }

    void roundTripGivesTheStoreBack()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        const BookImage book = filledBook();
        QString message;
        QVERIFY2(ExchangeFiles::exportBook(book, allSheets(), path, &message), qPrintable(message));
        ImportPlan plan;
        QVERIFY2(ExchangeFiles::planImport(path, BookImage(), &plan, &message), qPrintable(message));
        QCOMPARE(plan.notes, QStringList());
        const BookImage back = applied(BookImage(), plan);
        if (fileName.endsWith(u".csv")) {
            COMPARE_STORE(back.bytes(), book.bytes());
            return;
        }
        for (int sheet = 0; sheet < SheetCount; ++sheet) {
            for (int row = 1; row <= RowsPerSheet; ++row)
                QCOMPARE(back.record(sheet, row).bytes().left(140), book.record(sheet, row).bytes().left(140));
        }
        for (const QByteArray &line : fileBytes(path).split('\n'))
            QVERIFY2(line.size() <= 76, line.constData()); // 75 octets and the CR
    }

    void vcardFromOtherPrograms_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("longText");
        QTest::addColumn<QString>("shortText");
        QTest::newRow("2.1 quoted-printable, Latin-1, soft break")
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Nicol=F2;Gi=\r\nan Luca\r\n"
                          "TEL;CELL:+39 333 1234567\r\nTEL;HOME:06 1111\r\nEND:VCARD\r\n")
            << QStringLiteral("Gian Luca Nicolò") << QStringLiteral("+39 333 1234567");
        QTest::newRow("3.0 folded, grouped, escaped")
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:Studio Bianchi\\, Verdi \n & C.\nitem1.EMAIL;TYPE=INTERNET:a@b.it\nEND:VCARD\n")
            << QStringLiteral("Studio Bianchi, Verdi & C.") << QStringLiteral("a@b.it");
        QTest::newRow("4.0 tel uri, photo skipped, folder")
            << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Zoë\r\nPHOTO;ENCODING=b:AAAA\r\n AAAA\r\nTEL;VALUE=uri:tel:+39-06-12\r\n"
                          "CATEGORIES:amici,B2\r\nEND:VCARD\r\n")
            << QStringLiteral("Zoë") << QStringLiteral("+39-06-12");
    }

    void vcardFromOtherPrograms()
    {
        QFETCH(QByteArray, card);
        QFETCH(QString, longText);
        QFETCH(QString, shortText);
        QVector<RowEntry> entries;
        QStringList notes;
        InputProblem problem;
        QVERIFY2(VCard::read(card, &entries, &notes, &problem), qPrintable(problem.what));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).longCell.text, longText);
        QCOMPARE(entries.at(0).shortCell.text, shortText);
        if (QTest::currentDataTag() == QByteArray("4.0 tel uri, photo skipped, folder"))
            QCOMPARE(FolderNames::caption(entries.at(0).sheet), QStringLiteral("B2"));
        if (card.contains("TEL;HOME"))
            QCOMPARE(notes.size(), 1); // the second number is not dropped without a word
    }

    // A spreadsheet's own table: semicolons, its own column names, yes-no and colour words.
    void csvFromOtherPrograms()
    {
        const QByteArray table = "Testo breve;Testo lungo;Grassetto;Colore\r\n"
                                 "06 1234;\"Rossi\r\nMario\";sì / no;Rosso\r\n"
                                 "\"\"\"Bar\"\" Sport\";;x;blu\r\n";
        QVector<RowEntry> entries;
        QStringList notes;
        InputProblem problem;
        QVERIFY2(Csv::read(table, &entries, &notes, &problem), qPrintable(problem.what));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).longCell.text, QStringLiteral("Rossi\r\nMario"));
        QCOMPARE(entries.at(0).longCell.style, '1');
        QCOMPARE(entries.at(0).shortCell.style, '0');
        QCOMPARE(entries.at(0).shortCell.colour, '3');
        QCOMPARE(entries.at(1).line, 4);
        QCOMPARE(entries.at(1).shortCell.text, QStringLiteral("\"Bar\" Sport"));
        QCOMPARE(entries.at(1).longCell.colour, '4');
        const ImportPlan plan = placeEntries(BookImage(), entries);
        QCOMPARE(plan.rows.at(0).record.longText(), QStringLiteral("Rossi Mario"));
    }

    void badInputNamesFileAndLine_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "vuoto.csv" << QByteArray(" \r\n") << "vuoto.csv: il file è vuoto";
        QTest::newRow("binary") << "foto.csv" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << "foto.csv, riga 3: il file non è un file di testo";
        QTest::newRow("Latin-1") << "a.csv" << QByteArray("Rossi,06 1\nNicol\xF2,06 2\n") << "a.csv, riga 2: il testo non è in UTF-8";
        QTest::newRow("UTF-16") << "a.vcf" << QByteArray("\xFF\xFE" "B\0E\0", 6) << "a.vcf, riga 1: il file è in UTF-16";
        QTest::newRow("UTF-16 without mark") << "a.csv" << QByteArray("A\0,\0B\0", 6) << "a.csv, riga 1: il file è in UTF-16";
        QTest::newRow("quote never closed") << "a.csv" << QByteArray("a,b\n\"c,d\ne,f\n") << "a.csv, riga 2: le virgolette";
        QTest::newRow("text after quote") << "a.csv" << QByteArray("\"a\"b,c\n") << "a.csv, riga 1: dopo le virgolette";
        QTest::newRow("too many columns") << "a.csv" << QByteArray("a,b\nc,d,e,f,g\n") << "a.csv, riga 2: la riga ha 5 colonne";
        QTest::newRow("not a vCard") << "a.vcf" << QByteArray("Caro Mario,\nti scrivo\n") << "a.vcf, riga 1: il file non è un file vCard";
        QTest::newRow("card not closed") << "a.vcf" << QByteArray("BEGIN:VCARD\nFN:a\nEND:VCARD\nBEGIN:VCARD\nFN:b\n") << "a.vcf, riga 4: la scheda";
        QTest::newRow("folding before any line") << "a.vcf" << QByteArray(" FN:a\n") << "a.vcf, riga 1: la riga continua";
        QTest::newRow("unknown charset") << "a.vcf" << QByteArray("BEGIN:VCARD\nFN;CHARSET=X-NIENTE:a\nEND:VCARD\n") << "a.vcf, riga 2: la codifica";
        QTest::newRow("other format") << "a.xlsx" << QByteArray("PK") << "a.xlsx: la Rubrica importa file CSV";
        QTest::newRow("100 MB") << "grande.csv" << QByteArray() << "grande.csv: il file è troppo grande (100 MB";
    }

    void badInputNamesFileAndLine()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QVERIFY(writeAll(path, contents));
        if (contents.isEmpty())
            QVERIFY(QFile::resize(path, 100 * 1024 * 1024)); // sparse: no 100 MB written
        ImportPlan plan;
        QString message;
        QVERIFY(!ExchangeFiles::planImport(path, filledBook(), &plan, &message));
        QVERIFY2(message.startsWith(QStringLiteral("Impossibile importare ") + QDir::toNativeSeparators(dir.path())),
                 qPrintable(message));
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY(plan.rows.isEmpty());
    }

    void whatDoesNotFitIsReported()
    {
        const QVector<RowEntry> entries{entry(QString(130, u'a'), QStringLiteral("Ελλάδα")), entry("Bis", "", 0, 9),
                                        entry("Ter", "", 0, 9)};
        const ImportPlan plan = placeEntries(BookImage(), entries);
        QCOMPARE(plan.rows.size(), 3);
        QCOMPARE(plan.rows.at(0).record.longText(), QString(100, u'a'));
        QCOMPARE(plan.rows.at(0).record.shortText(), QStringLiteral("??????"));
        QCOMPARE(plan.rows.at(2).row, 9); // the file's own row wins over one placed by letter
        QCOMPARE(plan.rows.at(1).row, 2);
        const QString report = plan.report();
        QVERIFY2(report.contains(QStringLiteral("ha 130 caratteri; sono tenuti i primi 100")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("scritti come «?»")), qPrintable(report));
    }

    void commandLine()
    {
        PrivateRuntimeDir runtime;
        QVERIFY(runtime.activate());
        QTemporaryDir dir;
        const auto run = [&dir](const QStringList &arguments, QString *err = nullptr) {
            QString outText, errText;
            QTextStream out(&outText), errStream(&errText);
            const int status = ExchangeCommand::execute(arguments, dir.path(), out, errStream);
            if (err)
                *err = errText;
            return status;
        };
        QString err;
        QCOMPARE(run({QStringLiteral("--esporta"), dir.filePath("a.csv")}, &err), 1); // no store yet
        QVERIFY(!QFile::exists(dir.filePath("a.csv")));

        const BookImage book = filledBook();
        QVERIFY(writeAll(dir.filePath("book.csv"), Csv::write(book.entries(allSheets()))));
        {
            const auto running = createSystemInstanceGuard(QStringLiteral("Rubrica"));
            QVERIFY(!running->anotherInstanceRunning());
            QCOMPARE(run({QStringLiteral("--importa"), dir.filePath("book.csv")}, &err), 1);
            QVERIFY2(err.contains(QStringLiteral("La Rubrica è aperta")), qPrintable(err));
        }
        QCOMPARE(run({QStringLiteral("--importa"), dir.filePath("book.csv")}, &err), 0);
        const QByteArray stored = fileBytes(dir.filePath("rubri.dat"));
        COMPARE_STORE(stored, book.bytes());
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("rubri-*.bak")}).size(), 1);

        QCOMPARE(run({QStringLiteral("--esporta"), dir.filePath("nessuna/cartella/x.vcf")}, &err), 1);
        QVERIFY2(err.contains(QStringLiteral("Impossibile esportare in ")), qPrintable(err));
        COMPARE_STORE(fileBytes(dir.filePath("rubri.dat")), stored); // a failed export neither
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
