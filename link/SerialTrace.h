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
// trace. The window program and chprog take the file with --trace FILE.

#include "SerialLink.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <memory>

class TraceFile {
public:
    explicit TraceFile(const QString& path);

    // Opens the file for appending; false with `error` set when it cannot.
    bool open(QString* error);

    void note(const QString& text);                      // "# <wall clock> text"
    void bytes(char direction, const QByteArray& bytes); // "12.345 > 52 01 00 08"
    void line(const QString& text);                      // "12.345 text"

private:
    void append(const QString& text);

    QMutex m_mutex; // exchanges run on worker threads
    QFile m_file;
    QElapsedTimer m_clock;
};

// A SerialLink that passes everything to `inner` and writes the bytes to `trace`.
class TracingLink : public SerialLink {
public:
    TracingLink(std::unique_ptr<SerialLink> inner, TraceFile& trace);

    bool open(const QString& device, QString* errorDetail) override;
    void close() override;
    bool isOpen() const override;
    void configure(const LinkTimeouts& timeouts) override;
    void purge() override;
    int clearReceive() override;
    LinkRead read(int count) override;
    bool write(const QByteArray& bytes) override;
    void sleep(int ms) override;

private:
    std::unique_ptr<SerialLink> m_inner;
    TraceFile& m_trace;
};

// The serial link of an exchange: a QtSerialLink, traced into `trace` when there is one.
// Create it in the thread that runs the exchange.
std::unique_ptr<SerialLink> NewSerialLink(const std::shared_ptr<TraceFile>& trace);
