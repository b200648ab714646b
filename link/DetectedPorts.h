#pragma once
// The serial devices the system has right now, as QSerialPortInfo reports them, and
// what the program makes of them: which COM number stands for which device, how a
// device is shown to the user, and the stand-in offered when the chosen COM number's
// device is missing but exactly one USB serial adapter is plugged in.

#include "radio/Language.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct DetectedPort {
    QString device;   // full path: /dev/ttyUSB0; on Windows \\.\COM3
    QString portName; // the system's short name: ttyUSB0; on Windows COM3
    QString description;
    QString manufacturer;
    QString serialNumber;
    bool isUsb = false; // vendorId and productId are known
    quint16 vendorId = 0;
    quint16 productId = 0;

    // "067b:2303" for a USB device, empty otherwise.
    QString usbId() const;
    // "/dev/ttyUSB0 - USB-Serial Controller" ("COM3 - ..." for a Windows COM port), or the
    // name alone without a description.
    QString label() const;
    // The COM number the system itself gives the port (Windows), else 0.
    int comNumber() const;
};

// The ports of the system (or of the lister tests installed).
QList<DetectedPort> DetectedPorts();
using PortLister = std::function<QList<DetectedPort>()>;
// Replaces the system's list, for tests; an empty lister restores it.
void SetPortLister(PortLister lister);

// The port of `ports` that is `device` (symbolic links followed), or nullptr.
const DetectedPort* FindPort(const QList<DetectedPort>& ports, const QString& device);

// The USB serial number and vendor:product of the cable at `device`, where the system
// reports them (a programming log names the cable a radio was on by them).
struct Cable {
    QString usbSerial;
    QString usbId;
};
Cable CableAt(const QString& device);

// "COM1", "COM1,COM3" or "": the COM numbers whose mapping in `iniPath` opens `device`.
QString ComNamesOf(const QString& device, const QString& iniPath);
// The COM names of a detected port: its own COM name where the system gives it one
// (Windows: systemLocation() is \\.\COM3, so the name is compared by portName()),
// else those the mapping gives its device.
QString ComNamesOf(const DetectedPort& port, const QString& iniPath);

// One line of `chprog ports`: device, description, manufacturer, serial number,
// USB vendor:product and the COM names, TAB-separated (empty fields stay empty).
QString PortListLine(const DetectedPort& port, const QString& comNames);

// The one USB serial device among `ports`, or nullptr when there is none or more.
const DetectedPort* OnlyUsbPort(const QList<DetectedPort>& ports);

// The device an exchange opens for `portName`: a device path (Other…, --port) as typed,
// a COM number as Program.ini maps it. When a COM number's device does not exist and
// exactly one USB serial device is present, `standIn` is that device; it is never used
// unasked: the window program asks first (or the user told it to always use it), and
// chprog names it and stops. `exists` checks a device path (overridable for tests).
struct ExchangeDevice {
    QString device;
    std::optional<DetectedPort> standIn;
};
// `iniPath` is the Program.ini with the COM mapping.
ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath,
                                 const QList<DetectedPort>& ports,
                                 const std::function<bool(const QString&)>& exists);
// The same with the system's ports and the file system.
ExchangeDevice DeviceForExchange(const QString& portName, const QString& iniPath);

// The window program's question before it uses `chosen.standIn`, naming the missing
// device and the stand-in with its description.
QString StandInQuestion(const QString& portName, const ExchangeDevice& chosen, Language language);
// The window program's status-bar note when it uses the stand-in.
QString StandInNote(const ExchangeDevice& chosen, Language language);
