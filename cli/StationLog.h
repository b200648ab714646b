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
    // Opens the files the options name for the lines of writing `image` (named by the
    // SHA-256 of its bytes as loaded, before its calibration is clamped); false, with the
    // error printed, when one cannot be opened.
    bool open(const QCommandLineParser& parser, const RadioImage& image);
};
