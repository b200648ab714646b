#pragma once
// What chprog settings and chprog calibration print, as values, for commands that
// compare or summarise images.

#include "document/ChannelEdit.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QString>
#include <utility>
#include <vector>

// The settings as chprog settings prints them: (name, value) in its order.
std::vector<std::pair<QString, QString>> SettingValues(const RadioImage& image, Language language);

// One row of chprog calibration: the point in MHz and its three values.
struct CalibrationRow {
    int megahertz = 0;
    int low = 0;
    int high = 0;
    int squelch = 0;
};
std::vector<CalibrationRow> CalibrationRows(const RadioImage& image, BandLimits band);
