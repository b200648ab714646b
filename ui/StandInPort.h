#pragma once
// The device of the window program's next exchange on `portName` (Read, Write and the
// alignment reads and writes). When the chosen COM number's device is missing and one
// USB serial device could stand in, the user is asked first, naming both devices; the
// question's "Always use it" box is kept in the per-user store of `iniFilePath`, and
// from then on the stand-in is used with only a status-bar note. No keeps the chosen
// device (the exchange then says it cannot open it).

#include "radio/Language.h"

#include <QString>

class Prompts;
class QWidget;

struct ExchangeDeviceChoice {
    QString device;
    QString note; // for the status bar when the stand-in is used, else empty
};

ExchangeDeviceChoice AskExchangeDevice(const Prompts& prompts, QWidget* parent,
                                       const QString& portName, Language language,
                                       const QString& iniFilePath);
