// chprog log: a programming log (--log or --log-csv of write and clone) as a table, or
// with --summary the number of radios per result and per port.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "files/ProgrammingLog.h"

#include <map>

namespace {

// The columns of the table: time, port, operator, radio, result, seconds, backup.
enum Field { kTime, kPort, kUsbSerial, kUsbId, kOperator, kFingerprint, kImage, kResult,
             kBackup, kDuration };
constexpr int kFingerprintShown = 12;

QStringList TableRow(const LogLine& line) {
    return {line.value(kTime),
            line.value(kPort),
            line.value(kOperator),
            line.value(kFingerprint).left(kFingerprintShown),
            line.value(kResult),
            QString::number(line.value(kDuration).toLongLong() / 1000.0, 'f', 1),
            line.value(kBackup)};
}

// Columns padded to their widest cell, two spaces apart; the last one is not padded.
QString Table(const std::vector<QStringList>& rows) {
    std::vector<int> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max<std::size_t>(widths.size(), row.size()));
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], static_cast<int>(row[i].size()));
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        text += line + u'\n';
    }
    return text;
}

// A failure counts as "failed", whatever its message.
QString ResultKind(const QString& result) {
    return result.startsWith(QLatin1String("failed:")) ? QStringLiteral("failed") : result;
}

QString Summary(const std::vector<LogLine>& lines) {
    std::map<QString, int> results;
    std::map<QString, std::map<QString, int>> ports;
    for (const LogLine& line : lines) {
        const QString kind = ResultKind(line.value(kResult));
        ++results[kind];
        ++ports[line.value(kPort)][kind];
    }
    std::vector<QStringList> rows{{QStringLiteral("result"), QStringLiteral("radios")}};
    for (const auto& [kind, count] : results)
        rows.push_back({kind, QString::number(count)});
    QString text = Table(rows) + u'\n';
    rows = {{QStringLiteral("port"), QStringLiteral("result"), QStringLiteral("radios")}};
    for (const auto& [port, counts] : ports) {
        for (const auto& [kind, count] : counts)
            rows.push_back({port, kind, QString::number(count)});
    }
    return text + Table(rows) + QStringLiteral("\n%1 radios\n").arg(lines.size());
}

} // namespace

int RunLog(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption summary(QStringLiteral("summary"),
                                     QStringLiteral("Print the number of radios per result and "
                                                    "per port instead of the lines."));
    parser.addOption(summary);
    parser.addPositionalArgument(QStringLiteral("LOG"),
                                 QStringLiteral("The log of --log or --log-csv."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Prints a programming log as a table: time, port, operator, "
                                     "radio (the start of its fingerprint), result, seconds and "
                                     "the backup of the radio as it was. A line that cannot be "
                                     "read is left out and counted on standard error."),
                      &exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("log: use chprog log LOG [--summary]"));
        return kExitBadInput;
    }
    std::vector<LogLine> lines;
    int unreadable = 0;
    QString error;
    if (!ReadProgrammingLog(parser.positionalArguments().at(0), &lines, &unreadable, &error)) {
        PrintError(error);
        return kExitBadInput;
    }
    if (unreadable > 0)
        PrintError(QStringLiteral("warning: %1 line(s) of the log could not be read").arg(unreadable));
    if (parser.isSet(summary)) {
        PrintOut(Summary(lines));
        return kExitOk;
    }
    std::vector<QStringList> rows{{QStringLiteral("time"), QStringLiteral("port"),
                                   QStringLiteral("operator"), QStringLiteral("radio"),
                                   QStringLiteral("result"), QStringLiteral("seconds"),
                                   QStringLiteral("backup")}};
    for (const LogLine& line : lines)
        rows.push_back(TableRow(line));
    PrintOut(Table(rows));
    return kExitOk;
}
