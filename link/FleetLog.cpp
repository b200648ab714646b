#include "link/FleetLog.h"

bool FleetLog::addFile(const QString& path, LogFormat format, QString* error) {
    auto log = std::make_unique<ProgrammingLog>(path, format);
    if (!log->open(error))
        return false;
    m_logs.push_back(std::move(log));
    return true;
}

void FleetLog::setImage(const RadioImage& image) {
    m_imageSha256 = ImageSha256(image);
}

ProgrammingRecord FleetLog::record() const {
    ProgrammingRecord record;
    record.time = QDateTime::currentDateTime();
    record.operatorName = m_operator;
    record.imageSha256 = m_imageSha256;
    return record;
}

bool FleetLog::append(const ProgrammingRecord& record, QString* error) {
    for (const std::unique_ptr<ProgrammingLog>& log : m_logs) {
        if (!log->append(record, error))
            return false;
    }
    return true;
}
