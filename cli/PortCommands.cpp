// chprog ports: the serial devices of this system and the COM number each stands for,
// so a user can see which device the radio's cable is and set COM Setup accordingly.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "link/DetectedPorts.h"

int RunPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringLiteral("config"),
                                        QStringLiteral("The folder of Program.ini whose Ports "
                                                       "section maps COM1..COM4 (default: the "
                                                       "window program's own)."),
                                        QStringLiteral("DIR")));
    int exitCode = kExitOk;
    const QString description = QStringLiteral(
        "Lists the serial devices of this system, one per line, TAB-separated: device, "
        "description, manufacturer, serial number, USB vendor:product, and the COM names "
        "that stand for the device. Empty fields stay empty; no devices print nothing.");
    if (!ParseCommand(parser, arguments, description, &exitCode))
        return exitCode;
    if (!parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("ports takes no file (see chprog ports --help)"));
        return kExitBadInput;
    }
    const QString iniPath = ConfigIniPath(parser);
    QString text;
    for (const DetectedPort& port : DetectedPorts())
        text += PortListLine(port, ComNamesOf(port, iniPath)) + u'\n';
    PrintOut(text);
    return kExitOk;
}
