#include "exchange/ExchangeCommand.h"

#include "exchange/ExchangeFiles.h"
#include "exchange/FolderNames.h"
#include "platform/InstanceGuard.h"
#include "platform/ProgramDirectory.h"
#include "storage/SheetStore.h"
#include "storage/StoreBackup.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstring>
#include <memory>

namespace ExchangeCommand {

namespace {

const char *const Options[] = {"--esporta", "--importa", "--cartella", "--pagina", "--aiuto", "--help", "-h"};

QString usage()
{
    return QStringLiteral(
        "Uso: rubrica --esporta FILE [--cartella CARTELLA] [--pagina A4|A5]\n"
        "     rubrica --importa FILE\n"
        "  --esporta FILE       scrive la rubrica in FILE, nel formato del suo nome: .csv (tabella),\n"
        "                       .vcf (schede vCard) o .pdf (da stampare); la rubrica non cambia\n"
        "  --cartella CARTELLA  solo questa cartella: A1, B1, ..., HJK, ..., WXY, ..., *, #\n"
        "  --pagina A4|A5       il formato delle pagine del PDF (A4 se non è detto)\n"
        "  --importa FILE       aggiunge le voci di FILE (.csv o .vcf) nelle righe vuote della rubrica,\n"
        "                       dopo una copia di sicurezza; la Rubrica deve essere chiusa\n"
        "Senza opzioni apre la Rubrica.\n");
}

struct Request
{
    QString exportPath, importPath, folder;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    bool help = false;
};

// An empty string when the arguments make sense, else what is wrong with them.
QString parse(const QStringList &arguments, Request *request)
{
    bool folderGiven = false, pageGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (option == u"--aiuto" || option == u"--help" || option == u"-h") {
            request->help = true;
            continue;
        }
        const bool takesValue = option == u"--esporta" || option == u"--importa" || option == u"--cartella"
            || option == u"--pagina";
        if (!takesValue)
            return QStringLiteral("opzione sconosciuta: %1").arg(option);
        if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
            return QStringLiteral("dopo %1 manca il valore").arg(option);
        const QString value = arguments.at(++i);
        if (option == u"--esporta") {
            request->exportPath = value;
        } else if (option == u"--importa") {
            request->importPath = value;
        } else if (option == u"--cartella") {
            request->folder = value;
            folderGiven = true;
        } else {
            pageGiven = true;
            if (value.compare(QStringLiteral("A5"), Qt::CaseInsensitive) == 0)
                request->pageSize = QPageSize::A5;
            else if (value.compare(QStringLiteral("A4"), Qt::CaseInsensitive) != 0)
                return QStringLiteral("il formato della pagina è A4 o A5, non %1").arg(value);
        }
    }
    if (request->help)
        return QString();
    if (request->exportPath.isEmpty() == request->importPath.isEmpty())
        return QStringLiteral("serve --esporta FILE oppure --importa FILE, uno dei due");
    if ((folderGiven || pageGiven) && request->exportPath.isEmpty())
        return QStringLiteral("--cartella e --pagina valgono solo con --esporta");
    if (folderGiven && FolderNames::sheetOf(request->folder) < 0)
        return QStringLiteral("la cartella %1 non esiste").arg(request->folder);
    return QString();
}

QString lines(QString message)
{
    return message.replace(u'\r', u'\n');
}

int exportTo(const Request &request, const QString &storePath, QTextStream &out, QTextStream &err)
{
    BookImage book;
    QString reason;
    if (!BookImage::readFile(storePath, &book, &reason)) {
        err << QStringLiteral("Impossibile esportare: la rubrica %1 non si legge: %2.\n").arg(storePath, reason);
        return 1;
    }
    const QVector<int> sheets = request.folder.isEmpty() ? allSheets() : QVector<int>{FolderNames::sheetOf(request.folder)};
    QString message;
    if (!ExchangeFiles::exportBook(book, sheets, request.exportPath, &message, request.pageSize)) {
        err << message << '\n';
        return 1;
    }
    out << QStringLiteral("Esportate %1 righe in %2.\n").arg(book.entries(sheets).size()).arg(request.exportPath);
    return 0;
}

int importFrom(const Request &request, const QString &storePath, QTextStream &out, QTextStream &err)
{
    // The guard is held until the import ends, so the address book cannot start half-way.
    const std::unique_ptr<InstanceGuard> guard = createSystemInstanceGuard(QStringLiteral("Rubrica"));
    if (guard->anotherInstanceRunning()) {
        err << QStringLiteral("La Rubrica è aperta: chiudila e ripeti l'importazione. Nessuna voce è stata importata.\n");
        return 1;
    }
    StoreError error;
    SheetStore store;
    if (!SheetStore::createIfMissing(storePath, &error)) {
        err << lines(error.message()) << '\n';
        return 1;
    }
    if (!store.open(storePath)) {
        err << lines(store.error().message()) << '\n';
        return 1;
    }
    BookImage book;
    QString reason;
    ImportPlan plan;
    if (!BookImage::read(store, &book, &reason)) {
        err << QStringLiteral("Impossibile leggere la rubrica %1: %2.\n").arg(storePath, reason);
        return 1;
    }
    if (!ExchangeFiles::planImport(request.importPath, book, &plan, &reason)) {
        err << reason << QStringLiteral(" La rubrica non è cambiata.\n");
        return 1;
    }
    if (!plan.rows.isEmpty()) {
        QByteArray contents;
        if (!store.readWholeFile(&contents) || !StoreBackup::make(storePath, QDate::currentDate(), contents, &reason)) {
            if (reason.isEmpty())
                reason = store.error().reason;
            err << QStringLiteral("Impossibile fare la copia di sicurezza della rubrica: %1. Nessuna voce è stata "
                                  "importata.\n").arg(reason);
            return 1;
        }
        // Ctrl+C or a closed terminal half-way would leave some folders imported and others not.
        const auto interrupt = std::signal(SIGINT, SIG_IGN);
        const auto terminate = std::signal(SIGTERM, SIG_IGN);
#ifdef SIGHUP
        const auto hangUp = std::signal(SIGHUP, SIG_IGN);
#endif
        const bool written = writePlan(store, book, plan, &reason);
        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, terminate);
#ifdef SIGHUP
        std::signal(SIGHUP, hangUp);
#endif
        if (!written) {
            err << QStringLiteral("Impossibile scrivere la rubrica %1: %2. Nessuna voce è stata importata.\n")
                       .arg(storePath, reason);
            return 1;
        }
    }
    out << plan.report() << '\n';
    return 0;
}

} // namespace

bool isRequested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : Options) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

int execute(const QStringList &arguments, const QString &programDirectory, QTextStream &out, QTextStream &err)
{
    Request request;
    const QString wrong = parse(arguments, &request);
    if (!wrong.isEmpty()) {
        err << QStringLiteral("rubrica: %1.\n").arg(wrong) << usage();
        return 2;
    }
    if (request.help) {
        out << usage();
        return 0;
    }
    const QString storePath = programFile(programDirectory, QStringLiteral("rubri.dat"));
    return request.importPath.isEmpty() ? exportTo(request, storePath, out, err)
                                        : importFrom(request, storePath, out, err);
}

int run(int argc, char **argv)
{
#ifndef Q_OS_WIN
    // Fonts for the PDF, and no display needed, wherever the command runs.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return execute(arguments, programDirectory(), out, err);
}

} // namespace ExchangeCommand
