#pragma once
// The programming log files of a station run: every line goes to each file, with the
// operator and the image written filled in. Without a file it writes nothing.

#include "files/ProgrammingLog.h"
#include "radio/RadioImage.h"

#include <memory>
#include <vector>

class FleetLog {
public:
    // Opens `path` to append; false (with `error`) when it cannot be opened.
    bool addFile(const QString& path, LogFormat format, QString* error);
    bool isOpen() const { return !m_logs.empty(); }

    void setOperator(const QString& name) { m_operator = name; }
    // The image file to write, as loaded (before its calibration is clamped): the log
    // names it by the SHA-256 of its bytes, which is that of the .dat file.
    void setImage(const RadioImage& image);

    // A record with the time now, the operator and the image's SHA-256 filled in.
    ProgrammingRecord record() const;
    // Appends to every file; false (with `error`) when one could not be written.
    bool append(const ProgrammingRecord& record, QString* error);

private:
    std::vector<std::unique_ptr<ProgrammingLog>> m_logs;
    QString m_operator;
    QString m_imageSha256;
};
