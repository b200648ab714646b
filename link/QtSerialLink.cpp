#include "link/QtSerialLink.h"

#include "link/PortPermission.h"
#include "link/SerialTrace.h"
#include "radio/OwnTexts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Errors after which the line is gone: a pulled cable or a device that went away.
// Time-outs, and the modem-line calls that pseudo-terminals reject, are not failures.
bool IsLineFailure(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::NotOpenError:
    case QSerialPort::DeviceNotFoundError:
        return true;
    default:
        return false;
    }
}

enum class OpenFailure { NoSuchDevice, NoPermission, Busy, Other };

OpenFailure ClassifyOpenFailure(const QString& device, QSerialPort::SerialPortError error) {
#ifdef Q_OS_UNIX
    // A device path can be checked directly; a lock file or another program's exclusive
    // open shows up as a permission error although the file itself is accessible.
    const QString path = device.contains(u'/') ? device : QStringLiteral("/dev/") + device;
    if (!QFileInfo::exists(path))
        return OpenFailure::NoSuchDevice;
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
        return OpenFailure::NoPermission;
    if (error == QSerialPort::PermissionError)
        return OpenFailure::Busy;
    return OpenFailure::Other;
#else
    if (error == QSerialPort::DeviceNotFoundError)
        return OpenFailure::NoSuchDevice;
    if (error == QSerialPort::PermissionError)
        return OpenFailure::Busy;
    return OpenFailure::Other;
#endif
}

// The device's own path: two names of one device (a symbolic link and its target) must
// meet at one device lock, which the port takes by name.
QString ResolvedDevice(const QString& device) {
#ifdef Q_OS_UNIX
    const QString path = device.contains(u'/') ? device : QStringLiteral("/dev/") + device;
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? device : resolved;
#else
    return device;
#endif
}

} // namespace

QString DescribeOpenFailure(const QString& device, QSerialPort::SerialPortError error,
                            const QString& systemText) {
    switch (ClassifyOpenFailure(device, error)) {
    case OpenFailure::NoSuchDevice:
        return OwnText("%1: no such device (is the cable or USB adapter plugged in, and "
                              "is this the right port?)")
            .arg(device);
    case OpenFailure::NoPermission:
        return PermissionAdvice(device);
    case OpenFailure::Busy:
        return OwnText("%1: the device is busy: another program has it open (%2)")
            .arg(device, systemText);
    case OpenFailure::Other:
        break;
    }
    return QStringLiteral("%1: %2").arg(device, systemText);
}

QtSerialLink::QtSerialLink(std::shared_ptr<TraceFile> trace) : m_trace(std::move(trace)) {}

QtSerialLink::~QtSerialLink() {
    closePort();
}

bool QtSerialLink::open(const QString& device, QString* errorDetail) {
    QString detail;
    const bool opened = openPort(device, &detail);
    if (m_trace)
        m_trace->note(opened ? QStringLiteral("open %1").arg(device)
                             : QStringLiteral("cannot open %1: %2").arg(device, detail));
    if (errorDetail && !opened)
        *errorDetail = detail;
    return opened;
}

void QtSerialLink::close() {
    if (m_trace && m_port.isOpen())
        m_trace->note(QStringLiteral("close"));
    closePort();
}

LinkRead QtSerialLink::read(int count) {
    const LinkRead result = readPort(count);
    if (m_trace)
        m_trace->received(result, count);
    return result;
}

bool QtSerialLink::write(const QByteArray& bytes) {
    if (m_trace)
        m_trace->bytes('>', bytes);
    const bool written = writePort(bytes);
    if (m_trace && !written)
        m_trace->line(QStringLiteral("> (the write failed)"));
    return written;
}

bool QtSerialLink::openPort(const QString& device, QString* errorDetail) {
    closePort();
    m_port.setPortName(ResolvedDevice(device));
    if (m_port.open(QIODevice::ReadWrite))
        return true;
    if (errorDetail)
        *errorDetail = DescribeOpenFailure(device, m_port.error(), m_port.errorString());
    return false;
}

void QtSerialLink::closePort() {
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool QtSerialLink::isOpen() const {
    return m_port.isOpen();
}

void QtSerialLink::configure(const LinkTimeouts& timeouts) {
    m_timeouts = timeouts;
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.clearError(); // pseudo-terminals reject some line settings; that is harmless
}

void QtSerialLink::purge() {
    // Every write has been handed to the system before the exchange purges, so the only
    // bytes an output purge could still catch are ones on their way: in a pseudo-
    // terminal's queue or a USB adapter's buffer. Dropping those would lose a greeting
    // byte on a busy machine, so only the receive side is emptied.
    m_port.clear(QSerialPort::Input);
}

int QtSerialLink::clearReceive() {
    m_port.waitForReadyRead(0); // what the system holds counts too
    const int discarded = static_cast<int>(m_port.bytesAvailable());
    m_port.clear(QSerialPort::Input);
    return discarded;
}

bool QtSerialLink::waitForBytes(int ms, bool* arrived) {
    m_port.clearError();
    *arrived = m_port.waitForReadyRead(ms);
    return *arrived || !IsLineFailure(m_port.error());
}

LinkRead QtSerialLink::readPort(int count) {
    LinkRead result;
    if (!m_port.isOpen()) {
        result.failed = true;
        return result;
    }
    QElapsedTimer clock;
    clock.start();
    const qint64 totalMs = m_timeouts.readTotalMs(count);
    qint64 lastByteAt = -1;
    while (result.bytes.size() < count) {
        if (m_port.bytesAvailable() > 0) {
            result.bytes += m_port.read(count - result.bytes.size());
            lastByteAt = clock.elapsed();
            continue;
        }
        qint64 waitMs = totalMs - clock.elapsed();
        if (lastByteAt >= 0)
            waitMs = std::min(waitMs, lastByteAt + m_timeouts.interByteMs - clock.elapsed());
        if (waitMs <= 0) {
            // Time is up, but this thread may have woken late on a busy machine: bytes
            // the system already holds still count, as a serial driver would count them.
            m_port.waitForReadyRead(0);
            if (m_port.bytesAvailable() > 0)
                continue;
            break;
        }
        bool arrived = false;
        if (!waitForBytes(static_cast<int>(waitMs), &arrived)) {
            result.failed = true;
            break;
        }
    }
    return result;
}

bool QtSerialLink::writePort(const QByteArray& bytes) {
    if (!m_port.isOpen())
        return false;
    m_port.clearError();
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Hands the bytes to the system; flush() as well would make this wait its whole time.
    return m_port.waitForBytesWritten(m_timeouts.writeTotalMs(static_cast<int>(bytes.size())));
}

void QtSerialLink::sleep(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}
