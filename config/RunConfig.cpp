#include "config/RunConfig.h"

#include "config/InstallLayout.h"
#include "config/ProgramIni.h"
#include "config/StartupConfig.h"
#include "radio/TextNumbers.h"
#include "radio/OwnTexts.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace {

const QString kSetup = QStringLiteral("Setup");
const QString kLanguageKey = QStringLiteral("Language");
const QString kChinese = QStringLiteral("Chinese");
const QString kEnglish = QStringLiteral("English");

struct Options {
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Serial device of the radio for this run, "
                                           "for example /dev/ttyUSB0 (overrides COM Setup)."),
                            QStringLiteral("DEVICE")};
    QCommandLineOption config{QStringLiteral("config"),
                              QStringLiteral("Folder of Program.ini (default: the program's "
                                             "folder)."),
                              QStringLiteral("DIR")};
    QCommandLineOption trace{QStringLiteral("trace"),
                             QStringLiteral("Append every byte sent to and received from the "
                                            "radio, time-stamped, to FILE (for bug reports)."),
                             QStringLiteral("FILE")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version.")};
};

constexpr int kExitCommandLineError = 2;

void AddOptions(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        QStringLiteral("Programs the channels and settings of a 16-channel FM radio."));
    parser.addOption(options.port);
    parser.addOption(options.config);
    parser.addOption(options.trace);
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addPositionalArgument(QStringLiteral("file.dat"),
                                 QStringLiteral("A radio image to open instead of a new one."),
                                 QStringLiteral("[file.dat]"));
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    QCommandLineParser parser;
    const Options options;
    AddOptions(parser, options);
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    result.helpRequested = parser.isSet(options.help);
    result.versionRequested = parser.isSet(options.version);
    result.port = parser.value(options.port);
    if (parser.isSet(options.config)) {
        result.configDir = QDir(parser.value(options.config)).absolutePath();
        result.error = ConfigFolderProblem(result.configDir);
    }
    if (parser.isSet(options.trace))
        result.tracePath = QDir(parser.value(options.trace)).absolutePath();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        result.error = OwnText("Only one .dat file can be opened at start-up.");
    else if (!files.isEmpty())
        result.datFile = files.first();
    if (parser.isSet(options.port) && result.port.isEmpty())
        result.error = OwnText("--port needs a device name.");
    return result;
}

QString CommandLineUsage() {
    QCommandLineParser parser;
    const Options options;
    AddOptions(parser, options);
    return parser.helpText();
}

std::optional<int> AnswerWithoutWindows(const CommandLine& commandLine,
                                        const QString& programDirectory) {
    if (commandLine.helpRequested) {
        const QString ini = RunIniPathFor(programDirectory, commandLine);
        std::fputs(qPrintable(CommandLineUsage() + QStringLiteral("\nProgram.ini of this run: %1\n")
                                                       .arg(QDir::toNativeSeparators(ini))),
                   stdout);
        return 0;
    }
    if (commandLine.versionRequested) {
        std::fputs("Program " PROGRAM_VERSION "\n", stdout);
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(commandLine.error),
                     qPrintable(CommandLineUsage()));
        return kExitCommandLineError;
    }
    return std::nullopt;
}

QString RunIniPathFor(const QString& programDirectory, const CommandLine& commandLine) {
    return RunIniPath(DetectInstallLayout(programDirectory), commandLine.configDir);
}

QStringList RestartArguments(const CommandLine& commandLine) {
    QStringList arguments;
    if (!commandLine.configDir.isEmpty())
        arguments << QStringLiteral("--config") << commandLine.configDir;
    if (!commandLine.port.isEmpty())
        arguments << QStringLiteral("--port") << commandLine.port;
    if (!commandLine.tracePath.isEmpty())
        arguments << QStringLiteral("--trace") << commandLine.tracePath;
    return arguments;
}

void LoadRunConfig(const QString& programDirectory, const CommandLine& commandLine) {
    StartupConfig config;
    const InstallLayout layout = DetectInstallLayout(programDirectory);
    config.iniFilePath = UsableRunIniPath(layout, commandLine.configDir, true);
    config.languageName = ReadProfileString(config.iniFilePath, kSetup, kLanguageKey);
    // Case matters: "chinese" runs in English.
    config.chineseLanguage = config.languageName == kChinese;
    SetMessageLanguage(config.language());
    config.helpFileName =
        config.chineseLanguage ? QStringLiteral("chHelp") : QStringLiteral("enHelp");
    config.programDirectory = layout.companionDirectory;
    config.applicationName =
        ReadProfileString(config.iniFilePath, config.languageName, QStringLiteral("Company"));
    SetStartupConfig(config);
}

QString LanguageText(const QString& key) {
    return ReadProfileString(startupConfig().iniFilePath, startupConfig().languageName, key);
}

bool LanguageItemShown() {
    return LeadingInt(ReadProfileString(startupConfig().iniFilePath, kSetup,
                                        QStringLiteral("ShowLang"))) != 0;
}

LanguageChoiceResult ApplyLanguageChoice(bool chinese) {
    const StartupConfig& config = startupConfig();
    LanguageChoiceResult result;
    result.restart = chinese != config.chineseLanguage;
    if (result.restart)
        return result; // written when the window has closed
    const bool storedIsChinese =
        ReadProfileString(config.iniFilePath, kSetup, kLanguageKey) == kChinese;
    if (storedIsChinese != chinese)
        result.ok = SaveNextRunLanguage(chinese, &result.error);
    return result;
}

bool SaveNextRunLanguage(bool chinese, QString* error) {
    const QString iniPath = startupConfig().iniFilePath;
    QString reason;
    if (WriteProfileString(iniPath, kSetup, kLanguageKey, chinese ? kChinese : kEnglish, &reason))
        return true;
    *error = OwnText("%1: cannot save the language choice (%2).")
                 .arg(QDir::toNativeSeparators(iniPath), reason);
    return false;
}
