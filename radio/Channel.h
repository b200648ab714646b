#pragma once
// One channel as typed values: what a channel record of the image means, without the
// words of any language. ChannelRecord reads and writes it field by field.

#include "radio/ToneCodes.h"

#include <bitset>

// A channel frequency in units of 10 Hz (146.52 MHz is 14652000); 0 is no frequency.
struct Frequency {
    long long units = 0;

    bool isEmpty() const { return units == 0; }
    bool operator==(const Frequency& other) const { return units == other.units; }
    bool operator!=(const Frequency& other) const { return units != other.units; }
};

// A decode or encode tone as the image stores it: the raw code, so that a code no tone
// list offers is carried unchanged. A high byte of 00 or FF means no tone.
struct Tone {
    ToneCode code;

    bool isStored() const { return IsToneStored(code.high); }
    bool operator==(const Tone& other) const {
        return code.low == other.code.low && code.high == other.code.high;
    }
    bool operator!=(const Tone& other) const { return !(*this == other); }
};

enum class Power { Low, High };
enum class BusyLock { Off, Carrier, Tone };
enum class Bandwidth { Narrow, Wide };

// The fields of a channel, in the order of the channel grid's columns 1..9.
enum class ChannelField {
    RxFrequency,
    TxFrequency,
    DecodeTone,
    EncodeTone,
    Power,
    ScanAdd,
    BusyLock,
    Bandwidth,
    Compand,
};
constexpr int kChannelFieldCount = 9;

// A set of fields: the ones an edit writes, every other keeping its bytes.
using ChannelFields = std::bitset<kChannelFieldCount>;
inline std::size_t FieldIndex(ChannelField field) {
    return static_cast<std::size_t>(field);
}

struct Channel {
    Frequency rx;
    Frequency tx;
    Tone decodeTone;
    Tone encodeTone;
    Power power = Power::High;
    bool scanAdd = false;
    BusyLock busyLock = BusyLock::Off;
    Bandwidth bandwidth = Bandwidth::Wide;
    bool compand = false;
    // Read from the record: either frequency's last byte marks it empty (00 or FF). An
    // empty channel's settings are what its bytes hold, but no one shows them.
    bool empty = true;

    // What a channel takes when its first frequency is typed: no tones, High, Scan Add No,
    // Busy Lock Off, Wide, Compand No.
    static Channel newChannelDefaults() {
        Channel c;
        c.empty = false;
        return c;
    }
};
