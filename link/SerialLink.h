#pragma once
// The serial line to the radio, as the exchanges see it: open, configure, purge, timed
// reads and writes. QtSerialLink drives a real port; the tests drive a scripted fake.
//
// A link is used by one thread only: the thread that runs the exchange (a worker thread
// in the window program) creates it, opens it and closes it.

#include <QByteArray>
#include <QString>

// The time-outs of one kind of exchange, in milliseconds.
//
// A read of n bytes returns as soon as n bytes have arrived, or `interByteMs` after the
// last byte once at least one byte has arrived, or after readConstantMs +
// readPerByteMs x n in all. It returns what arrived, possibly nothing; running out of
// time is not an error. A write of n bytes may take writeConstantMs + writePerByteMs x n.
struct LinkTimeouts {
    int interByteMs;
    int readPerByteMs;
    int readConstantMs;
    int writePerByteMs;
    int writeConstantMs;

    int readTotalMs(int count) const { return readConstantMs + readPerByteMs * count; }
    int writeTotalMs(int count) const { return writeConstantMs + writePerByteMs * count; }
};

// The outcome of one timed read: the bytes that arrived, and whether the line itself
// failed (a pulled cable, a device that went away) as opposed to merely running out
// of time.
struct LinkRead {
    QByteArray bytes;
    bool failed = false;
};

class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens `device` for exclusive reading and writing. On failure `errorDetail` (when
    // given) names the device and the system's reason in words a user can act on.
    virtual bool open(const QString& device, QString* errorDetail) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // 9600 baud, 8 data bits, no parity, 1 stop bit, raw bytes, and the time-outs of
    // the exchange. Like the radio's own software, callers do not check the result.
    virtual void configure(const LinkTimeouts& timeouts) = 0;

    // Discards what is queued in both directions. Bytes already written count as sent:
    // a link must not drop them, even where the system could still take them back.
    virtual void purge() = 0;
    // Discards what has been received and not read yet; returns how many bytes that was.
    virtual int clearReceive() = 0;

    // Reads up to `count` bytes with the time-outs given to configure().
    virtual LinkRead read(int count) = 0;
    // Sends `bytes`; false when the line failed or the write timed out.
    virtual bool write(const QByteArray& bytes) = 0;

    // Pauses the exchange; the fake link only counts the time.
    virtual void sleep(int ms) = 0;
};
