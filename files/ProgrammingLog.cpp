#include "files/ProgrammingLog.h"

#include "files/Csv.h"
#include "files/RegularFile.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace {

// A log is read whole; a station's log of many years stays far below this.
constexpr qint64 kMaxLogBytes = 256LL * 1024 * 1024;

const char* const kFields[] = {"time",        "port",         "usb_serial", "usb_id",
                               "operator",    "fingerprint",  "image_sha256", "result",
                               "backup",      "duration_ms"};

// A CSV line without the record's CRLF: the file is opened in text mode, which gives each
// line the platform's own ending (and a CSV reader takes either).
QString CsvLine(const QStringList& fields) {
    return CsvRecord(fields).chopped(2);
}

LogLine FieldTexts(const ProgrammingRecord& record) {
    return {record.time.toOffsetFromUtc(record.time.offsetFromUtc()).toString(Qt::ISODate),
            record.port,
            record.usbSerial,
            record.usbId,
            record.operatorName,
            record.fingerprint,
            record.imageSha256,
            ResultText(record),
            record.backup,
            QString::number(record.durationMs)};
}

QString JsonLine(const ProgrammingRecord& record) {
    const LogLine texts = FieldTexts(record);
    const QStringList names = ProgrammingLogFields();
    QJsonObject object;
    for (int i = 0; i < names.size(); ++i)
        object.insert(names[i], texts[i]);
    object.insert(QStringLiteral("duration_ms"), static_cast<double>(record.durationMs));
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

bool ReadJsonLine(const QByteArray& line, LogLine* fields) {
    const QJsonDocument document = QJsonDocument::fromJson(line);
    if (!document.isObject())
        return false;
    const QJsonObject object = document.object();
    fields->clear();
    for (const QString& name : ProgrammingLogFields()) {
        const QJsonValue value = object.value(name);
        *fields << (value.isDouble() ? QString::number(value.toInteger()) : value.toString());
    }
    return true;
}

bool ReadCsvLog(const QString& text, std::vector<LogLine>* lines, int* unreadable) {
    CsvRecordReader reader(text);
    CsvRow row;
    QString error;
    reader.next(&row, &error); // the header
    const int fieldCount = static_cast<int>(ProgrammingLogFields().size());
    while (reader.next(&row, &error)) {
        if (row.fields.size() == fieldCount)
            lines->push_back(row.fields);
        else
            ++*unreadable;
    }
    if (!error.isEmpty()) // the rest of the file cannot be told apart into records
        ++*unreadable;
    return true;
}

} // namespace

QString ImageSha256(const RadioImage& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), ImageMap::kImageSize);
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString ResultText(const ProgrammingRecord& record) {
    switch (record.result) {
    case ProgrammingResult::WrittenVerified:
        return QStringLiteral("written+verified");
    case ProgrammingResult::Written:
        return QStringLiteral("written");
    case ProgrammingResult::AlreadyProgrammed:
        return QStringLiteral("already programmed");
    case ProgrammingResult::WrongTarget:
        return QStringLiteral("skipped: wrong target");
    case ProgrammingResult::Failed:
        break;
    }
    return QStringLiteral("failed: ") + record.failure;
}

QStringList ProgrammingLogFields() {
    QStringList names;
    for (const char* name : kFields)
        names << QString::fromLatin1(name);
    return names;
}

ProgrammingLog::ProgrammingLog(const QString& path, LogFormat format)
    : m_file(path), m_format(format) {}

bool ProgrammingLog::open(QString* error) {
    QString reason;
    if (!OpenRegularFileToAppend(m_file, &reason)) {
        *error = QStringLiteral("%1: cannot open the log (%2)").arg(m_file.fileName(), reason);
        return false;
    }
    if (m_format == LogFormat::Csv && m_file.size() == 0)
        return writeLine(CsvLine(ProgrammingLogFields()), error);
    return true;
}

bool ProgrammingLog::append(const ProgrammingRecord& record, QString* error) {
    const QMutexLocker lock(&m_mutex);
    return writeLine(m_format == LogFormat::Csv ? CsvLine(FieldTexts(record)) : JsonLine(record),
                     error);
}

bool ProgrammingLog::writeLine(const QString& line, QString* error) {
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (m_file.write(bytes) == bytes.size() && m_file.flush())
        return true;
    *error = QStringLiteral("%1: cannot write the log (%2)").arg(m_file.fileName(), m_file.errorString());
    return false;
}

bool ReadProgrammingLog(const QString& path, std::vector<LogLine>* lines, int* unreadable,
                        QString* error) {
    QByteArray bytes;
    QString reason;
    if (!ReadRegularFile(path, kMaxLogBytes, &bytes, &reason)) {
        *error = QStringLiteral("%1: cannot open the log (%2)").arg(path, reason);
        return false;
    }
    lines->clear();
    *unreadable = 0;
    const QByteArray header = CsvLine(ProgrammingLogFields()).toUtf8();
    if (bytes.startsWith(header))
        return ReadCsvLog(QString::fromUtf8(bytes), lines, unreadable);
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        LogLine fields;
        if (ReadJsonLine(line, &fields))
            lines->push_back(fields);
        else
            ++*unreadable;
    }
    return true;
}
