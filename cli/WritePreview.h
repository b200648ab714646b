#pragma once
// The look before a write (chprog write --preview, chprog restore): the lines chprog diff
// prints from what the radio holds to what the write would leave in it, and the question
// whether to go on. The question is asked on the terminal only; --yes answers it before.

#include "radio/RadioImage.h"

#include <QCommandLineParser>
#include <QString>

QCommandLineOption YesOption();

// False (after a message naming `command`) when the question cannot be asked: standard
// input is not a terminal and --yes was not given.
bool CanConfirm(const QString& command, const QCommandLineParser& parser);

// One "warning: CH 3 Rx Frequency: outside the band (...)" line on standard error for
// each stored frequency of `image` that typing would refuse: outside the band its model
// and band name in the Program.ini at `iniPath`, or off the channel step. They are
// written all the same.
void WarnFrequencyFaults(const RadioImage& image, const QString& iniPath);

enum class Confirmation { Write, NothingToChange, Declined };

// Prints the changes a write of `image` makes to the radio holding `held`, in the model
// and band texts of the Program.ini at `iniPath`, and asks "Write these changes? [y/N]"
// unless `yes`. Nothing to change is said, and nothing is asked.
Confirmation ConfirmChanges(const RadioImage& held, const RadioImage& image, bool alignment,
                            bool yes, const QString& iniPath);
