#pragma once
// The write of chprog write and chprog restore once the radio has been read (or, with
// write --force, has not): the changes and the question of --preview, the backup of the
// image, the write, and the read back. The log record says how it ended.

#include "files/ProgrammingLog.h"
#include "link/ExchangeOutcome.h"
#include "link/SerialLink.h"
#include "radio/RadioImage.h"

#include <QCommandLineParser>
#include <QString>

// The radio on the link, what it holds and what is to be written to it.
struct WriteJob {
    SerialLink& link;
    const QString& device;
    const RadioImage& held; // as read; a new image when the radio was not read
    const RadioImage& image;
};

struct WriteSteps {
    bool preview = false; // print the changes and ask first
    bool verify = false;  // read the written blocks back
};

// Runs the steps for `command` ("write", "restore"; its messages start with it) with the
// --alignment, --yes, --quiet and --config of `parser`. Returns the exit status.
int WriteToRadio(const QString& command, const WriteJob& job, WriteSteps steps,
                 const QCommandLineParser& parser, ProgrammingRecord* record);

// The record's result of a write that did not succeed; returns `status`.
int Failed(ProgrammingRecord* record, const QString& failure, int status);
