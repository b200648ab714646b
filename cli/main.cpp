// chprog: the command-line face of the radio programmer.

#include "cli/CliSupport.h"
#include "radio/MessageText.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Command {
    const char* name;
    const char* summary;
    std::function<int(const QStringList&)> run;
};

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"new",
         "new -o FILE.dat [--plan NAME] [--model M --band B] [--config DIR]   write the image of a "
         "new document",
         RunNew},
        {"show", "show FILE.dat [--lang en|zh]    print the 16 channels, TAB-separated", RunShow},
        {"export-csv", "export-csv FILE.dat [-o OUT.csv] [--lang en|zh] [--layout own|common]   channels as CSV",
         RunExportCsv},
        {"import-csv",
         "import-csv IN.csv --base BASE.dat -o OUT.dat [--band \"130 - 160MHz\"] [--rows A-B] [--first-channel N]   CSV into an image",
         RunImportCsv},
        {"settings", "settings FILE.dat [--lang en|zh]   print the radio settings, Name<TAB>Value",
         RunSettings},
        {"set", "set FILE.dat NAME=VALUE... [-o OUT.dat]   change radio settings by name",
         RunSet},
        {"calibration",
         "calibration FILE.dat [--config DIR]   power and squelch tables for the file's band",
         RunCalibration},
        {"diff", "diff A.dat B.dat [--lang en|zh] [--config DIR]   the differences, one line each",
         RunDiff},
        {"read", "read --port DEVICE -o FILE.dat [--trace FILE] [--quiet]   read the radio into a .dat file",
         RunRead},
        {"write",
         "write --port DEVICE [--alignment] [--verify] [--preview [--yes]] [--trace FILE] [--quiet] "
         "FILE.dat   "
         "write a .dat file to the radio",
         RunWrite},
        {"clone",
         "clone --port DEVICE FILE.dat [--count N] [--alignment] [--no-verify] [--trace FILE]   "
         "program radio after radio",
         RunClone},
        {"restore",
         "restore --port DEVICE [BACKUP.dat | --last | --before-write N] [--yes]   write a backup "
         "back to its radio",
         RunRestore},
        {"log", "log LOG [--summary]             a programming log as a table, or its counts",
         RunLog},
        {"backups", "backups [--config DIR]   the images kept from every read and write, newest first",
         RunBackups},
        {"simulate",
         "simulate --link PATH [--image FILE.dat] [--save FILE.dat] [--baud 9600] "
         "[--fault KIND]... [--trace]   play a radio on a pseudo-terminal",
         RunSimulate},
        {"sort", "sort FILE.dat [--channels A-B] [--compact] [-o OUT.dat]   channels in frequency order",
         RunSort},
        {"edit",
         "edit FILE.dat [--channels A-B] COLUMN=VALUE... [-o OUT.dat]   set channel columns on "
         "many channels",
         RunEdit},
        {"plans", "plans [--lang en|zh]              list the channel plans", RunPlans},
        {"check", "check FILE.dat --plan NAME        the rules of the plan that channels break",
         RunCheck},
        {"ports", "ports [--config DIR]             list the serial devices and their COM names",
         RunPorts},
    };
    return commands;
}

int PrintUsage(bool asError) {
    QString text = QStringLiteral("Usage: chprog COMMAND [options]\n\nCommands:\n");
    for (const Command& command : AllCommands())
        text += QStringLiteral("  chprog ") + QString::fromUtf8(command.summary) + u'\n';
    text += QStringLiteral("\nchprog COMMAND --help describes one command; chprog --version "
                           "prints the version.\n") +
            ExitStatusHelp();
    if (asError) {
        PrintError(QStringLiteral("expected a command"));
        std::fputs(text.toUtf8().constData(), stderr);
        return kExitBadInput;
    }
    PrintOut(text);
    return kExitOk;
}

} // namespace

int main(int argc, char* argv[]) {
    PrepareStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("chprog"));
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return PrintUsage(true);
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help"))
        return PrintUsage(false);
    if (name == QLatin1String("--version")) {
        PrintOut(QStringLiteral("chprog " PROGRAM_VERSION "\n"));
        return kExitOk;
    }
    for (const Command& command : AllCommands()) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    PrintError(QStringLiteral("\"%1\" is not a command (see chprog --help)")
                   .arg(ShortenedForMessage(name)));
    return kExitBadInput;
}
