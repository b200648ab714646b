#pragma once
// The record of every radio a station programmed: one line per radio, appended to a JSON
// Lines file (--log) or a CSV file (--log-csv). The file is only ever appended to, each
// line with one write and a flush, so that a crash or a pulled plug never damages the
// lines before it; several workers may share one log.
//
//   {"time":"2026-12-09T10:15:02+01:00","port":"/dev/ttyUSB0","usb_serial":"A1B2",
//    "usb_id":"0403:6001","operator":"kim","fingerprint":"3fa2...","image_sha256":"9c1d...",
//    "result":"written+verified","backup":"/home/kim/.../20261209-101500-read.dat",
//    "duration_ms":14210}
//
// The CSV file has the same fields in the same order, under a header line.

#include "radio/RadioImage.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <vector>

// What became of one radio.
enum class ProgrammingResult { WrittenVerified, Written, AlreadyProgrammed, WrongTarget, Failed };

struct ProgrammingRecord {
    QDateTime time;
    QString port;
    QString usbSerial; // the cable's USB serial number, where the system reports one
    QString usbId;     // "0403:6001", where the system reports one
    QString operatorName;
    QString fingerprint; // RadioFingerprint of the radio as read; empty when not read
    QString imageSha256; // of the image file written
    ProgrammingResult result = ProgrammingResult::Failed;
    QString failure; // why, for Failed
    QString backup;  // the backup of the radio as it was before
    qint64 durationMs = 0;
};

// An image as a log names it: the SHA-256 of its bytes (those of its .dat file), in hex.
QString ImageSha256(const RadioImage& image);

// "written+verified", "written", "already programmed", "skipped: wrong target",
// "failed: <failure>".
QString ResultText(const ProgrammingRecord& record);

enum class LogFormat { JsonLines, Csv };

class ProgrammingLog {
public:
    ProgrammingLog(const QString& path, LogFormat format);

    // Opens the file to append (a regular file, made when missing); a CSV file that is
    // new or empty gets its header line. False with `error` naming the file and why.
    bool open(QString* error);
    // Appends the record's line; false with `error` set when it could not be written.
    bool append(const ProgrammingRecord& record, QString* error);

private:
    bool writeLine(const QString& line, QString* error);

    QMutex m_mutex;
    QFile m_file;
    LogFormat m_format;
};

// The log's field names, in their order: the JSON keys and the CSV header.
QStringList ProgrammingLogFields();

// One line of a log as field texts in the order of ProgrammingLogFields().
using LogLine = QStringList;

// Reads a log of either format (a CSV log starts with its header). A line that cannot be
// read (cut short by a crash of an older writer, edited by hand) is counted in
// `unreadable` and left out. False with `error` set when the file cannot be read.
bool ReadProgrammingLog(const QString& path, std::vector<LogLine>* lines, int* unreadable,
                        QString* error);
