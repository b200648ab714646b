#pragma once
// The serial devices the system has right now, as QSerialPortInfo reports them, and
// what the program makes of them: which COM number stands for which device, how a
// device is shown to the user, and the stand-in used when the chosen COM number's
// device is missing but exactly one USB serial adapter is plugged in.

#include "radio/Language.h"

#include <QList>
#include <QString>
#include <functional>

struct DetectedPort {
    QString device; // full path, /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
    bool isUsb = false; // vendorId and productId are known
    quint16 vendorId = 0;
    quint16 productId = 0;

    // "067b:2303" for a USB device, empty otherwise.
    QString usbId() const;
    // "/dev/ttyUSB0 - USB-Serial Controller", or the device alone without a description.
    QString label() const;
};

// The ports of the system (or of the lister tests installed).
QList<DetectedPort> DetectedPorts();
using PortLister = std::function<QList<DetectedPort>()>;
// Replaces the system's list, for tests; an empty lister restores it.
void SetPortLister(PortLister lister);

// The port of `ports` that is `device` (symbolic links followed), or nullptr.
const DetectedPort* FindPort(const QList<DetectedPort>& ports, const QString& device);

// "COM1", "COM1,COM3" or "": the COM numbers whose mapping in `iniPath` opens `device`.
QString ComNamesOf(const QString& device, const QString& iniPath);

// One line of `chprog ports`: device, description, manufacturer, serial number,
// USB vendor:product and the COM names, TAB-separated (empty fields stay empty).
QString PortListLine(const DetectedPort& port, const QString& comNames);

// The device an exchange opens for `portName`. When the port is a COM number whose
// device does not exist and exactly one USB serial device is present, that device is
// used instead and `note` says so; a device path (Other…, --port) is always used as
// typed. `exists` checks a device path (overridable for tests).
struct ExchangeDevice {
    QString device;
    QString note; // empty unless a stand-in is used
};
// `iniPath` is the Program.ini with the COM mapping; `language` that of the note.
ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath, Language language,
                                 const QList<DetectedPort>& ports,
                                 const std::function<bool(const QString&)>& exists);
// The same with the system's ports and the file system.
ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath,
                                 Language language);
