#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The command line's export and import: "rubrica --esporta FILE [--cartella A1] [--pagina A5]"
// and "rubrica --importa FILE". No window, no display and no tray program are needed; the
// store is only read by an export, and an import waits for no one: it refuses while the
// address book runs.
namespace ExchangeCommand {

// Whether the arguments ask for an export, an import or their help.
bool isRequested(int argc, char **argv);

// Sets up its own application object and runs the command; the exit status.
int run(int argc, char **argv);

// The command itself (arguments without the program's name), with the store in
// `programDirectory`: 0 done, 1 failed (the Italian reason on `err`), 2 wrong arguments.
int execute(const QStringList &arguments, const QString &programDirectory, QTextStream &out, QTextStream &err);

} // namespace ExchangeCommand
