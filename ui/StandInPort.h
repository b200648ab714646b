#pragma once
// The device of the window program's next exchange on `portName` (Read, Write and the
// alignment reads and writes). When the chosen COM number's device is missing and one
// USB serial device could stand in, the user is asked first, naming both devices; the
// question's "Always use it" box is kept in the per-user store, and from then on the
// stand-in is used with only a status-bar note. No keeps the chosen device (the exchange
// then says it cannot open it).

#include <QString>
#include <functional>

class QWidget;

// `showNote` gets the status-bar note when the stand-in is used.
QString AskExchangeDevice(QWidget* parent, const QString& portName,
                          const std::function<void(const QString&)>& showNote);
