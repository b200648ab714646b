#pragma once
// The programming log of write and clone: --log (JSON Lines), --log-csv and --operator,
// and what a line says of the cable a radio was on.

#include "files/ProgrammingLog.h"
#include "radio/RadioImage.h"

#include <QCommandLineParser>
#include <memory>
#include <vector>

// --log, --log-csv and --operator.
void AddLogOptions(QCommandLineParser& parser);

// The USB serial number and vendor:product of the cable at `device`, where the system
// reports them.
struct Cable {
    QString usbSerial;
    QString usbId;
};
Cable CableAt(const QString& device);

// The log files of one command; without --log and --log-csv it writes nothing.
class StationLog {
public:
    // Opens the files the options name; false (with `error`) when one cannot be opened.
    bool open(const QCommandLineParser& parser, QString* error);
    bool isOpen() const { return !m_logs.empty(); }

    // A record with the time now, the operator and the image's SHA-256 filled in.
    ProgrammingRecord record() const;
    // Appends to every file; false (with `error`) when one could not be written.
    bool append(const ProgrammingRecord& record, QString* error);

    // The image file to write, as loaded (before its calibration is clamped): the log
    // names it by the SHA-256 of its bytes, which is that of the .dat file.
    void setImage(const RadioImage& image);

private:
    std::vector<std::unique_ptr<ProgrammingLog>> m_logs;
    QString m_operator;
    QString m_imageSha256;
};
