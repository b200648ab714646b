#pragma once
// What two images differ in, as values: the channel fields the channel grid would show
// differently, the settings by name, the product type and band, the calibration points
// of the first image's band, and any byte none of those accounts for. The words are the
// callers': chprog diff prints lines, the window's preview a list.

#include "radio/Band.h"
#include "radio/Channel.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QString>
#include <cstdint>
#include <vector>

// One row of chprog calibration: the point in MHz and its three values.
struct CalibrationRow {
    int megahertz = 0;
    int low = 0;
    int high = 0;
    int squelch = 0;
};
std::vector<CalibrationRow> CalibrationRows(const RadioImage& image, BandLimits band);

// One field of one channel (1..16), with the whole channel on both sides so that the
// field can be worded as the grid words it.
struct ChannelDifference {
    int channel = 0;
    ChannelField field = ChannelField::RxFrequency;
    Channel before;
    Channel after;
};

// A setting by its name, valued as its dialog shows it.
struct SettingDifference {
    QString name;
    QString before;
    QString after;
};

// The product type or band, as the Program.ini names them.
struct ProductDifference {
    enum class Part { Type, Band };
    Part part = Part::Type;
    QString before;
    QString after;
};

struct CalibrationDifference {
    enum class Value { Low, High, Squelch };
    int megahertz = 0;
    Value value = Value::Low;
    int before = 0;
    int after = 0;
};

struct ByteDifference {
    int address = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

struct ImageComparison {
    std::vector<ChannelDifference> channels;
    std::vector<SettingDifference> settings;
    std::vector<ProductDifference> product;
    std::vector<CalibrationDifference> calibration;
    std::vector<ByteDifference> bytes;

    bool isEmpty() const {
        return channels.empty() && settings.empty() && product.empty() && calibration.empty() &&
               bytes.empty();
    }
};

// From `a` to `b`; settings valued in `language`, model and band named by the Program.ini
// at `iniPath`.
ImageComparison CompareImages(const RadioImage& a, const RadioImage& b, Language language,
                              const QString& iniPath);
