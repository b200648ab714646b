#pragma once
// A frequency band of the radio: the inclusive range of channel frequencies it accepts,
// in units of 10 Hz (146.52 MHz is 14652000).

struct BandLimits {
    long long low = 0;
    long long high = 0;
};

// The highest frequency the eight BCD digits of a channel record hold: 999.99999 MHz.
constexpr long long kHighestFrequencyUnits = 99999999;
