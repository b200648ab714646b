#pragma once
// A scripted serial link for the exchange tests. Every write goes to `radio`, a
// function standing in for the radio, whose answer is queued for the next reads.
// Nothing waits: reads return what is queued, and the time a real port would have spent
// (pauses, time-outs) is added to `elapsedMs` instead.

#include "link/SerialLink.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <utility>

class FakeLink : public SerialLink {
public:
    // The radio: given the bytes of one write, returns what it sends back.
    std::function<QByteArray(const QByteArray&)> radio;

    // Faults of the line itself.
    QString openFailure;   // when set, open() fails with this detail
    int failNextReads = 0; // that many reads report a failed line

    // What the exchange did.
    QList<QByteArray> writes;
    int opens = 0;
    int closes = 0;
    qint64 elapsedMs = 0;
    LinkTimeouts timeouts{0, 0, 0, 0, 0};

    bool open(const QString& device, QString* errorDetail) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void configure(const LinkTimeouts& linkTimeouts) override { timeouts = linkTimeouts; }
    void purge() override { m_received.clear(); }
    int clearReceive() override { return static_cast<int>(std::exchange(m_received, {}).size()); }
    LinkRead read(int count) override;
    bool write(const QByteArray& bytes) override;
    void sleep(int ms) override { elapsedMs += ms; }

    // All writes after the first `skip`, as hexadecimal frames: "52 00 00 08".
    QStringList writtenFrames(int skip = 0) const;

private:
    bool m_open = false;
    QByteArray m_received;
};

// "52 00 00 08" for the bytes 52 00 00 08.
QString Hex(const QByteArray& bytes);
