#include "cli/StationLog.h"

#include "cli/CliSupport.h"

void AddLogOptions(QCommandLineParser& parser) {
    using Option = QCommandLineOption;
    parser.addOptions(
        {Option(QStringLiteral("log"),
                QStringLiteral("Append one line per radio to LOG, as JSON Lines (see chprog log)."),
                QStringLiteral("LOG")),
         Option(QStringLiteral("log-csv"),
                QStringLiteral("Append the same lines to LOG.csv as CSV, under a header line."),
                QStringLiteral("LOG.csv")),
         Option(QStringLiteral("operator"),
                QStringLiteral("The name each log line gives as the operator's."),
                QStringLiteral("NAME"))});
}

bool StationLog::open(const QCommandLineParser& parser, const RadioImage& image) {
    setOperator(parser.value(QStringLiteral("operator")));
    const std::pair<const char*, LogFormat> files[] = {{"log", LogFormat::JsonLines},
                                                       {"log-csv", LogFormat::Csv}};
    for (const auto& [option, format] : files) {
        QString error;
        if (parser.isSet(QString::fromLatin1(option)) &&
            !addFile(parser.value(QString::fromLatin1(option)), format, &error)) {
            PrintError(error);
            return false;
        }
    }
    setImage(image);
    return true;
}
