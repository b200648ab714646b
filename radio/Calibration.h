#pragma once
// The radio's factory calibration: per band point one low-power and one high-power
// setting (Power Adjust) and one squelch offset (Sql Adjust). The image has room for
// 11 rows of each; a band with more points shows and stores only its first 11, so
// nothing is ever written outside the two tables.
//
// Reading a table applies the fill rules (a value out of range shows its default);
// storing applies the store rules and then normalises all 11 rows of that table.

#include "radio/Band.h"
#include "radio/RadioImage.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// The band points that have a calibration row: the first 11 points of the band.
std::vector<int> CalibrationPoints(BandLimits band);

// ---- Power ----

// Grid columns of the power table.
constexpr int kPowerColumnLow = 1;
constexpr int kPowerColumnHigh = 2;

struct PowerLimits {
    int minimum;
    int maximum;
    int defaultValue;
};
// The limits of kPowerColumnLow or kPowerColumnHigh.
PowerLimits PowerColumnLimits(int column);

struct PowerSetting {
    int low = ImageMap::kPowerLowDefault;
    int high = ImageMap::kPowerHighDefault;
};
using PowerTable = std::vector<PowerSetting>; // row k belongs to band point k

// The first `rows` rows (at most 11) as Power Adjust shows them.
PowerTable ReadPowerTable(const RadioImage& image, int rows);

// Writes the table's rows (at most 11) into the image, a value out of its column's
// range as the column's default, then normalises all 11 rows.
void StorePowerTable(const PowerTable& table, RadioImage& image);

// Store rule of a cell text: the leading integer, out of range -> the column's default.
int PowerFromCellText(int column, const QString& text);

// Cell editor rule: the leading integer (none gives 0) clamped to the nearest limit.
int ClampPowerEntry(int column, const QString& text);

// Every low byte outside 25..150 becomes 100, every high byte outside 128..250 200.
void NormalisePowerTable(RadioImage& image);

// ---- Squelch ----

using SquelchTable = std::vector<int>; // offsets -5..5, row k belongs to band point k

// Sign and magnitude: bit 7 is the sign, bits 0..6 the magnitude. A magnitude above 5
// reads as 0; an offset outside -5..5 is stored as 0.
int SquelchFromByte(std::uint8_t byte);
std::uint8_t SquelchToByte(int offset);

// The first `rows` rows (at most 11) as Sql Adjust shows them.
SquelchTable ReadSquelchTable(const RadioImage& image, int rows);

// Writes the table's rows (at most 11) into the image, then normalises all 11 rows.
void StoreSquelchTable(const SquelchTable& table, RadioImage& image);

// Store rule of a cell text: the leading integer (none gives 0).
int SquelchFromCellText(const QString& text);

// List editor rule: the leading integer (none gives 0) clamped to -5..5.
int ClampSquelchEntry(const QString& text);

// The list editor's items: "-5" .. "5".
QStringList SquelchChoices();

// Every byte whose magnitude exceeds 5 becomes 00.
void NormaliseSquelchTable(RadioImage& image);
