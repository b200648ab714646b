#pragma once
// A serial trace for bug reports: every byte sent and received, with a time stamp in
// seconds (to the millisecond) and its direction, appended to a file:
//
//   # 2026-12-07 18:30:00.123 open /dev/ttyUSB0
//   0.004 > 02
//   0.011 > 50
//   ...
//   0.310 < 06
//   0.931 < (nothing within the time-out)
//
// ">" is sent to the radio, "<" received from it. Time counts from the start of the
// trace. The window program and chprog take the file with --trace FILE; QtSerialLink
// writes to it when it is given one.
//
// A trace that cannot be written (a full disk, an I/O error) never fails the exchange:
// the first write or flush that fails is told once, through the report the owner gave,
// and the trace stops there.

#include "link/SerialLink.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <functional>

class TraceFile {
public:
    // How the owner tells the user that the trace is incomplete (standard error).
    using FailureReport = std::function<void(const QString& message)>;

    // Without a report of its own, the failure is a warning on standard error.
    explicit TraceFile(const QString& path, FailureReport report = nullptr);

    // Opens the file for appending (a regular file, made when missing); false with
    // `error` set when it cannot.
    bool open(QString* error);

    void note(const QString& text);                      // "# <wall clock> text"
    void bytes(char direction, const QByteArray& bytes); // "12.345 > 52 01 00 08"
    void line(const QString& text);                      // "12.345 text"
    // What a read of `count` bytes brought: the bytes, then a failure or a short read.
    void received(const LinkRead& result, int count);

private:
    void append(const QString& text);
    void fail();

    QMutex m_mutex; // exchanges run on worker threads
    const QString m_path;
    QFile m_file;
    QElapsedTimer m_clock;
    FailureReport m_report;
    bool m_failed = false;
};
