#include "radio/Calibration.h"

#include "radio/ProductInfo.h"
#include "radio/TextNumbers.h"

#include <algorithm>
#include <cstdlib>

using namespace ImageMap;

namespace {

int RowsInImage(int rows) {
    return std::clamp(rows, 0, kCalibrationRows);
}

bool InLimits(int value, const PowerLimits& limits) {
    return value >= limits.minimum && value <= limits.maximum;
}

int OrDefault(int value, const PowerLimits& limits) {
    return InLimits(value, limits) ? value : limits.defaultValue;
}

int LowByteOffset(int row) {
    return kPowerCalibration + 2 * row;
}
int HighByteOffset(int row) {
    return kPowerCalibration + 2 * row + 1;
}

} // namespace

std::vector<int> CalibrationPoints(BandLimits band) {
    return BandPoints(band, kCalibrationRows);
}

// ---- Power ----

PowerLimits PowerColumnLimits(int column) {
    if (column == kPowerColumnHigh)
        return {kPowerHighMin, kPowerHighMax, kPowerHighDefault};
    return {kPowerLowMin, kPowerLowMax, kPowerLowDefault};
}

PowerTable ReadPowerTable(const RadioImage& image, int rows) {
    const PowerLimits low = PowerColumnLimits(kPowerColumnLow);
    const PowerLimits high = PowerColumnLimits(kPowerColumnHigh);
    PowerTable table(RowsInImage(rows));
    for (int k = 0; k < static_cast<int>(table.size()); ++k) {
        table[k].low = OrDefault(image[LowByteOffset(k)], low);
        table[k].high = OrDefault(image[HighByteOffset(k)], high);
    }
    return table;
}

void StorePowerTable(const PowerTable& table, RadioImage& image) {
    const PowerLimits low = PowerColumnLimits(kPowerColumnLow);
    const PowerLimits high = PowerColumnLimits(kPowerColumnHigh);
    const int rows = RowsInImage(static_cast<int>(table.size()));
    for (int k = 0; k < rows; ++k) {
        image[LowByteOffset(k)] = static_cast<std::uint8_t>(OrDefault(table[k].low, low));
        image[HighByteOffset(k)] = static_cast<std::uint8_t>(OrDefault(table[k].high, high));
    }
    NormalisePowerTable(image);
}

int PowerFromCellText(int column, const QString& text) {
    return OrDefault(LeadingInt(text), PowerColumnLimits(column));
}

int ClampPowerEntry(int column, const QString& text) {
    const PowerLimits limits = PowerColumnLimits(column);
    return std::clamp(LeadingInt(text), limits.minimum, limits.maximum);
}

void NormalisePowerTable(RadioImage& image) {
    const PowerLimits low = PowerColumnLimits(kPowerColumnLow);
    const PowerLimits high = PowerColumnLimits(kPowerColumnHigh);
    for (int k = 0; k < kCalibrationRows; ++k) {
        image[LowByteOffset(k)] =
            static_cast<std::uint8_t>(OrDefault(image[LowByteOffset(k)], low));
        image[HighByteOffset(k)] =
            static_cast<std::uint8_t>(OrDefault(image[HighByteOffset(k)], high));
    }
}

// ---- Squelch ----

int SquelchFromByte(std::uint8_t byte) {
    const int magnitude = byte & ~kSquelchSignBit;
    if (magnitude > kSquelchMaxMagnitude)
        return 0;
    return (byte & kSquelchSignBit) ? -magnitude : magnitude;
}

std::uint8_t SquelchToByte(int offset) {
    if (std::abs(offset) > kSquelchMaxMagnitude)
        return 0x00;
    const auto magnitude = static_cast<std::uint8_t>(std::abs(offset));
    return offset < 0 ? static_cast<std::uint8_t>(magnitude | kSquelchSignBit) : magnitude;
}

SquelchTable ReadSquelchTable(const RadioImage& image, int rows) {
    SquelchTable table(RowsInImage(rows));
    for (int k = 0; k < static_cast<int>(table.size()); ++k)
        table[k] = SquelchFromByte(image[kSquelchCalibration + k]);
    return table;
}

void StoreSquelchTable(const SquelchTable& table, RadioImage& image) {
    const int rows = RowsInImage(static_cast<int>(table.size()));
    for (int k = 0; k < rows; ++k)
        image[kSquelchCalibration + k] = SquelchToByte(table[k]);
    NormaliseSquelchTable(image);
}

int SquelchFromCellText(const QString& text) {
    return LeadingInt(text);
}

int ClampSquelchEntry(const QString& text) {
    return std::clamp(LeadingInt(text), -kSquelchMaxMagnitude, kSquelchMaxMagnitude);
}

QStringList SquelchChoices() {
    QStringList choices;
    for (int offset = -kSquelchMaxMagnitude; offset <= kSquelchMaxMagnitude; ++offset)
        choices << QString::number(offset);
    return choices;
}

void NormaliseSquelchTable(RadioImage& image) {
    for (int k = 0; k < kCalibrationRows; ++k) {
        std::uint8_t& byte = image[kSquelchCalibration + k];
        if ((byte & ~kSquelchSignBit) > kSquelchMaxMagnitude)
            byte = 0x00;
    }
}
