#pragma once
// SerialLink over a real serial device with QSerialPort, in blocking mode, writing every
// byte to a serial trace when it is given one (SerialTrace.h).
// Create, use and destroy it in the thread that runs the exchange.

#include "link/SerialLink.h"

#include <QSerialPort>
#include <memory>

class TraceFile;

class QtSerialLink : public SerialLink {
public:
    explicit QtSerialLink(std::shared_ptr<TraceFile> trace = nullptr);
    ~QtSerialLink() override;

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
    bool openPort(const QString& device, QString* errorDetail);
    void closePort();
    LinkRead readPort(int count);
    bool writePort(const QByteArray& bytes);
    // Waits up to `ms` for more bytes; false when the line failed.
    bool waitForBytes(int ms, bool* arrived);

    std::shared_ptr<TraceFile> m_trace; // null: no trace
    QSerialPort m_port;
    LinkTimeouts m_timeouts{30, 500, 90, 50, 50};
};

// Words for a failed open: "/dev/ttyUSB0: no permission ..." naming the device and
// the reason (no such device, no permission, busy) in terms a user can act on.
QString DescribeOpenFailure(const QString& device, QSerialPort::SerialPortError error,
                            const QString& systemText);
