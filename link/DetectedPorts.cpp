#include "link/DetectedPorts.h"

#include "radio/Language.h"
#include "link/PortNames.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

constexpr int kComNumbers = 4; // COM1..COM4 are the choices COM Setup offers

PortLister& InstalledLister() {
    static PortLister lister;
    return lister;
}

QList<DetectedPort> SystemPorts() {
    QList<DetectedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        DetectedPort port;
        port.device = info.systemLocation();
        port.portName = info.portName();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.isUsb = info.hasVendorIdentifier() && info.hasProductIdentifier();
        port.vendorId = info.vendorIdentifier();
        port.productId = info.productIdentifier();
        ports << port;
    }
    return ports;
}

// Two names of one device: /dev/serial/by-id links and the like lead to the same file.
QString Resolved(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

bool FileExists(const QString& device) {
    return QFileInfo::exists(device);
}

// Tabs or line breaks in a driver's texts would break the line format.
QString Field(QString text) {
    return text.replace(u'\t', u' ').replace(u'\n', u' ');
}

} // namespace

QString DetectedPort::usbId() const {
    if (!isUsb)
        return QString();
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

QString DetectedPort::label() const {
    const QString name = comNumber() > 0 ? QStringLiteral("COM%1").arg(comNumber()) : device;
    return description.isEmpty() ? name : name + QStringLiteral(" - ") + description;
}

int DetectedPort::comNumber() const {
    return PortNumberOfName(portName);
}

QList<DetectedPort> DetectedPorts() {
    return InstalledLister() ? InstalledLister()() : SystemPorts();
}

void SetPortLister(PortLister lister) {
    InstalledLister() = std::move(lister);
}

const DetectedPort* FindPort(const QList<DetectedPort>& ports, const QString& device) {
    const QString wanted = Resolved(device);
    const int comNumber = PortNumberOfName(device);
    for (const DetectedPort& port : ports) {
        if (port.device == device || Resolved(port.device) == wanted ||
            (comNumber > 0 && port.comNumber() == comNumber))
            return &port;
    }
    return nullptr;
}

Cable CableAt(const QString& device) {
    const QList<DetectedPort> ports = DetectedPorts();
    const DetectedPort* port = FindPort(ports, device);
    if (!port)
        return {};
    return {port->serialNumber, port->usbId()};
}

QString ComNamesOf(const QString& device, const QString& iniPath) {
    const QString wanted = Resolved(device);
    QStringList names;
    for (int number = 1; number <= kComNumbers; ++number) {
        const QString name = PortNameForNumber(number);
        if (Resolved(PortDevice(name, iniPath)) == wanted)
            names << name;
    }
    return names.join(u',');
}

QString ComNamesOf(const DetectedPort& port, const QString& iniPath) {
    if (port.comNumber() > 0)
        return QStringLiteral("COM%1").arg(port.comNumber());
    return ComNamesOf(port.device, iniPath);
}

QString PortListLine(const DetectedPort& port, const QString& comNames) {
    return QStringList{Field(port.device), Field(port.description), Field(port.manufacturer),
                       Field(port.serialNumber), port.usbId(), comNames}
        .join(u'\t');
}

const DetectedPort* OnlyUsbPort(const QList<DetectedPort>& ports) {
    const DetectedPort* onlyUsb = nullptr;
    for (const DetectedPort& port : ports) {
        if (!port.isUsb)
            continue;
        if (onlyUsb)
            return nullptr;
        onlyUsb = &port;
    }
    return onlyUsb;
}

ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath,
                                 const QList<DetectedPort>& ports,
                                 const std::function<bool(const QString&)>& exists) {
    ExchangeDevice result{PortDevice(portName, iniPath), std::nullopt};
    if (PortNumberOfName(portName) <= 0 || exists(result.device))
        return result;
    if (const DetectedPort* onlyUsb = OnlyUsbPort(ports))
        result.standIn = *onlyUsb;
    return result;
}

ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath) {
    return DeviceForExchange(portName, iniPath, DetectedPorts(), FileExists);
}

QString StandInQuestion(const QString& portName, const ExchangeDevice& chosen, Language language) {
    return Tr(language, "%1 (%2) is not there.\n\nUse %3, the one USB serial device, instead?",
              "%1（%2）不存在。\n\n改用唯一的 USB 串口設備 %3？")
        .arg(portName.toUpper(), chosen.device,
             chosen.standIn ? chosen.standIn->label() : QString());
}

QString StandInNote(const ExchangeDevice& chosen, Language language) {
    return Tr(language, "%1 is not there; using %2, the one USB serial device",
              "%1 不存在，改用唯一的 USB 串口設備 %2")
        .arg(chosen.device, chosen.standIn ? chosen.standIn->label() : QString());
}
