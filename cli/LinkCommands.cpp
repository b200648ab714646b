// chprog simulate, read and write: the radio link from the command line.

#include "files/AtomicFile.h"
#include "radio/MessageText.h"
#include "radio/ChannelCodec.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LinkSupport.h"
#include "cli/StationLog.h"
#include "cli/RadioWrite.h"
#include "cli/WritePreview.h"
#include "link/PortNames.h"
#include "link/ProgrammingExchange.h"
#include "link/SerialTrace.h"
#include "link/sim/SimulatedRadio.h"
#ifdef Q_OS_UNIX
#include "cli/SimulatorLine.h"
#endif

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace {

// More radios than a station has cables is a mistake, and each takes a process.
constexpr int kMaxSimulatedRadios = 64;

#ifdef Q_OS_UNIX
// The options of chprog simulate; the steps below read them by name.
void AddSimulateOptions(QCommandLineParser& parser) {
    using Option = QCommandLineOption;
    parser.addOptions(
        {Option(QStringLiteral("link"),
                QStringLiteral("Path of the symbolic link to create; open it as the serial port. "
                               "Given several times, one radio on each."),
                QStringLiteral("PATH")),
         Option(QStringLiteral("count"),
                QStringLiteral("Play N radios at once, on the links PATH1 .. PATHN of "
                               "--link-prefix, each with its own memory and its own bytes "
                               "beyond 0x3F1."),
                QStringLiteral("N")),
         Option(QStringLiteral("link-prefix"),
                QStringLiteral("With --count: the links are this path with 1 .. N appended."),
                QStringLiteral("PATH")),
         Option(QStringLiteral("swap-after-write"),
                QStringLiteral("After each completed write and its read back, a new radio takes "
                               "the old one's place, as when an operator plugs in the next one.")),
         Option(QStringLiteral("image"),
                QStringLiteral("Start from this memory (default: a new image)."),
                QStringLiteral("FILE.dat")),
         Option(QStringLiteral("save"),
                QStringLiteral("Save the memory here on exit (SIGINT, SIGTERM) and on SIGUSR1; "
                               "with several radios radio K saves to FILE-K.dat."),
                QStringLiteral("FILE.dat")),
         Option(QStringLiteral("baud"),
                QStringLiteral("Pace the bytes as a real line of this speed (9600: about "
                               "1.04 ms a byte)."),
                QStringLiteral("RATE")),
         Option(QStringLiteral("fault"),
                QStringLiteral("Misbehave as listed above; K:KIND for radio K only."),
                QStringLiteral("KIND")),
         Option(QStringLiteral("trace"), QStringLiteral("Print every byte received (<) and "
                                                        "sent (>) on standard error."))});
}

// The misbehaviours --fault lists, for each of `radios` radios ("3:lose-write:40" only
// for radio 3); false (reported) on one the radio does not know.
bool ReadFaults(const QCommandLineParser& parser, int radios, std::vector<RadioFaults>* faults) {
    static const QRegularExpression forOneRadio(QStringLiteral("^(\\d{1,4}):([a-z].*)$"));
    faults->assign(static_cast<std::size_t>(radios), RadioFaults{});
    QString error;
    for (const QString& value : parser.values(QStringLiteral("fault"))) {
        const QRegularExpressionMatch match = forOneRadio.match(value);
        const int radio = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (match.hasMatch() && (radio < 1 || radio > radios)) {
            PrintError(QStringLiteral("--fault: \"%1\": there is no radio %2 (1 .. %3)")
                           .arg(ShortenedForMessage(value))
                           .arg(radio)
                           .arg(radios));
            return false;
        }
        const QString kind = match.hasMatch() ? match.captured(2) : value;
        for (int k = 0; k < radios; ++k) {
            if ((radio == 0 || radio == k + 1) && !ParseRadioFault(kind, &(*faults)[k], &error)) {
                PrintError(error);
                return false;
            }
        }
    }
    return true;
}

// --save, --trace and --baud; false (reported) when --baud is no line speed.
bool ReadSimulatorOptions(const QCommandLineParser& parser, SimulatorOptions* options) {
    options->savePath = parser.value(QStringLiteral("save"));
    options->trace = parser.isSet(QStringLiteral("trace"));
    const QString baud = parser.value(QStringLiteral("baud"));
    bool baudOk = true;
    options->baud = parser.isSet(QStringLiteral("baud")) ? baud.toInt(&baudOk) : 0;
    if (!baudOk || options->baud < 0) {
        PrintError(
            QStringLiteral("--baud: \"%1\" is not a line speed").arg(ShortenedForMessage(baud)));
        return false;
    }
    return true;
}

// The links of --link (each given) or of --count with --link-prefix; false (reported)
// when they are missing or do not agree.
bool ReadLinks(const QCommandLineParser& parser, QStringList* links) {
    const QString usage = QStringLiteral(
        "simulate: use chprog simulate --link PATH or --count N --link-prefix PATH (see --help)");
    *links = parser.values(QStringLiteral("link"));
    const bool counted = parser.isSet(QStringLiteral("count"));
    if (counted != parser.isSet(QStringLiteral("link-prefix")) || (counted && !links->isEmpty()) ||
        (!counted && links->isEmpty()) || !parser.positionalArguments().isEmpty()) {
        PrintError(usage);
        return false;
    }
    if (!counted)
        return true;
    bool isNumber = false;
    const int count = parser.value(QStringLiteral("count")).toInt(&isNumber);
    if (!isNumber || count < 1 || count > kMaxSimulatedRadios) {
        PrintError(QStringLiteral("--count: \"%1\" is not a number of radios (1 .. %2)")
                       .arg(ShortenedForMessage(parser.value(QStringLiteral("count"))))
                       .arg(kMaxSimulatedRadios));
        return false;
    }
    for (int k = 1; k <= count; ++k)
        *links << parser.value(QStringLiteral("link-prefix")) + QString::number(k);
    return true;
}

// FILE.dat gives FILE-3.dat for radio 3.
QString SavePathOf(const QString& savePath, int radio) {
    if (savePath.isEmpty())
        return savePath;
    const QString stem = savePath.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)
                             ? savePath.chopped(4)
                             : savePath;
    return QStringLiteral("%1-%2.dat").arg(stem).arg(radio);
}
#endif

} // namespace

int RunSimulate(const QStringList& arguments) {
#ifndef Q_OS_UNIX
    Q_UNUSED(arguments);
    PrintError(QStringLiteral("simulate: not available on this platform (the simulated radio "
                              "needs POSIX pseudo-terminals: Linux, macOS)"));
    return kExitBadInput;
#else
    QCommandLineParser parser;
    AddSimulateOptions(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Plays a radio on a pseudo-terminal until interrupted. Prints "
                                     "\"ready: PATH -> DEVICE\" on standard error once PATH "
                                     "exists.\n\n") +
                          RadioFaultHelp(),
                      &exitCode))
        return exitCode;
    QStringList links;
    if (!ReadLinks(parser, &links))
        return kExitBadInput;
    RadioImage memory = NewImage();
    const QString imageOption = QStringLiteral("image");
    if (parser.isSet(imageOption) && !LoadImage(parser.value(imageOption), &memory, &exitCode))
        return exitCode;
    std::vector<RadioFaults> faults;
    SimulatorOptions options;
    if (!ReadFaults(parser, static_cast<int>(links.size()), &faults) ||
        !ReadSimulatorOptions(parser, &options))
        return kExitBadInput;
    const bool swap = parser.isSet(QStringLiteral("swap-after-write"));
    if (links.size() == 1 && !swap) { // one radio, played as it always was
        options.linkPath = links.first();
        SimulatedRadio radio(memory, faults.front());
        return RunSimulatorLine(radio, options);
    }
    std::vector<SimulatedRadioSetup> radios;
    for (int k = 0; k < links.size(); ++k) {
        SimulatedRadioSetup setup{memory, faults[k], options};
        setup.options.linkPath = links[k];
        setup.options.savePath = links.size() > 1 ? SavePathOf(options.savePath, k + 1) : options.savePath;
        radios.push_back(setup);
    }
    return RunSimulatorFleet(radios, swap);
#endif
}

int RunRead(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(
        {PortOption(), TraceOption(), QuietOption(),
         QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                            QStringLiteral("The .dat file to write."), QStringLiteral("FILE"))});
    AddConfigOption(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Reads the radio's whole memory into a .dat file, which is "
                                     "written only once every block has arrived."),
                      &exitCode))
        return exitCode;
    RadioPort port;
    if (!TakeDevice(parser, &port))
        return kExitBadInput;
    const QString output = parser.value(QStringLiteral("o"));
    if (output.isEmpty() || !parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("read: use chprog read --port DEVICE -o FILE.dat"));
        return kExitBadInput;
    }
    QString reason;
    if (!AtomicFile::canReplace(output, &reason)) {
        PrintError(QStringLiteral("%1: cannot save the file (%2)").arg(output, reason));
        return kExitBadInput;
    }
    const std::unique_ptr<SerialLink> link = port.newLink();
    ProgressBar bar("Reading", parser);
    ProgrammingExchange exchange(*link, CommandLineCallbacks(bar));
    RadioImage image = NewImage();
    const ExchangeOutcome outcome = exchange.read(port.device, image);
    if (!outcome.succeeded())
        return ReportOutcome(outcome, bar);
    BackUp(image, BackupKind::Read, ConfigIniPath(parser), RepeatsNamed(parser));
    return SaveImage(output, image, &exitCode) ? kExitOk : exitCode;
}

namespace {

// Reads the radio before a write into `held`: its backup, and the check that the image
// is meant for it. False (reported, and said in `record`) when the radio could not be
// read or is another model or band.
bool RadioTakesImage(SerialLink& link, const QString& device, const RadioImage& image,
                     const QCommandLineParser& parser, RadioImage* held,
                     ProgrammingRecord* record, int* exitCode) {
    ProgressBar bar("Reading", parser);
    ProgrammingExchange exchange(link, CommandLineCallbacks(bar));
    const ExchangeOutcome outcome = exchange.read(device, *held);
    if (!outcome.succeeded()) {
        *exitCode = Failed(record, QStringLiteral("the radio could not be read: ") + FailureOf(outcome),
                           ReportOutcome(outcome, bar));
        PrintError(QStringLiteral("write: the radio could not be read first; nothing was written"));
        return false;
    }
    const QString iniPath = ConfigIniPath(parser);
    record->backup = BackUp(*held, BackupKind::Read, iniPath, RepeatsNamed(parser));
    record->fingerprint = RadioFingerprint(*held, !parser.isSet(QStringLiteral("alignment")));
    const WriteTargetCheck target = CheckWriteTarget(*held, image);
    if (target.refusesWrite()) {
        PrintError(QStringLiteral("write: wrong target: %1; nothing was written (--force writes "
                                  "without this check)")
                       .arg(WrongTargetText(target, iniPath)));
        record->result = ProgrammingResult::WrongTarget;
        *exitCode = kExitFailure;
        return false;
    }
    if (target.identityDiffers)
        PrintError(IdentityWarning(*held, image));
    return true;
}

// The write of RunWrite after its arguments: the read first (unless --force), the
// changes with --preview, the write, the read back with --verify.
int WriteRadio(const RadioPort& port, const RadioImage& image, const QCommandLineParser& parser,
               ProgrammingRecord* record) {
    const std::unique_ptr<SerialLink> link = port.newLink();
    int exitCode = kExitOk;
    CatchInterrupt();
    RadioImage held = NewImage();
    if (!parser.isSet(QStringLiteral("force")) &&
        !RadioTakesImage(*link, port.device, image, parser, &held, record, &exitCode))
        return exitCode;
    const WriteSteps steps{parser.isSet(QStringLiteral("preview")),
                           parser.isSet(QStringLiteral("verify"))};
    return WriteToRadio(QStringLiteral("write"), {*link, port.device, held, image}, steps, parser,
                        record);
}

} // namespace

int RunWrite(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption alignment(QStringLiteral("alignment"),
                                       QStringLiteral("Also write the factory block and the power "
                                                      "and squelch calibration, as the unlocked "
                                                      "program does."));
    const QCommandLineOption verify(QStringLiteral("verify"),
                                    QStringLiteral("Afterwards read the written blocks back and "
                                                   "compare them with what was sent."));
    const QCommandLineOption force = ForceOption(
        QStringLiteral("Write without reading the radio first: no backup of what it held and no "
                       "check that its model and band are the image's."));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Read the radio, print what the write would "
                                                    "change (the lines of chprog diff RADIO "
                                                    "IMAGE) and ask before writing."));
    parser.addOptions({PortOption(), TraceOption(), QuietOption(), alignment, verify, force,
                       preview, YesOption()});
    AddLogOptions(parser);
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The image to write."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Writes a .dat file to the radio. The radio is read first "
                                     "(kept as a backup) and is not written when its model or "
                                     "band differs from the image's. The calibration values are "
                                     "brought into their valid ranges first, as the program does "
                                     "before every write. With --preview the changes are printed "
                                     "first (nothing to change: nothing is written) and the write "
                                     "waits for a yes on the terminal; --yes gives it at once."),
                      &exitCode))
        return exitCode;
    RadioPort port;
    if (!TakeDevice(parser, &port))
        return kExitBadInput;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral(
            "write: use chprog write --port DEVICE [--alignment] [--verify] [--preview [--yes]] "
            "FILE.dat"));
        return kExitBadInput;
    }
    if (parser.isSet(preview) && parser.isSet(force)) {
        PrintError(QStringLiteral("write: --preview reads the radio first and --force does not; "
                                  "give one of them"));
        return kExitBadInput;
    }
    if (parser.isSet(preview) && !CanConfirm(QStringLiteral("write"), parser))
        return kExitBadInput;
    RadioImage image;
    if (!LoadImage(parser.positionalArguments().first(), &image, &exitCode))
        return exitCode;
    WarnFrequencyFaults(image, ConfigIniPath(parser));
    StationLog log;
    if (!log.open(parser, image))
        return kExitBadInput;
    ClampCalibration(image);
    ProgrammingRecord record = log.record();
    record.port = port.device;
    const Cable cable = CableAt(port.device);
    record.usbSerial = cable.usbSerial;
    record.usbId = cable.usbId;
    QElapsedTimer clock;
    clock.start();
    const int status = WriteRadio(port, image, parser, &record);
    record.durationMs = clock.elapsed();
    QString error;
    if (log.isOpen() && !log.append(record, &error)) {
        PrintError(error);
        return kExitFailure;
    }
    return status;
}
