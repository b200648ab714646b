#pragma once
// The differences between two images (document/ImageDifferences.h) as chprog diff prints
// them, one TAB-separated line each, named as the channel grid, chprog settings, the
// Product Information dialog and chprog calibration name them; any byte none of those
// accounts for is listed by address. chprog write --preview and chprog restore show the
// same lines.

#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QString>
#include <QStringList>

// The lines from `a` to `b`, in the model and band texts of the Program.ini at `iniPath`.
QStringList ImageDifferences(const RadioImage& a, const RadioImage& b, Language language,
                             const QString& iniPath);
