#pragma once
// From a port choice to the device to open.
//
// The program keeps the user's port as a COM number and builds `portName` from it
// ("COM3", "\\.\COM12"). On Windows that name is the device. Elsewhere there are no
// COM names, so the numbers map to devices through the "Ports" section of
// Program.ini (keys "COM1".."COM4"), with defaults for a USB adapter, a second USB
// adapter, a USB modem-class device and the first built-in serial port. A name that
// holds a '/' is a device path (for example from --port) and is always used as typed.

#include <QString>

// The name of COM port `number`: "COM3"; "\\.\COM12" from 10 on, as Windows needs it.
QString PortNameForNumber(int number);

// The COM number a port name stands for ("COM3", "com3", "\\.\COM12" give 3, 3, 12);
// 0 when the name is not a COM name.
int PortNumberOfName(const QString& portName);

// The device the port name opens, reading the mapping from `iniPath`.
QString PortDevice(const QString& portName, const QString& iniPath);

// The built-in device of COM1..COM4 on systems without COM names; empty for others.
QString DefaultPortDevice(int number);
