#pragma once
// The radio's scan settings: priority mode and channel, the two look-back times, the
// revert channel, the dropout delay and the transmit dwell time. ScanInfo holds what
// the Scan Information dialog shows; the functions here are its rules: what it shows
// when it opens, how its spins step and its fields are pulled into range, and what
// OK writes.

#include "radio/Language.h"
#include "radio/ListSelection.h"
#include "radio/RadioImage.h"

#include <QString>
#include <QStringList>

// Items of the Priority list, also the stored codes.
constexpr int kPriorityNone = 0;
constexpr int kPriorityFixed = 1;
constexpr int kPrioritySelected = 2;

struct ScanInfo {
    int priority = kNoSelection; // index into PriorityItems()
    QString priorityChannel;     // the field's text (at most 2 characters)
    double lookBackTimeA = 0.0;  // seconds
    double lookBackTimeB = 0.0;
    int revertChannel = kNoSelection; // index into RevertChannelItems(priority)
    int dropoutDelayTime = 0;
    int txDwellTime = 0;
};

// "None", "Fixed", "Selected", the same in both languages.
QStringList PriorityItems();

// The revert choices that make sense for a priority mode. Without a priority
// selection the list of "Selected" is offered.
QStringList RevertChannelItems(int priority, Language language);

// Only a fixed priority channel has a channel number and look-back times.
bool PriorityFieldsEnabled(int priority);

// After the priority changes: the channel text goes when the fields are disabled,
// and the revert list, filled anew, has its first item selected.
void ApplyPriorityRules(ScanInfo& info);

// What the dialog shows when it opens on `image`.
ScanInfo ScanInfoFromImage(const RadioImage& image);

// What OK writes. A fixed priority needs the number at the start of the channel text
// to name a programmed channel; otherwise nothing is written and the result is false.
// Out-of-range numbers are pulled into their fields' ranges, never cut to a byte.
bool ScanInfoToImage(const ScanInfo& info, RadioImage& image);

// The refusal shown when OK finds no programmed priority channel.
QString PriorityChannelRefusal(Language language);

// A channel counts as programmed when the last byte of its receive frequency is
// neither 00 nor FF (the grid uses the same test).
bool IsChannelProgrammed(const RadioImage& image, int channel);

// Channel number shown right-aligned in two places (" 5"), and read back from the
// start of a text (leading blanks skipped, no digits giving 0).
QString PriorityChannelText(int channel);
int PriorityChannelNumber(const QString& text);

// Look-back times. Quantising cuts to the 0.05 s grid in decimal arithmetic, so that
// 0.55 stays 0.55 instead of falling to 0.5 through a binary rounding error.
double QuantiseLookBack(double seconds);
// One spin step: up (change > 0) past 5.0 wraps to 0.5, down below 0.5 wraps to 5.0.
double StepLookBack(double seconds, int change);
// Leaving the field: pulled into 0.5 .. 5.0 and quantised.
double ClampLookBack(double seconds);
// Shortest text with up to 15 significant digits: 0.5, 0.55, 5.
QString LookBackText(double seconds);
// The stored byte and back.
int LookBackCode(double seconds);
double LookBackFromCode(int code);

// Dropout delay and dwell time: spin steps wrap between 0 and 300, leaving the field
// clamps to 0 .. 300.
int StepScanDelay(int value, int change);
int ClampScanDelay(int value);

// Reading a typed field: the whole text (blanks around it aside) must be a number
// or an integer, else the field keeps its earlier value and the user is told.
bool ReadNumberText(const QString& text, double* value);
bool ReadIntegerText(const QString& text, int* value);
QString NumberRequiredMessage();
QString IntegerRequiredMessage();
