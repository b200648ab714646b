#pragma once
// Shared pieces of the chprog commands that talk to a radio (read, write, clone): the
// port option, the progress bar, the outcome message, the backup of every image.

#include "Backups.h"
#include "ExchangeOutcome.h"
#include "ProgrammingExchange.h"

#include <QCommandLineParser>
#include <QString>

QCommandLineOption PortOption();
QCommandLineOption ConfigOption();
QCommandLineOption TraceOption();

// The device to open: --port as typed, or the device its COM number maps to. Also
// points appConfig() at the Program.ini of --config and opens the --trace file.
// False (after a message) when --port is missing or the trace cannot be opened.
bool TakeDevice(const QCommandLineParser& parser, QString* device);

// "Reading [#########           ]  45%" redrawn in place on standard error.
void DrawProgress(const char* verb, int done, int total);

// The command line has no one to ask: a failed handshake ends the exchange.
ExchangeCallbacks CommandLineCallbacks(const char* verb);

// 0 on success; otherwise prints the exchange's message and returns 1.
int ReportOutcome(const ExchangeOutcome& outcome);

// Keeps `image` in the backups folder of the Program.ini in use; a failure is only a
// warning on standard error.
void KeepBackup(const RadioImage& image, BackupKind kind);
