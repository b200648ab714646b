#pragma once
// The programming log of write and clone: --log (JSON Lines), --log-csv and --operator.

#include "link/DetectedPorts.h"
#include "link/FleetLog.h"

#include <QCommandLineParser>

// --log, --log-csv and --operator.
void AddLogOptions(QCommandLineParser& parser);

// The log files of one command, as its options name them.
class StationLog : public FleetLog {
public:
    // Opens the files the options name; false (with `error`) when one cannot be opened.
    bool open(const QCommandLineParser& parser, QString* error);
};
