#include "cli/StationLog.h"

#include "link/DetectedPorts.h"

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

Cable CableAt(const QString& device) {
    const QList<DetectedPort> ports = DetectedPorts();
    const DetectedPort* port = FindPort(ports, device);
    if (!port)
        return {};
    return {port->serialNumber, port->usbId()};
}

bool StationLog::open(const QCommandLineParser& parser, QString* error) {
    m_operator = parser.value(QStringLiteral("operator"));
    const std::pair<const char*, LogFormat> files[] = {{"log", LogFormat::JsonLines},
                                                       {"log-csv", LogFormat::Csv}};
    for (const auto& [option, format] : files) {
        if (!parser.isSet(QString::fromLatin1(option)))
            continue;
        auto log = std::make_unique<ProgrammingLog>(parser.value(QString::fromLatin1(option)), format);
        if (!log->open(error))
            return false;
        m_logs.push_back(std::move(log));
    }
    return true;
}

ProgrammingRecord StationLog::record() const {
    ProgrammingRecord record;
    record.time = QDateTime::currentDateTime();
    record.operatorName = m_operator;
    record.imageSha256 = m_imageSha256;
    return record;
}

bool StationLog::append(const ProgrammingRecord& record, QString* error) {
    for (const std::unique_ptr<ProgrammingLog>& log : m_logs) {
        if (!log->append(record, error))
            return false;
    }
    return true;
}

void StationLog::setImage(const RadioImage& image) {
    m_imageSha256 = ImageSha256(image);
}
