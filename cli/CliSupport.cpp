#include "cli/CliSupport.h"
#include "radio/MessageText.h"
#include "files/DatFile.h"

#include "config/InstallLayout.h"
#include "config/ProgramIni.h"
#include "radio/ImageMap.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

QString ExitStatusHelp() {
    return QStringLiteral("Exit status: 0 done; 1 the radio or the link failed (diff: the images "
                          "differ; check: a rule is broken); 2 bad arguments, files or values (nothing is written).\n");
}

void PrepareStandardStreams() {
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
}

void PrintError(const QString& message) {
    std::fputs((QStringLiteral("chprog: ") + message + u'\n').toUtf8().constData(), stderr);
    std::fflush(stderr);
}

void PrintOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

bool ParseCommand(QCommandLineParser& parser, const QStringList& arguments,
                  const QString& description, int* exitCode) {
    parser.setApplicationDescription(description);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        PrintError(parser.errorText() +
                   QStringLiteral(" (see chprog %1 --help)").arg(arguments.value(0)));
        *exitCode = kExitBadInput;
        return false;
    }
    if (parser.isSet(help)) {
        // Qt names the program as it was called ("./chprog", a full path); the usage
        // line names it as the user types it, with the command.
        const QString calledAs = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
        const QString usage = QStringLiteral("Usage: chprog ") + arguments.value(0);
        QString text = parser.helpText();
        if (text.startsWith(calledAs))
            text.replace(0, calledAs.size(), usage);
        PrintOut(text + u'\n' + ExitStatusHelp());
        *exitCode = kExitOk;
        return false;
    }
    const QString config = QStringLiteral("config");
    if (parser.optionNames().contains(config)) {
        const QString problem = ConfigFolderProblem(parser.value(config));
        if (!problem.isEmpty()) {
            PrintError(problem);
            *exitCode = kExitBadInput;
            return false;
        }
    }
    return true;
}

void AddLanguageOption(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        QStringLiteral("lang"), QStringLiteral("Language of the texts: en (default) or zh."),
        QStringLiteral("en|zh"), QStringLiteral("en")));
}

bool ParseLanguage(const QCommandLineParser& parser, Language* language, int* exitCode) {
    const QString value = parser.value(QStringLiteral("lang"));
    if (value == QLatin1String("en")) {
        *language = Language::English;
        return true;
    }
    if (value == QLatin1String("zh")) {
        *language = Language::Chinese;
        return true;
    }
    PrintError(QStringLiteral("--lang: \"%1\" is not a language; use en or zh")
                   .arg(ShortenedForMessage(value)));
    *exitCode = kExitBadInput;
    return false;
}

void AddConfigOption(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("config"),
                                        QStringLiteral("The folder of Program.ini (default: the "
                                                       "program's own folder)."),
                                        QStringLiteral("DIR")));
}

QString ConfigIniPath(const QCommandLineParser& parser) {
    const QString config = QStringLiteral("config");
    if (parser.isSet(config))
        return QDir(parser.value(config)).filePath(QStringLiteral("Program.ini"));
    return UsableRunIniPath(DetectInstallLayout(QCoreApplication::applicationDirPath()), QString(),
                            false);
}

bool LoadImage(const QString& path, RadioImage* image, int* exitCode) {
    QString error;
    if (LoadDatFile(path, *image, &error))
        return true;
    PrintError(error);
    *exitCode = kExitBadInput;
    return false;
}

bool SaveImage(const QString& path, const RadioImage& image, int* exitCode) {
    QString error;
    if (SaveDatFile(path, image, &error))
        return true;
    PrintError(error);
    *exitCode = kExitBadInput;
    return false;
}

bool ParseRange(const QString& text, int lowest, int highest, int* first, int* last) {
    const QStringList parts = text.split(u'-');
    if (parts.size() != 2)
        return false;
    bool firstOk = false, lastOk = false;
    const int a = parts[0].trimmed().toInt(&firstOk);
    const int b = parts[1].trimmed().toInt(&lastOk);
    if (!firstOk || !lastOk || a < lowest || b > highest || a > b)
        return false;
    *first = a;
    *last = b;
    return true;
}

bool TakeChannelsOption(const QCommandLineParser& parser, std::vector<int>* channels) {
    int first = 1, last = ImageMap::kChannelCount;
    const QString text = parser.value(QStringLiteral("channels"));
    if (parser.isSet(QStringLiteral("channels")) &&
        !ParseRange(text, 1, ImageMap::kChannelCount, &first, &last)) {
        PrintError(QStringLiteral("--channels: \"%1\" is not a range of channels 1 to 16; write "
                                  "it like 3-8")
                       .arg(ShortenedForMessage(text)));
        return false;
    }
    channels->clear();
    for (int number = first; number <= last; ++number)
        channels->push_back(number);
    return true;
}
